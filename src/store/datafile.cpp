#include "store/datafile.h"
#include "store/datafilemark.h"
#include "store/storeerror.h"
#include "data/version10data.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QResource>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

const QString kDataFileName = QStringLiteral("cy.dat");
const QString kCarriedDataFile = QStringLiteral(":/data/cy.dat");
// How long a start waits for another one that is writing cy.dat before it
// reads the carried data from memory instead. Writing 4 MB takes well under
// that, except on a disk that is slow or stalled.
constexpr int kLockWaitMs = 1000;

bool hasDataFile(const QString &folder)
{
    return QFileInfo(folder + kDataFileName).isFile();
}

QString perUserFolder()
{
    return withTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

// Why cy.dat could not be written into `folder`. A folder that is missing
// could not be created: the reason lies with the nearest folder above it
// that is there, which the error then names.
StoreError writeFailure(const QString &folder, qint64 size, const QString &system)
{
    const QString file = folder + kDataFileName;
    const QFileInfo own(QDir::cleanPath(folder));
    QFileInfo refusing = own;
    while (!refusing.exists() && !refusing.isRoot())
        refusing.setFile(refusing.absolutePath());
    const QString above = refusing == own ? QString() : QDir::toNativeSeparators(refusing.absoluteFilePath());
    const QStorageInfo storage(refusing.absoluteFilePath());
    if (storage.isValid() && storage.isReadOnly())
        return StoreError(StoreError::ReadOnlyDisk, file, above);
    if (!refusing.isDir() || !refusing.isWritable())
        return StoreError(StoreError::NoWritePermission, file, above);
    if (storage.isValid() && storage.bytesAvailable() < size)
        return StoreError(StoreError::DiskFull, file);
    return StoreError(StoreError::WriteFailed, file, system);
}

enum class Kind {
    Current, // marked as the data this program carries
    Stale,   // another version's carried data, unchanged since it was written
    Own      // anything else: the reader's own or changed, or no data file
};

// What the data file at `path` is. A file that carries this program's mark
// costs the read of its header; the whole file is read and hashed only when
// its mark is another version's, or it has none and 1.0's size.
Kind kindOf(const QString &path, const QByteArray &carried)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Kind::Own; // opening it as the store tells why
    const QByteArray header = file.read(DataFileMark::kHeaderSize);
    if (const std::optional<quint32> mark = DataFileMark::markOf(header)) {
        if (mark == DataFileMark::markOf(carried))
            return Kind::Current;
        return DataFileMark::identity(header + file.readAll()) == *mark ? Kind::Stale : Kind::Own;
    }
    if (file.size() != Version10Data::kSize)
        return Kind::Own;
    return DataFileMark::digest(header + file.readAll()) == Version10Data::kDigest ? Kind::Stale : Kind::Own;
}

bool isCurrent(const QString &path, const QByteArray &carried)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly)
        && DataFileMark::markOf(file.read(DataFileMark::kHeaderSize)) == DataFileMark::markOf(carried);
}

// Writes `bytes` as folder/cy.dat through a temporary file in the same
// folder, renamed into place once complete: when the folder has no cy.dat,
// or, with `replace`, over the stale one it has. Returns Found when another
// start wrote the file meanwhile, and FromMemory when another start holds
// the folder's lock for longer than it should take; throws the reason when
// the file cannot be written.
Provision writeDataFile(const QString &folder, const QByteArray &bytes, bool replace)
{
    // Two starts at once in one folder: the first writes, the second waits
    // for it briefly and then finds the file. Where no lock can be taken (a
    // folder that cannot be written), the write below fails with the reason.
    const QString path = folder + kDataFileName;
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWaitMs) && lock.error() == QLockFile::LockFailedError)
        return isCurrent(path, bytes) ? Provision::Found : Provision::FromMemory;
    if (hasDataFile(folder) && (!replace || isCurrent(path, bytes)))
        return Provision::Found;

    // On Windows the rename fails while another running vura has the old
    // file open; it stays as it was, for the next start to replace.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw writeFailure(folder, bytes.size(), file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw writeFailure(folder, bytes.size(), file.errorString());
    return Provision::Written;
}

// Uses folder/cy.dat as it is, unless it is another version's stale one:
// that is replaced, or read from memory while it cannot be.
Provision refreshDataFile(const QString &folder, const QByteArray &bytes)
{
    if (kindOf(folder + kDataFileName, bytes) != Kind::Stale)
        return Provision::Found;
    try {
        return writeDataFile(folder, bytes, true);
    } catch (const StoreError &) {
        return Provision::FromMemory;
    }
}

} // namespace

QString withTrailingSeparator(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString dataFilePath(const QString &programFolder)
{
    const QString folder = withTrailingSeparator(programFolder);
    if (!hasDataFile(folder)) {
        const QString userFolder = perUserFolder();
        if (hasDataFile(userFolder))
            return userFolder + kDataFileName;
    }
    return folder + kDataFileName;
}

Provision provisionDataFile(const QString &programFolder)
{
    const QString folder = withTrailingSeparator(programFolder);
    const QByteArray bytes = carriedDataFile();
    if (hasDataFile(folder))
        return refreshDataFile(folder, bytes);

    // The program's own folder first, even when the per-user folder holds a
    // data file: that one may be stale, or from another build.
    std::vector<StoreError> places;
    try {
        return writeDataFile(folder, bytes, false);
    } catch (const StoreError &error) {
        places.push_back(error);
    }

    const QString userFolder = perUserFolder();
    if (hasDataFile(userFolder))
        return refreshDataFile(userFolder, bytes);
    QDir().mkpath(userFolder);
    try {
        return writeDataFile(userFolder, bytes, false);
    } catch (const StoreError &error) {
        places.push_back(error);
    }
    throw StoreError(StoreError::NotWritten, folder + kDataFileName, QString(), std::move(places));
}

IdiomStore openIdiomStore(const QString &programFolder)
{
    return IdiomStore(dataFilePath(programFolder));
}

QByteArray carriedDataFile()
{
    const QResource resource(kCarriedDataFile);
    if (!resource.isValid())
        throw StoreError(StoreError::NotCarried, kCarriedDataFile);
    return resource.uncompressedData();
}

Dictionary openDictionary(const QString &programFolder)
{
    Dictionary dictionary;
    Provision provision = Provision::Found;
    try {
        provision = provisionDataFile(programFolder);
    } catch (const StoreError &error) {
        dictionary.failure = error;
        if (error.kind() == StoreError::NotWritten && !QFileInfo::exists(dataFilePath(programFolder)))
            provision = Provision::FromMemory;
    }
    try {
        if (provision == Provision::FromMemory)
            dictionary.store.emplace(IdiomStore::inMemory(carriedDataFile(), kCarriedDataFile));
        else
            dictionary.store.emplace(openIdiomStore(programFolder));
        dictionary.count = dictionary.store->count();
    } catch (const StoreError &error) {
        dictionary.store.reset();
        dictionary.count = 0;
        // The reason the file could not be written says more than the
        // missing file that follows from it.
        if (!dictionary.failure)
            dictionary.failure = error;
    }
    return dictionary;
}

Dictionary readDictionary(const QString &programFolder)
{
    Dictionary dictionary;
    try {
        const QString path = dataFilePath(programFolder);
        const QByteArray carried = carriedDataFile();
        if (QFileInfo(path).isFile() && kindOf(path, carried) != Kind::Stale)
            dictionary.store.emplace(path);
        else
            dictionary.store.emplace(IdiomStore::inMemory(carried, kCarriedDataFile));
        dictionary.count = dictionary.store->count();
    } catch (const StoreError &error) {
        dictionary.store.reset();
        dictionary.count = 0;
        dictionary.failure = error;
    }
    return dictionary;
}
