#include "store/datafile.h"
#include "store/storeerror.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QResource>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

const QString kDataFileName = QStringLiteral("cy.dat");
const QString kCarriedDataFile = QStringLiteral(":/data/cy.dat");

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

// Writes `bytes` as folder/cy.dat through a temporary file in the same
// folder, unless another start of the program wrote it meanwhile. Returns
// whether it wrote; throws the reason when it cannot.
bool writeDataFile(const QString &folder, const QByteArray &bytes)
{
    // Two starts at once in one folder: the first writes, the second waits
    // for it and then finds the file. Where no lock can be taken (a folder
    // that cannot be written), the write below fails with the reason.
    QLockFile lock(folder + kDataFileName + QStringLiteral(".lock"));
    lock.tryLock(30000);
    if (hasDataFile(folder))
        return false;

    QSaveFile file(folder + kDataFileName);
    if (!file.open(QIODevice::WriteOnly))
        throw writeFailure(folder, bytes.size(), file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw writeFailure(folder, bytes.size(), file.errorString());
    return true;
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

bool provisionDataFile(const QString &programFolder)
{
    const QString folder = withTrailingSeparator(programFolder);
    if (hasDataFile(folder))
        return false;

    // The program's own folder first, even when the per-user folder holds a
    // data file: that one may be stale, or from another build.
    const QByteArray bytes = carriedDataFile();
    std::vector<StoreError> places;
    try {
        return writeDataFile(folder, bytes);
    } catch (const StoreError &error) {
        places.push_back(error);
    }

    const QString userFolder = perUserFolder();
    if (hasDataFile(userFolder))
        return false;
    QDir().mkpath(userFolder);
    try {
        return writeDataFile(userFolder, bytes);
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
    bool unwritable = false;
    try {
        provisionDataFile(programFolder);
    } catch (const StoreError &error) {
        dictionary.failure = error;
        unwritable = error.kind() == StoreError::NotWritten;
    }
    try {
        if (unwritable && !QFileInfo::exists(dataFilePath(programFolder)))
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
