// What the program survives on a real disk: folders that cannot be written,
// two starts at once, a data file deleted, replaced or damaged while the
// window runs, and the reader's file refusing writes while the window runs.
// Read-only folders and full disks are real mounts, so those checks need root
// (as CI runs); elsewhere they are skipped. A disk that fills up during the
// first start is tst_provisioning's.
#include "windowharness.h"

#include "lookup/wordbookwindow.h"
#include "models/storenotice.h"
#include "reader/readerstore.h"
#include "store/datafile.h"
#include "store/storeerror.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#endif

namespace {

// A mount over a folder for the life of the object: the folder itself made
// read-only.
class Mount
{
public:
    static std::unique_ptr<Mount> readOnly(const QString &folder)
    {
#ifdef Q_OS_LINUX
        const QByteArray path = QFile::encodeName(folder);
        if (mount(path, path, nullptr, MS_BIND, nullptr) != 0)
            return nullptr;
        auto made = std::unique_ptr<Mount>(new Mount(path));
        if (mount(path, path, nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            return nullptr;
        return made;
#else
        Q_UNUSED(folder)
        return nullptr;
#endif
    }

    // A disk of `size` (as tmpfs reads it: "512k") mounted on the folder.
    static std::unique_ptr<Mount> small(const QString &folder, const char *size)
    {
#ifdef Q_OS_LINUX
        const QByteArray path = QFile::encodeName(folder);
        if (mount("tmpfs", path, "tmpfs", 0, QByteArray("size=") + size) != 0)
            return nullptr;
        return std::unique_ptr<Mount>(new Mount(path));
#else
        Q_UNUSED(folder)
        Q_UNUSED(size)
        return nullptr;
#endif
    }

    ~Mount()
    {
#ifdef Q_OS_LINUX
        umount2(m_path, MNT_DETACH);
#endif
    }

private:
    explicit Mount(const QByteArray &path) : m_path(path) {}
    QByteArray m_path;
};

#ifdef Q_OS_LINUX
constexpr const char *kNoMounts = "mounting a folder needs root";
#else
constexpr const char *kNoMounts = "the read-only folders are Linux mounts";
#endif

// Fills the disk of `folder` with a file of its own, up to the last byte.
void fill(const QString &folder)
{
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}

QList<int> idsOf(const auto &entries)
{
    QList<int> ids;
    for (const auto &entry : entries)
        ids << entry.id;
    return ids;
}

} // namespace

class FaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void readOnlyFolders();
    void twoStartsAtOnce();
    void symlinkToNowhere();
    void dataFileChangedWhileRunning();
    void readerFileRefusesWrites_data();
    void readerFileRefusesWrites();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_programFolder;
    QString m_userFolder;
};

void FaultsTest::initTestCase()
{
    registerFontSubstitutions();
}

void FaultsTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_programFolder = withTrailingSeparator(m_dir->filePath("program"));
    QDir().mkpath(m_programFolder);
    m_userFolder = TestData::useOwnUserFolder(m_dir->filePath("user"));
    QDir().mkpath(m_userFolder);
}

void FaultsTest::cleanup()
{
    m_dir.reset();
}

void FaultsTest::readOnlyFolders()
{
    auto program = Mount::readOnly(m_programFolder);
    if (!program)
        QSKIP(kNoMounts);

    // The program's folder read-only: the per-user folder serves.
    provisionDataFile(m_programFolder);
    QCOMPARE(TestData::readFile(m_userFolder + "cy.dat"), carriedDataFile());
    QCOMPARE(dataFilePath(m_programFolder), m_userFolder + "cy.dat");
    QVERIFY(QFile::remove(m_userFolder + "cy.dat"));

    // Both read-only: the carried data is read from memory and nothing is
    // written; the failure, which names both places, is kept for the notice.
    auto user = Mount::readOnly(m_userFolder);
    QVERIFY(user);
    TestWindow t(WindowData::Carried, {}, m_programFolder);
    QCOMPARE(t.dictionary().count, IdiomStore(QStringLiteral(VURA_DATA_FILE)).count());
    QCOMPARE(t.c.number->text(), QStringLiteral("编号：1"));
    const StoreError &failure = *t.dictionary().failure;
    QCOMPARE(failure.kind(), StoreError::NotWritten);
    QCOMPARE(failure.places().size(), 2u);
    for (const StoreError &place : failure.places())
        QCOMPARE(place.kind(), StoreError::ReadOnlyDisk);
    QCOMPARE(failure.places().front().path(), m_programFolder + "cy.dat");
    QCOMPARE(failure.places().back().path(), m_userFolder + "cy.dat");
    QVERIFY(t.show());
    t.w.showNext();
    QCOMPARE(t.w.currentId(), 2);
    QCOMPARE(t.notices.size(), 0);
    QCOMPARE(QDir(m_programFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(QDir(m_userFolder).entryList(QDir::Files | QDir::Hidden), QStringList());

    // The per-user folder missing, and the folder it belongs in read-only:
    // that folder is the cause the notice names, not a missing file.
    user.reset();
    QVERIFY(QDir(m_userFolder).removeRecursively());
    const QString above = QFileInfo(QDir::cleanPath(m_userFolder)).absolutePath();
    auto parent = Mount::readOnly(above);
    QVERIFY(parent);
    try {
        provisionDataFile(m_programFolder);
        QFAIL("a folder was made on a read-only disk");
    } catch (const StoreError &error) {
        const StoreError &place = error.places().back();
        QCOMPARE(place.kind(), StoreError::ReadOnlyDisk);
        QCOMPARE(place.detail(), QDir::toNativeSeparators(above));
        const QString told = storeNotice(error);
        QVERIFY2(told.contains(QStringLiteral("“%1”所在的磁盘是只读的").arg(above)), qPrintable(told));
    }
}

void FaultsTest::twoStartsAtOnce()
{
    const QString child = QCoreApplication::applicationDirPath() + QStringLiteral("/provisionchild");
    QProcess first, second;
    for (QProcess *start : {&first, &second}) {
        start->start(child, {m_programFolder});
        QVERIFY(start->waitForReadyRead(30000)); // "ready"
        start->readLine();
    }
    for (QProcess *start : {&first, &second}) // both at once
        start->write("go\n");
    QStringList said;
    for (QProcess *start : {&first, &second}) {
        QVERIFY(start->waitForFinished(30000));
        QCOMPARE(start->exitCode(), 0);
        said << QString::fromUtf8(start->readAllStandardOutput()).trimmed();
    }
    // One writes the file, the other waits for it and reads it.
    const QString count = QString::number(openIdiomStore(m_programFolder).count());
    said.sort();
    QCOMPARE(said, QStringList({"found " + count, "wrote " + count}));
    QCOMPARE(TestData::readFile(m_programFolder + "cy.dat"), carriedDataFile());
    QCOMPARE(QDir(m_programFolder).entryList(QDir::Files | QDir::Hidden), QStringList{"cy.dat"});
    QCOMPARE(QDir(m_userFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
}

void FaultsTest::symlinkToNowhere()
{
    const QString link = m_programFolder + "cy.dat";
    const QString nowhere = m_dir->filePath("gone/cy.dat");
#ifdef Q_OS_WIN
    QSKIP("QFile::link makes a shell shortcut on Windows, not a symbolic link");
#endif
    if (!QFile::link(nowhere, link))
        QSKIP("no symbolic links here");

    // The link is left as it is; the per-user folder serves instead.
    TestWindow t(WindowData::Carried, {}, m_programFolder);
    QVERIFY(t.dictionary().count > 0);
    QVERIFY(!t.dictionary().failure);
    QCOMPARE(QFileInfo(link).symLinkTarget(), nowhere);
    QVERIFY(!QFileInfo::exists(nowhere));
    QCOMPARE(TestData::readFile(m_userFolder + "cy.dat"), carriedDataFile());
}

void FaultsTest::dataFileChangedWhileRunning()
{
    TestWindow t(WindowData::Small);
    const MainControls &c = t.c;
    QVERIFY(t.show());
    const QString dataFile = t.dataFile();

    // Deleted, or replaced by another file: the open connection reads on.
    // Windows deletes no file that is open, so nothing takes its name either.
#ifdef Q_OS_WIN
    const bool openFilesGo = false;
#else
    const bool openFilesGo = true;
#endif
    QCOMPARE(QFile::remove(dataFile), openFilesGo);
    click(c.next);
    QCOMPARE(c.fields[MainWindow::Text]->text(), QStringLiteral("爱 屋 及 乌"));
    TestData::writeFile(dataFile + ".new", "not a data file");
    QCOMPARE(QFile::rename(dataFile + ".new", dataFile), openFilesGo);
    click(c.next);
    QCOMPARE(t.w.currentId(), 3);
    QCOMPARE(t.notices.size(), 0);

    // The same file damaged in place: told, with what to do, and the
    // window goes on.
    TestWindow damaged(WindowData::Small);
    QVERIFY(damaged.show());
    const QString damagedFile = damaged.dataFile();
    TestData::damage(damagedFile, QFileInfo(damagedFile).size() / 2);
    const QByteArray garbled = TestData::readFile(damagedFile);
    for (int i = 0; i < 3; ++i)
        click(damaged.c.random);
    damaged.w.unfoldSearchPane();
    search(damaged.c, QStringLiteral("%"));
    QVERIFY(!damaged.notices.isEmpty());
    for (const Notice &notice : std::as_const(damaged.notices))
        QVERIFY2(notice.text.contains(QStringLiteral("删除")), qPrintable(notice.text));
    QCOMPARE(TestData::readFile(damagedFile), garbled); // never written by us

    // An import looks each idiom up in it: told the same way, and nothing imported.
    TestData::damage(damagedFile, 0);
    ReaderStore reader;
    WordBookWindow book(damaged.dictionary(), damaged.environment, reader, nullptr);
    const QString list = damaged.dir.filePath(QStringLiteral("list.txt"));
    TestData::writeFile(list, "爱不释手\n");
    damaged.notices.clear();
    book.importFrom(list);
    QCOMPARE(damaged.notices.size(), 1);
    QVERIFY2(damaged.notices.first().text.contains(QStringLiteral("删除")), qPrintable(damaged.notices.first().text));
    QVERIFY(reader.wordBook().isEmpty());
}

void FaultsTest::readerFileRefusesWrites_data()
{
    QTest::addColumn<bool>("diskFull"); // otherwise another copy holds the file's lock
    QTest::addColumn<QString>("cause"); // as the notice names it
    QTest::newRow("held by another copy") << false << QStringLiteral("另一个程序占用");
    QTest::newRow("disk full") << true << QStringLiteral("磁盘空间不足");
}

void FaultsTest::readerFileRefusesWrites()
{
    QFETCH(bool, diskFull);
    QFETCH(QString, cause);
    const QString folder = m_userFolder + "reader";
    QVERIFY(QDir().mkpath(folder));
    const auto disk = diskFull ? Mount::small(folder, "512k") : nullptr;
    if (diskFull && !disk)
        QSKIP(kNoMounts);
    ReaderStore reader(folder);
    TestWindow t(WindowData::Small);
    t.w.setReaderStore(&reader);
    QVERIFY(t.show());
    click(t.c.next);

    QProcess other;
    if (diskFull) {
        fill(folder);
    } else {
        other.start(QCoreApplication::applicationDirPath() + QStringLiteral("/readerchild"), {folder, "hold"});
        QVERIFY(other.waitForReadyRead(10000));
        QCOMPARE(other.readLine().trimmed(), QByteArray("held")); // \r\n on Windows
    }
    // A history entry, a word-book entry and an import: kept, and told once.
    click(t.c.next);
    auto *toggle = control<QCheckBox>(t.w, "wordBookToggle");
    click(toggle);
    WordBookWindow book(t.dictionary(), t.environment, reader, nullptr);
    const QString list = t.dir.filePath(QStringLiteral("list.txt"));
    TestData::writeFile(list, "爱不释手\n");
    book.importFrom(list);
    QCOMPARE(idsOf(reader.history()), (QList<int>{3, 2}));
    QCOMPARE(idsOf(reader.wordBook()), (QList<int>{1, 3}));
    QVERIFY(toggle->isChecked());
    const auto told = [&] {
        return std::count_if(t.notices.cbegin(), t.notices.cend(),
                             [&](const Notice &notice) { return notice.text.contains(cause); });
    };
    QTRY_COMPARE_WITH_TIMEOUT(told(), 1, 10000);

    // The file takes them once it can, in their order.
    if (diskFull) {
        QVERIFY(QFile::remove(QDir(folder).filePath(QStringLiteral("filler"))));
    } else {
        other.write("\n");
        QVERIFY(other.waitForFinished(10000));
    }
    const auto written = [&] {
        ReaderStore file(folder);
        return idsOf(file.history()) == QList<int>{3, 2} && idsOf(file.wordBook()) == QList<int>{1, 3};
    };
    QTRY_VERIFY_WITH_TIMEOUT(written(), 10000);
    QCOMPARE(told(), 1);
    QCOMPARE(t.notices.size(), 2); // and the import's own report
}

QTEST_MAIN(FaultsTest)
#include "tst_faults.moc"
