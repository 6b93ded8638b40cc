#include "idiomstore.h"
#include "connection.h"
#include "recordset.h"
#include "storeerror.h"

#include <QDir>
#include <QFileInfo>
#include <QResource>
#include <QSaveFile>
#include <QStandardPaths>

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

// Writes `bytes` as folder/cy.dat through a temporary file in the same
// folder. Returns an empty string on success, else the reason.
QString writeDataFile(const QString &folder, const QByteArray &bytes)
{
    QSaveFile file(folder + kDataFileName);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
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
    if (QDir().mkpath(userFolder) && writeDataFile(userFolder, bytes).isEmpty())
        return;
    throw StoreError(dataFileError(appPath + kDataFileName, QStringLiteral("无法写入（%1）").arg(reason)));
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
