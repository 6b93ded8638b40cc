#include "idiomstore.h"
#include "connection.h"
#include "recordset.h"
#include "storeerror.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QResource>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

const QString kDataFileName = QStringLiteral("cy.dat");

bool hasDataFile(const QString &folder)
{
    return QFileInfo(folder + kDataFileName).isFile();
}

QString perUserFolder()
{
    return folderRule(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

// Why cy.dat could not be written into `folder`, in words for the user, with
// the system's own text after it.
QString writeFailure(const QString &folder, qint64 size, const QString &system)
{
    const QFileInfo info(folder);
    const QStorageInfo storage(folder);
    QString reason;
    if (!info.isDir())
        reason = QStringLiteral("文件夹不存在，也无法创建");
    else if (storage.isValid() && storage.isReadOnly())
        reason = QStringLiteral("文件夹所在的磁盘是只读的");
    else if (!info.isWritable())
        reason = QStringLiteral("没有写入这个文件夹的权限");
    else if (storage.isValid() && storage.bytesAvailable() < size)
        reason = QStringLiteral("磁盘空间不足");
    else
        reason = QStringLiteral("写入时出错");
    return system.isEmpty() ? reason : QStringLiteral("%1（%2）").arg(reason, system);
}

// Writes `bytes` as folder/cy.dat through a temporary file in the same
// folder, unless another start of the program wrote it meanwhile. Returns
// an empty string on success, else the reason.
QString writeDataFile(const QString &folder, const QByteArray &bytes)
{
    // Two starts at once in one folder: the first writes, the second waits
    // for it and then finds the file. Where no lock can be taken (a folder
    // that cannot be written), the write below fails with the reason.
    QLockFile lock(folder + kDataFileName + QStringLiteral(".lock"));
    lock.tryLock(30000);
    if (hasDataFile(folder))
        return QString();

    QSaveFile file(folder + kDataFileName);
    if (!file.open(QIODevice::WriteOnly))
        return writeFailure(folder, bytes.size(), file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = writeFailure(folder, bytes.size(), file.errorString());
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return writeFailure(folder, bytes.size(), file.errorString());
    return QString();
}

} // namespace

QString folderRule(const QString &programFolder)
{
    if (programFolder.endsWith(QLatin1Char('/')))
        return programFolder;
    return programFolder + QLatin1Char('/');
}

QString dataFilePath(const QString &appPath)
{
    if (!hasDataFile(appPath)) {
        const QString userFolder = perUserFolder();
        if (hasDataFile(userFolder))
            return userFolder + kDataFileName;
    }
    return appPath + kDataFileName;
}

void ProvisionDataFile(const QString &appPath)
{
    if (hasDataFile(appPath))
        return;

    // The program's own folder first, even when the per-user folder holds a
    // data file: that one may be stale, or from another build.
    const QByteArray bytes = embeddedDataFile();
    const QString reason = writeDataFile(appPath, bytes);
    if (reason.isEmpty())
        return;

    const QString userFolder = perUserFolder();
    if (hasDataFile(userFolder))
        return;
    QDir().mkpath(userFolder);
    const QString userReason = writeDataFile(userFolder, bytes);
    if (userReason.isEmpty())
        return;
    throw StoreError(QStringLiteral("无法写出成语数据文件：\n“%1”：%2；\n“%3”：%4。\n"
                                    "请把本程序放到可以写入的文件夹里（或者腾出磁盘空间）后重新启动。")
                         .arg(QDir::toNativeSeparators(appPath + kDataFileName), reason,
                              QDir::toNativeSeparators(userFolder + kDataFileName), userReason));
}

QString connectionString(const QString &dataFile)
{
    // A path that would end its piece early is quoted; any other is given as is.
    QString source = dataFile;
    if (source.contains(QLatin1Char(';')) || source.startsWith(QLatin1Char('"'))
        || source.startsWith(QLatin1Char('\'')) || source != source.trimmed())
        source = QLatin1Char('"') + source.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;")
         + QStringLiteral("Persist Security Info=False;")
         + QStringLiteral("Data Source=")
         + source
         + QStringLiteral(";")
         + QStringLiteral("Jet OLEDB:Database Password=mt38k24r61b7n3;");
}

void OpenIdiomStore(const QString &appPath, std::unique_ptr<Connection> &conn,
                    std::unique_ptr<Recordset> &rs)
{
    conn = std::make_unique<Connection>();
    rs = std::make_unique<Recordset>();
    conn->open(connectionString(dataFilePath(appPath)), QString(), QString(), adConnectUnspecified);
}

int countIdioms(Connection &conn, Recordset &rs)
{
    rs.open("SELECT * FROM cy", conn, adOpenStatic);
    const RecordsetGuard closing(rs);
    return rs.recordCount();
}

QByteArray embeddedDataFile()
{
    const QResource resource(QStringLiteral(":/data/cy.dat"));
    if (!resource.isValid())
        throw StoreError(QStringLiteral("程序中缺少成语数据（cy.dat）。"));
    return resource.uncompressedData();
}
