// Writing cy.dat out of the program and finding it again: the folder rule,
// first and later starts, files the user left there, another version's file
// replaced, folders that cannot be written, writes that fail half way, a
// start that another one keeps waiting, and the command line, which writes
// nothing.
#include "testdata.h"

#include "import/idiomimport.h"
#include "store/datafile.h"
#include "store/storeerror.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
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

    void folderEndsInOneSeparator_data();
    void folderEndsInOneSeparator();
    void firstStartWritesTheCarriedBytes();
    void laterStartsReplaceOnlyAnUntouchedOldFile_data();
    void laterStartsReplaceOnlyAnUntouchedOldFile();
    void upgradeCorrectsTheHeadwords();
    void oldFileThatCannotBeReplacedStaysWhole();
    void oldFileOpenElsewhereIsReplacedOrLeftWhole();
    void userFilesAreKept();
    void unwritableFolderFallsBackToUserFolder();
    void writableProgramFolderGetsItsOwnFile();
    void failedWriteLeavesNoPartialFile();
    void unwritableEverywhereReadsFromMemory();
    void anotherStartHoldingTheFolderKeepsNoOneWaiting();
    void commandLineWritesNothing_data();
    void commandLineWritesNothing();

private:
    // Makes `kind` of data file at `path`: "1.0's" (the file vura 1.0 wrote),
    // "older" (marked by a version that carried other idioms), "this
    // version's", "own" (imported unmarked, as a reader makes one), each
    // with ", changed" for a row the reader changed in it.
    void makeDataFile(const QString &kind, const QString &path);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_programFolder;
    QString m_userFolder;
};

void ProvisioningTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_programFolder = withTrailingSeparator(m_dir->filePath("program"));
    QDir().mkpath(m_programFolder);
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

void ProvisioningTest::folderEndsInOneSeparator_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("withSeparator");
    QTest::newRow("root") << "/" << "/";
    QTest::newRow("plain") << "/opt/tools" << "/opt/tools/";
    QTest::newRow("already ends in one") << "/opt/tools/" << "/opt/tools/";
}

void ProvisioningTest::folderEndsInOneSeparator()
{
    QFETCH(QString, folder);
    QFETCH(QString, withSeparator);
    QCOMPARE(withTrailingSeparator(folder), withSeparator);
    QCOMPARE(dataFilePath(folder), withSeparator + "cy.dat"); // nothing in the user folder
}

void ProvisioningTest::firstStartWritesTheCarriedBytes()
{
    provisionDataFile(m_programFolder);
    const QByteArray written = TestData::readFile(m_programFolder + "cy.dat");
    QCOMPARE(written, carriedDataFile());
    QCOMPARE(written, TestData::readFile(QStringLiteral(VURA_DATA_FILE)));
    QCOMPARE(QDir(m_programFolder).entryList(QDir::Files | QDir::Hidden), QStringList{"cy.dat"});

    const IdiomStore store = openIdiomStore(m_programFolder);
    QCOMPARE(store.path(), m_programFolder + "cy.dat");
#ifdef VURA_FULL_DATA_CSV
    QCOMPARE(store.count(), 12976);
#else
    QVERIFY(store.count() > 0);
#endif
}

void ProvisioningTest::makeDataFile(const QString &kind, const QString &path)
{
    const QString csvPath = m_dir->filePath("idioms.csv");
    TestData::writeFile(csvPath, TestData::csv());
    if (kind.startsWith("1.0's"))
        QVERIFY(QFile::copy(QStringLiteral(VURA_VERSION10_DATA_FILE), path));
    else if (kind.startsWith("older"))
        importIdioms(csvPath, path, DataFileForm::Carried);
    else if (kind.startsWith("this version's"))
        TestData::writeFile(path, carriedDataFile());
    else
        importIdioms(csvPath, path);
    QVERIFY(QFile::remove(csvPath));
    if (kind.endsWith(", changed"))
        TestData::execute(path, "UPDATE cy SET ys = '改过' WHERE id = 1");
}

void ProvisioningTest::laterStartsReplaceOnlyAnUntouchedOldFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<bool>("perUser"); // the program's folder cannot be written
    QTest::newRow("1.0's") << "1.0's" << true << false;
    QTest::newRow("1.0's, changed") << "1.0's, changed" << false << false;
    QTest::newRow("older") << "older" << true << false;
    QTest::newRow("older, changed") << "older, changed" << false << false;
    QTest::newRow("this version's") << "this version's" << false << false;
    QTest::newRow("this version's, changed") << "this version's, changed" << false << false;
    QTest::newRow("own") << "own" << false << false;
    QTest::newRow("1.0's in the per-user folder") << "1.0's" << true << true;
    QTest::newRow("own in the per-user folder") << "own" << false << true;
}

void ProvisioningTest::laterStartsReplaceOnlyAnUntouchedOldFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, replaced);
    QFETCH(bool, perUser);
    QString programFolder = m_programFolder;
    QString folder = m_programFolder;
    if (perUser) {
        TestData::writeFile(m_dir->filePath("plainfile"), "x");
        programFolder = withTrailingSeparator(m_dir->filePath("plainfile/program"));
        folder = m_userFolder;
        QDir().mkpath(folder);
    }
    const QString path = folder + "cy.dat";
    makeDataFile(kind, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
    file.close();
    const QByteArray before = TestData::readFile(path);

    QCOMPARE(provisionDataFile(programFolder), replaced ? Provision::Written : Provision::Found);
    QCOMPARE(TestData::readFile(path), replaced ? carriedDataFile() : before);
    QCOMPARE(QFileInfo(path).lastModified() == old, !replaced);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"cy.dat"});
    QCOMPARE(openIdiomStore(programFolder).path(), path);

    // The next start finds it as it was left.
    const QDateTime left = QFileInfo(path).lastModified();
    QCOMPARE(provisionDataFile(programFolder), Provision::Found);
    QCOMPARE(QFileInfo(path).lastModified(), left);
}

void ProvisioningTest::upgradeCorrectsTheHeadwords()
{
#ifndef VURA_FULL_DATA_CSV
    QSKIP("the errata correct only the full idiom data set");
#else
    // 1.0 wrote the headword the data set misspells; this version corrects it.
    QVERIFY(QFile::copy(QStringLiteral(VURA_VERSION10_DATA_FILE), m_programFolder + "cy.dat"));
    QCOMPARE(IdiomStore(m_programFolder + "cy.dat").writtenAs("甘败下风").size(), 1);
    const Dictionary dictionary = openDictionary(m_programFolder);
    QVERIFY(!dictionary.failure);
    QCOMPARE(dictionary.store->path(), m_programFolder + "cy.dat");
    QCOMPARE(dictionary.store->writtenAs("甘败下风").size(), 0);
    const QList<IdiomEntry> corrected = dictionary.store->writtenAs("甘拜下风");
    QCOMPARE(corrected.size(), 1);
    QCOMPARE(dictionary.store->idiom(corrected.front().id).text, "甘拜下风");
#endif
}

void ProvisioningTest::oldFileThatCannotBeReplacedStaysWhole()
{
#ifndef Q_OS_UNIX
    QSKIP("the file size limit that fails the write is POSIX only");
#else
    makeDataFile("1.0's", m_programFolder + "cy.dat");
    const QByteArray before = TestData::readFile(m_programFolder + "cy.dat");
    FileSizeLimit limit(rlim_t(carriedDataFile().size() / 2)); // the disk fills up half way
    QCOMPARE(provisionDataFile(m_programFolder), Provision::FromMemory);
    QCOMPARE(TestData::readFile(m_programFolder + "cy.dat"), before);
    QCOMPARE(QDir(m_programFolder).entryList(QDir::Files | QDir::Hidden), QStringList{"cy.dat"});

    // This start reads the carried data instead, and says nothing: the
    // next one replaces the file.
    const Dictionary dictionary = openDictionary(m_programFolder);
    QVERIFY(!dictionary.failure);
    QCOMPARE(dictionary.store->path(), ":/data/cy.dat");
    QCOMPARE(dictionary.count, IdiomStore(QStringLiteral(VURA_DATA_FILE)).count());
#endif
}

void ProvisioningTest::oldFileOpenElsewhereIsReplacedOrLeftWhole()
{
    const QString path = m_programFolder + "cy.dat";
    makeDataFile("1.0's", path);
    const QByteArray before = TestData::readFile(path);
    const IdiomStore running(path); // another vura, still reading it
    const int count = running.count();

    const Provision provision = provisionDataFile(m_programFolder);
#ifdef Q_OS_WIN
    // Windows renames over no file that is open without sharing its
    // deletion, as SQLite opens it: the file stays whole for a later start.
    QCOMPARE(provision, Provision::FromMemory);
#else
    QCOMPARE(provision, Provision::Written);
#endif
    QCOMPARE(TestData::readFile(path), provision == Provision::Written ? carriedDataFile() : before);
    QCOMPARE(QDir(m_programFolder).entryList(QDir::Files | QDir::Hidden), QStringList{"cy.dat"});
    QCOMPARE(running.count(), count);
}

void ProvisioningTest::userFilesAreKept()
{
    // Changed, truncated or empty: whatever the user put there stays.
    for (const QByteArray &content : {QByteArray(), QByteArray("not a data file"),
                                      carriedDataFile().left(4096)}) {
        TestData::writeFile(m_programFolder + "cy.dat", content);
        provisionDataFile(m_programFolder);
        QCOMPARE(TestData::readFile(m_programFolder + "cy.dat"), content);

        try {
            openIdiomStore(m_programFolder).count();
            QFAIL("an unusable data file was read");
        } catch (const StoreError &error) {
            QCOMPARE(error.path(), m_programFolder + "cy.dat");
        }
    }
}

void ProvisioningTest::unwritableFolderFallsBackToUserFolder()
{
    // A program folder below a regular file can be neither created nor written.
    TestData::writeFile(m_dir->filePath("plainfile"), "x");
    const QString folder = withTrailingSeparator(m_dir->filePath("plainfile/program"));

    provisionDataFile(folder);
    QVERIFY(!QFileInfo::exists(folder + "cy.dat"));
    QCOMPARE(TestData::readFile(m_userFolder + "cy.dat"), carriedDataFile());
    QCOMPARE(dataFilePath(folder), m_userFolder + "cy.dat");

    QCOMPARE(openIdiomStore(folder).path(), m_userFolder + "cy.dat");

    // Later starts use that file as it is.
    TestData::writeFile(m_userFolder + "cy.dat", "changed by the user");
    provisionDataFile(folder);
    QCOMPARE(TestData::readFile(m_userFolder + "cy.dat"), QByteArray("changed by the user"));
}

void ProvisioningTest::writableProgramFolderGetsItsOwnFile()
{
    // A per-user copy, perhaps stale or from another build, does not stand
    // in for the program's own file while the program's folder can be written.
    QDir().mkpath(m_userFolder);
    TestData::writeFile(m_userFolder + "cy.dat", "user copy");
    provisionDataFile(m_programFolder);
    QCOMPARE(TestData::readFile(m_programFolder + "cy.dat"), carriedDataFile());
    QCOMPARE(dataFilePath(m_programFolder), m_programFolder + "cy.dat");
    QCOMPARE(TestData::readFile(m_userFolder + "cy.dat"), QByteArray("user copy"));
}

void ProvisioningTest::failedWriteLeavesNoPartialFile()
{
#ifndef Q_OS_UNIX
    QSKIP("the file size limit that fails the write is POSIX only");
#else
    {
        FileSizeLimit limit(rlim_t(carriedDataFile().size() / 2)); // the disk fills up half way
        try {
            provisionDataFile(m_programFolder);
            QFAIL("a write that could not finish was reported as done");
        } catch (const StoreError &error) {
            QCOMPARE(error.kind(), StoreError::NotWritten);
            QCOMPARE(error.places().size(), 2u);
            QCOMPARE(error.places().front().path(), m_programFolder + "cy.dat");
        }
    }
    QCOMPARE(QDir(m_programFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(QDir(m_userFolder).entryList(QDir::Files | QDir::Hidden), QStringList());

    // The next start writes the whole file.
    provisionDataFile(m_programFolder);
    QCOMPARE(TestData::readFile(m_programFolder + "cy.dat"), carriedDataFile());
#endif
}

void ProvisioningTest::unwritableEverywhereReadsFromMemory()
{
#ifndef Q_OS_UNIX
    QSKIP("the file size limit that fails the write is POSIX only");
#else
    FileSizeLimit limit(rlim_t(carriedDataFile().size() / 2)); // neither place takes the file
    const Dictionary dictionary = openDictionary(m_programFolder);
    QVERIFY(dictionary.store);
    QCOMPARE(dictionary.count, IdiomStore(QStringLiteral(VURA_DATA_FILE)).count());
    QCOMPARE(dictionary.store->idiom(dictionary.count).id, dictionary.count);
    QCOMPARE(dictionary.failure->kind(), StoreError::NotWritten); // the reader is still told
    QCOMPARE(QDir(m_programFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(QDir(m_userFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
#endif
}

void ProvisioningTest::anotherStartHoldingTheFolderKeepsNoOneWaiting()
{
    // Another start takes the folder's lock to write cy.dat and stalls.
    QProcess holder;
    holder.start(QStringLiteral(VURA_PROVISION_CHILD), {"--hold", m_programFolder});
    QVERIFY(holder.waitForReadyRead(30000));
    QCOMPARE(holder.readLine().trimmed(), "holding");

    QElapsedTimer waited;
    waited.start();
    const Dictionary dictionary = openDictionary(m_programFolder);
    QVERIFY2(waited.elapsed() < 5000, qPrintable(QString::number(waited.elapsed())));
    QVERIFY(!dictionary.failure);
    QCOMPARE(dictionary.store->path(), ":/data/cy.dat");
    QCOMPARE(dictionary.count, IdiomStore(QStringLiteral(VURA_DATA_FILE)).count());
    QVERIFY(!QFileInfo::exists(m_programFolder + "cy.dat"));

    // Once the other start is gone, the next one writes the file.
    holder.write("go\n");
    QVERIFY(holder.waitForFinished(30000));
    QCOMPARE(provisionDataFile(m_programFolder), Provision::Written);
}

void ProvisioningTest::commandLineWritesNothing_data()
{
    QTest::addColumn<QString>("kind"); // as makeDataFile() takes it; "" for none
    QTest::addColumn<bool>("fromMemory");
    QTest::newRow("none") << "" << true;
    QTest::newRow("1.0's") << "1.0's" << true;
    QTest::newRow("1.0's, changed") << "1.0's, changed" << false;
    QTest::newRow("this version's") << "this version's" << false;
    QTest::newRow("own") << "own" << false;
}

void ProvisioningTest::commandLineWritesNothing()
{
    QFETCH(QString, kind);
    QFETCH(bool, fromMemory);
    const QString path = m_programFolder + "cy.dat";
    if (!kind.isEmpty())
        makeDataFile(kind, path);
    const QByteArray before = TestData::readFile(path);
    const QStringList entries = QDir(m_programFolder).entryList(QDir::Files | QDir::Hidden);

    const Dictionary dictionary = readDictionary(m_programFolder);
    QVERIFY(!dictionary.failure);
    QCOMPARE(dictionary.store->path(), fromMemory ? QStringLiteral(":/data/cy.dat") : path);
    QCOMPARE(dictionary.count, IdiomStore(fromMemory ? QStringLiteral(VURA_DATA_FILE) : path).count());
    QCOMPARE(QDir(m_programFolder).entryList(QDir::Files | QDir::Hidden), entries);
    QCOMPARE(TestData::readFile(path), before);
    QVERIFY(!QFileInfo::exists(m_userFolder));
}

QTEST_GUILESS_MAIN(ProvisioningTest)
#include "tst_provisioning.moc"
