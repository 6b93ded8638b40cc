// Writing cy.dat out of the program and finding it again: the folder rule,
// first and later starts, files the user left there, folders that cannot be
// written, and writes that fail half way.
#include "testdata.h"

#include "store/datafile.h"
#include "store/storeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

#ifdef Q_OS_UNIX

// Limits the size of files this process may write while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int);
};
#endif

} // namespace

class ProvisioningTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void folderRuleAddsOneSeparator_data();
    void folderRuleAddsOneSeparator();
    void firstStartWritesTheCarriedBytes();
    void laterStartsLeaveTheFileAlone();
    void userFilesAreKept();
    void unwritableFolderFallsBackToUserFolder();
    void writableProgramFolderGetsItsOwnFile();
    void failedWriteLeavesNoPartialFile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_appPath;
    QString m_userFolder;
};

void ProvisioningTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_appPath = folderRule(m_dir->filePath("program"));
    QDir().mkpath(m_appPath);
    m_userFolder = TestData::useOwnUserFolder(m_dir->filePath("user"));
#ifdef Q_OS_WIN
    // Windows' own folder for the program's data, with no organisation folder.
    QCOMPARE(QDir::toNativeSeparators(m_userFolder),
             qEnvironmentVariable("LOCALAPPDATA") + "\\" + QCoreApplication::applicationName() + "\\");
#else
    QVERIFY(m_userFolder.startsWith(m_dir->path()));
#endif
}

void ProvisioningTest::cleanup()
{
    m_dir.reset();
}

void ProvisioningTest::folderRuleAddsOneSeparator_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("appPath");
    QTest::newRow("root") << "/" << "/";
    QTest::newRow("plain") << "/opt/tools" << "/opt/tools/";
    QTest::newRow("already ends in one") << "/opt/tools/" << "/opt/tools/";
}

void ProvisioningTest::folderRuleAddsOneSeparator()
{
    QFETCH(QString, folder);
    QFETCH(QString, appPath);
    QCOMPARE(folderRule(folder), appPath);
    QCOMPARE(dataFilePath(appPath), appPath + "cy.dat"); // nothing in the user folder
}

void ProvisioningTest::firstStartWritesTheCarriedBytes()
{
    ProvisionDataFile(m_appPath);
    const QByteArray written = TestData::readFile(m_appPath + "cy.dat");
    QCOMPARE(written, embeddedDataFile());
    QCOMPARE(written, TestData::readFile(QStringLiteral(VURA_DATA_FILE)));
    QCOMPARE(QDir(m_appPath).entryList(QDir::Files | QDir::Hidden), QStringList{"cy.dat"});

    const IdiomStore store = OpenIdiomStore(m_appPath);
    QCOMPARE(store.path(), m_appPath + "cy.dat");
#ifdef VURA_FULL_DATA_CSV
    QCOMPARE(store.count(), 12976);
#else
    QVERIFY(store.count() > 0);
#endif
}

void ProvisioningTest::laterStartsLeaveTheFileAlone()
{
    ProvisionDataFile(m_appPath);
    QFile file(m_appPath + "cy.dat");
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();
    const QByteArray before = TestData::readFile(file.fileName());

    ProvisionDataFile(m_appPath);
    QCOMPARE(TestData::readFile(file.fileName()), before);
    QCOMPARE(QFileInfo(file.fileName()).lastModified(), old);
}

void ProvisioningTest::userFilesAreKept()
{
    // Changed, truncated or empty: whatever the user put there stays.
    for (const QByteArray &content : {QByteArray(), QByteArray("not a data file"),
                                      embeddedDataFile().left(4096)}) {
        TestData::writeFile(m_appPath + "cy.dat", content);
        ProvisionDataFile(m_appPath);
        QCOMPARE(TestData::readFile(m_appPath + "cy.dat"), content);

        try {
            OpenIdiomStore(m_appPath).count();
            QFAIL("an unusable data file was read");
        } catch (const StoreError &error) {
            QCOMPARE(error.path(), m_appPath + "cy.dat");
        }
    }
}

void ProvisioningTest::unwritableFolderFallsBackToUserFolder()
{
    // A program folder below a regular file can be neither created nor written.
    TestData::writeFile(m_dir->filePath("plainfile"), "x");
    const QString appPath = folderRule(m_dir->filePath("plainfile/program"));

    ProvisionDataFile(appPath);
    QVERIFY(!QFileInfo::exists(appPath + "cy.dat"));
    QCOMPARE(TestData::readFile(m_userFolder + "cy.dat"), embeddedDataFile());
    QCOMPARE(dataFilePath(appPath), m_userFolder + "cy.dat");

    QCOMPARE(OpenIdiomStore(appPath).path(), m_userFolder + "cy.dat");

    // Later starts use that file as it is.
    TestData::writeFile(m_userFolder + "cy.dat", "changed by the user");
    ProvisionDataFile(appPath);
    QCOMPARE(TestData::readFile(m_userFolder + "cy.dat"), QByteArray("changed by the user"));
}

void ProvisioningTest::writableProgramFolderGetsItsOwnFile()
{
    // A per-user copy, perhaps stale or from another build, does not stand
    // in for the program's own file while the program's folder can be written.
    QDir().mkpath(m_userFolder);
    TestData::writeFile(m_userFolder + "cy.dat", "user copy");
    ProvisionDataFile(m_appPath);
    QCOMPARE(TestData::readFile(m_appPath + "cy.dat"), embeddedDataFile());
    QCOMPARE(dataFilePath(m_appPath), m_appPath + "cy.dat");
    QCOMPARE(TestData::readFile(m_userFolder + "cy.dat"), QByteArray("user copy"));
}

void ProvisioningTest::failedWriteLeavesNoPartialFile()
{
#ifndef Q_OS_UNIX
    QSKIP("the file size limit that fails the write is POSIX only");
#else
    {
        FileSizeLimit limit(rlim_t(embeddedDataFile().size() / 2)); // the disk fills up half way
        try {
            ProvisionDataFile(m_appPath);
            QFAIL("a write that could not finish was reported as done");
        } catch (const StoreError &error) {
            QCOMPARE(error.kind(), StoreError::NotWritten);
            QCOMPARE(error.places().size(), 2u);
            QCOMPARE(error.places().front().path(), m_appPath + "cy.dat");
        }
    }
    QCOMPARE(QDir(m_appPath).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(QDir(m_userFolder).entryList(QDir::Files | QDir::Hidden), QStringList());

    // The next start writes the whole file.
    ProvisionDataFile(m_appPath);
    QCOMPARE(TestData::readFile(m_appPath + "cy.dat"), embeddedDataFile());
#endif
}

QTEST_GUILESS_MAIN(ProvisioningTest)
#include "tst_provisioning.moc"
