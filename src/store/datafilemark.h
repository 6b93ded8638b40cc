// The mark in the header of the data file that the program carries and
// writes out as cy.dat, and the digest that tells such a file from one that
// was changed since. The importer writes the mark; a start reads it to know
// whether a cy.dat is the data this program carries, the untouched data of
// another version, or the reader's own.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QCryptographicHash>
#include <QtEndian>
#include <optional>

namespace DataFileMark {

// The fields of SQLite's 100-byte file header that the mark uses
// (sqlite.org/fileformat.html, "The Database Header").
inline constexpr qsizetype kHeaderSize = 100;
inline constexpr qsizetype kUserVersionAt = 60;    // PRAGMA user_version: the data's identity
inline constexpr qsizetype kApplicationIdAt = 68;  // PRAGMA application_id: vura's
inline constexpr qsizetype kLibraryVersionAt = 96; // the SQLite that wrote the file last
inline constexpr quint32 kApplicationId = 0x76757261; // "vura"

// The SHA-256 of a data file, as hex, with the identity and the SQLite
// version number read as zero: the same rows written by another build of
// SQLite 3 give the same digest, and any change to a page gives another.
inline QByteArray digest(QByteArrayView file)
{
    if (file.size() < kHeaderSize)
        return QCryptographicHash::hash(file, QCryptographicHash::Sha256).toHex();
    static constexpr char zero[4] = {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(file.first(kUserVersionAt));
    hash.addData(QByteArrayView(zero, 4));
    hash.addData(file.sliced(kUserVersionAt + 4, kLibraryVersionAt - kUserVersionAt - 4));
    hash.addData(QByteArrayView(zero, 4));
    hash.addData(file.sliced(kLibraryVersionAt + 4));
    return hash.result().toHex();
}

// The identity a marked file holds: the first 32 bits of its digest.
inline quint32 identity(QByteArrayView file)
{
    return digest(file).left(8).toUInt(nullptr, 16);
}

// The identity in a file's header, when the header carries vura's mark.
inline std::optional<quint32> markOf(QByteArrayView header)
{
    if (header.size() < kHeaderSize || !header.startsWith("SQLite format 3")
        || qFromBigEndian<quint32>(header.data() + kApplicationIdAt) != kApplicationId)
        return std::nullopt;
    return qFromBigEndian<quint32>(header.data() + kUserVersionAt);
}

// Marks the complete data file `file` as vura's, with its own identity.
inline void mark(QByteArray &file)
{
    Q_ASSERT(file.size() >= kHeaderSize);
    qToBigEndian(kApplicationId, file.data() + kApplicationIdAt);
    qToBigEndian(identity(file), file.data() + kUserVersionAt);
}

} // namespace DataFileMark
