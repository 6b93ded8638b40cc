#include "testdata.h"
#include "import/idiomimport.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>
#include <QStandardPaths>

namespace TestData {

QByteArray csv()
{
    // Made up for the tests: invented readings are fine, only the shapes matter.
    return QByteArrayLiteral(
        "10,\"爱屋及乌\",\"ài  wū  jí  wū\",\"爱一个人连带爱他屋上的乌鸦。\",\"《尚书大传》\",\"他对朋友的孩子也很好，真是～。\",\"awjw\"\n"
        "11,\"八九不离十\",\"bā  jiǔ  bù  lí  shí\",\"差不多。\",,\"这事～了。\",\"bjbs\"\n"
        "13,\"不亦乐乎\",\"bù  yì  lè  hū\",\"不也是很快乐吗。\",\"《论语·学而》\",,\"bylh\"\n"
        "14,\"莫须有\",\"mò  xū  yǒu\",\"也许有。\",\"《宋史》\",,\"mxy\"\n"
        "15,\"难兄难弟\",\"nán  xiōng  nán  dì\",\"兄弟都好。\",\"《世说新语》\",,\"nxnd\"\n"
        "17,\"难兄难弟\",\"nàn  xiōng  nàn  dì\",\"共患难的人。\",,\"我们俩是～。\",\"nxnd\"\n"
        "18,\"杞人忧天\",\"qǐ  rén  yōu  tiān\",\"不必要的忧虑。\",\"《列子·天瑞》\",\"你这是～。\",\"qryt\"\n"
        "20,\"人山人海\",\"rén  shān  rén  hǎi\",\"人聚得极多。\",,,\"rsrh\"\n"
        "21,\"人人自危\",\"rén  rén  zì  wēi\",\"人人都感到不安全。\",\"《史记》\",\"一时～。\",\"rrzw\"\n"
        "22,\"手到擒来\",\"shǒu  dào  qín  lái\",\"做事容易。\",,\"这点小事～。\",\"sdql\"\n"
        "24,\"一心一意\",\"yī  xīn  yī  yì\",\"心思专一。\",\"《三国志》\",\"他～地工作。\",\"yxyy\"\n"
        "25,\"一马当先\",\"yī  mǎ  dāng  xiān\",\"走在最前面。\",,,\"ymdx\"\n"
        "26,\"一言既出，驷马难追\",\"yī  yán  jì  chū，sì  mǎ  nán  zhuī\",,\"《论语》\",,\"yyjz\"\n"
        "27,\"众人拾柴火焰高\",\"zhòng  rén  shí  chái  huǒ  yàn  gāo\",\"人多力量大。\",,\"俗话说～。\",\"zrsg\"\n"
        "28,\"自相矛盾\",\"zì  xiāng  máo  dùn\",\"前后抵触。\",\"《韩非子》\",\"他的话～。\",\"zxmd\"\n"
        "40,\"爱不释手\",\"ài  bù  shì  shǒu\",\"喜爱得舍不得放下。\",\"《三国志》\",\"这本书他～。\",\"absx\"");
}

QList<int> everyId(int rounds)
{
    QList<int> ids;
    for (int round = 0; round < rounds; ++round)
        for (int id = 1; id <= kCount; ++id)
            ids << id;
    return ids;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void damage(const QString &path, qint64 from)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(from)
        || file.write(QByteArray(file.size() - from, '\xff')) != file.size() - from)
        qFatal("cannot damage %s", qPrintable(path));
}

QString useOwnUserFolder(const QString &folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder)
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir(user).removeRecursively();
#else
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder));
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
#endif
    return user + QLatin1Char('/');
}

void execute(const QString &path, const QByteArray &sql)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    const int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        qFatal("cannot run %s on %s", sql.constData(), qPrintable(path));
}

QString writeDataFile(const QString &folder)
{
    const QString csvPath = folder + QStringLiteral("/idioms.csv");
    const QString dataPath = folder + QStringLiteral("/cy.dat");
    writeFile(csvPath, csv());
    importIdioms(csvPath, dataPath);
    return dataPath;
}

} // namespace TestData
