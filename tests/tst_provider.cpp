// The provider over the data file: connection strings, the files it refuses,
// comparisons and patterns, user text taken literally, and the recordset's
// life (count, end of set, move, close, reopen).
#include "connection.h"
#include "recordset.h"
#include "sqlitehandle.h"
#include "storeerror.h"
#include "idiomstore.h"
#include "testdata.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

namespace {

// Every `cy` of the statement's rows, in the order the provider gives them.
QStringList idioms(Connection &conn, const Command &command)
{
    Recordset rs;
    rs.open(command, conn, adOpenStatic);
    QStringList texts;
    const int n = rs.recordCount();
    for (int row = 1; row <= n; ++row) {
        texts << rs.fields().item("cy").value().toString();
        if (!rs.eof())
            rs.moveNext();
    }
    rs.close();
    return texts;
}

QString openError(const QString &connectionString)
{
    Connection conn;
    try {
        conn.open(connectionString);
    } catch (const StoreError &error) {
        return error.message();
    }
    return QString();
}

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 12345;
    for (char &byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = char(state >> 24);
    }
    return bytes;
}

void execute(const QString &dataFile, const char *sql)
{
    sqlite3 *raw = nullptr;
    sqlite3_open(QFile::encodeName(dataFile).constData(), &raw);
    Sqlite::Database db(raw);
    if (sqlite3_exec(raw, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(raw));
}

} // namespace

class ProviderTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void connectionStrings();
    void unusableFiles_data();
    void unusableFiles();

    void comparisonsIgnoreLetterCase();
    void wildcards();
    void userTextIsTakenLiterally_data();
    void userTextIsTakenLiterally();
    void nullIsNotEmptyText();
    void indexesServeTheLookUps_data();
    void indexesServeTheLookUps();

    void recordsetLife();
    void recordsetRefusals();
    void otherStatementShapesAreRefused_data();
    void otherStatementShapesAreRefused();
    void twoConnectionsAtOnce();

private:
    QTemporaryDir m_dir;
    QString m_dataFile;
    Connection m_conn;
};

void ProviderTest::initTestCase()
{
    m_dataFile = TestData::writeDataFile(m_dir.path());
    m_conn.open(connectionString(m_dataFile), QString(), QString(), adConnectUnspecified);
}

void ProviderTest::connectionStrings()
{
    // The string the windows build, password piece included, opens the file.
    QVERIFY(openError(connectionString(m_dataFile)).isEmpty());
    QVERIFY(openError("provider=microsoft.jet.oledb.4.0;data source=" + m_dataFile).isEmpty());

    QVERIFY(openError("Provider=SQLOLEDB;Data Source=" + m_dataFile).contains("SQLOLEDB"));
    QVERIFY(openError("Data Source=" + m_dataFile).contains("数据提供程序"));
    QVERIFY(openError("Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;").contains("Data Source"));
    QVERIFY(openError("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"" + m_dataFile).contains("引号"));
    QVERIFY(openError("Provider=Microsoft.Jet.OLEDB.4.0;garbage;Data Source=" + m_dataFile).contains("garbage"));

    // A folder whose name holds ';' or a quote still reaches its file.
    const QString odd = m_dir.filePath("a;b'c\"d");
    QVERIFY(QDir().mkpath(odd));
    QVERIFY(QFile::copy(m_dataFile, odd + "/cy.dat"));
    QVERIFY2(openError(connectionString(odd + "/cy.dat")).isEmpty(), qPrintable(openError(connectionString(odd + "/cy.dat"))));
    QCOMPARE(connectionString("/opt/vura/cy.dat"),
             "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=/opt/vura/cy.dat;"
             "Jet OLEDB:Database Password=mt38k24r61b7n3;");
}

void ProviderTest::unusableFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << "missing.dat" << QByteArray() << "找不到成语数据文件";
    QTest::newRow("empty") << "empty.dat" << QByteArray("") << "文件是空的";
    QTest::newRow("text") << "text.dat" << QByteArray(5000, 'x') << "不是成语数据文件";
    QTest::newRow("folder") << "folder.dat" << QByteArray() << "这是一个文件夹";
    QTest::newRow("foreign database") << "foreign.dat" << QByteArray() << "没有成语表 cy";
    QTest::newRow("truncated") << "truncated.dat" << QByteArray() << "文件已损坏";
    QTest::newRow("random bytes") << "random.dat" << randomBytes(8192) << "不是成语数据文件";
    QTest::newRow("a column missing") << "nolz.dat" << QByteArray() << "成语表 cy 缺少 lz 列";
}

void ProviderTest::unusableFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);

    const QString path = m_dir.filePath(name);
    if (!content.isNull())
        TestData::writeFile(path, content);
    if (name == "folder.dat")
        QDir().mkpath(path);
    if (name == "foreign.dat")
        execute(path, "CREATE TABLE other (x); INSERT INTO other VALUES (1);");
    if (name == "nolz.dat")
        execute(path, "CREATE TABLE cy (id INTEGER PRIMARY KEY, cy, py, ys, cc, pyjm); INSERT INTO cy VALUES (1, 'a', 'b', 'c', 'd', 'e');");
    if (name == "truncated.dat") {
        QFile source(m_dataFile);
        QVERIFY(source.open(QIODevice::ReadOnly));
        TestData::writeFile(path, source.read(source.size() / 2));
    }

    // Open refuses the file, or the statement on it fails: either way with
    // an error that names the file, never a crash.
    QString message = openError(connectionString(path));
    if (message.isEmpty()) {
        Connection conn;
        conn.open(connectionString(path));
        try {
            idioms(conn, "SELECT * FROM cy where id > 0");
            QFAIL("a damaged file read without an error");
        } catch (const StoreError &error) {
            message = error.message();
        }
    }
    QVERIFY2(message.contains(path), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    // A file that is there is never ours to delete: the user is told to.
    if (name != "missing.dat")
        QVERIFY2(message.contains("删除"), qPrintable(message));
}

void ProviderTest::comparisonsIgnoreLetterCase()
{
    QCOMPARE(idioms(m_conn, {"SELECT id,cy FROM cy where pyjm=?", {"ABSX"}}), QStringList{"爱不释手"});
    QCOMPARE(idioms(m_conn, {"SELECT id,cy FROM cy where pyjm=?", {"AbSx"}}), QStringList{"爱不释手"});
    QCOMPARE(idioms(m_conn, {"SELECT id,cy FROM cy where pyjm like ?", {"NX%"}}), QStringList({"难兄难弟", "难兄难弟"}));
    QCOMPARE(idioms(m_conn, {"SELECT id,cy FROM cy where cy=?", {"爱不释手"}}), QStringList{"爱不释手"});
}

void ProviderTest::wildcards()
{
    // "_" is one character, "%" any run; both only in LIKE.
    QCOMPARE(idioms(m_conn, {"SELECT id,cy FROM cy where cy like ?", {"_人%"}}),
             QStringList({"杞人忧天", "人人自危", "众人拾柴火焰高"}));
    QCOMPARE(idioms(m_conn, {"SELECT id,cy FROM cy where cy like ?", {"%人%"}}).size(), 4);
    QCOMPARE(idioms(m_conn, {"SELECT id,cy FROM cy where cy like ?", {"%"}}).size(), TestData::kCount);
    QCOMPARE(idioms(m_conn, {"SELECT id,cy FROM cy where cy=?", {"_人%"}}), QStringList());
    QCOMPARE(idioms(m_conn, {"SELECT id,cy FROM cy where cy like ?", {"一%"}}),
             QStringList({"一心一意", "一马当先", "一言既出，驷马难追"}));
}

void ProviderTest::userTextIsTakenLiterally_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophe") << "'";
    QTest::newRow("closing the literal") << "a' OR '1'='1";
    QTest::newRow("comment") << "一' --";
    QTest::newRow("second statement") << "'; DROP TABLE cy; --";
    QTest::newRow("doubled apostrophes") << "''";
}

void ProviderTest::userTextIsTakenLiterally()
{
    QFETCH(QString, text);
    for (const char *sql : {"SELECT id,cy FROM cy where cy=?", "SELECT id,cy FROM cy where pyjm=?",
                            "SELECT id,cy FROM cy where cy like ?", "SELECT id,cy FROM cy where pyjm like ?"})
        QCOMPARE(idioms(m_conn, {sql, {text + "%"}}), QStringList());
    QCOMPARE(idioms(m_conn, "SELECT id,cy FROM cy").size(), TestData::kCount);
}

void ProviderTest::nullIsNotEmptyText()
{
    Recordset rs;
    rs.open("SELECT * FROM cy where id=14", m_conn, adOpenStatic);
    QCOMPARE(rs.fields().item("cy").value().toString(), QStringLiteral("一言既出，驷马难追"));
    QVERIFY(rs.fields().item("ys").value().isNull());
    QVERIFY(rs.fields().item("lz").value().isNull());
    QCOMPARE(rs.fields().item("id").value(), QVariant(14));
    QCOMPARE(rs.fields().item("ID").value().typeId(), QMetaType::Int);
    rs.close();

    // A file that does hold an empty text gives it back as one, not as null.
    const QString path = m_dir.filePath("empty-text.dat");
    QFile::remove(path);
    execute(path, "CREATE TABLE cy (id INTEGER PRIMARY KEY, cy TEXT, py TEXT, ys TEXT, cc TEXT, lz TEXT, pyjm TEXT);"
                  "INSERT INTO cy (id, cy, ys) VALUES (1, '一', ''), (2, '二', NULL);");
    Connection conn;
    conn.open(connectionString(path));
    rs.open("SELECT * FROM cy", conn);
    QCOMPARE(rs.fields().item("ys").value(), QVariant(QString("")));
    QVERIFY(!rs.fields().item("ys").value().isNull());
    rs.moveNext();
    QVERIFY(rs.fields().item("ys").value().isNull());
    rs.close();
}

void ProviderTest::indexesServeTheLookUps_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("index");
    QTest::newRow("cy=") << "SELECT id,cy FROM cy where cy=?" << "一心一意" << "CYTEXT";
    QTest::newRow("cy like") << "SELECT id,cy FROM cy where cy like ?" << "一%" << "CYTEXT";
    QTest::newRow("pyjm=") << "SELECT id,cy FROM cy where pyjm=?" << "ABSX" << "PYCODE";
    QTest::newRow("pyjm like") << "SELECT id,cy FROM cy where pyjm like ?" << "ab%" << "PYCODE";
    QTest::newRow("id=") << "SELECT * FROM cy where id=?" << "" << "INTEGER PRIMARY KEY";
}

void ProviderTest::indexesServeTheLookUps()
{
    QFETCH(QString, sql);
    QFETCH(QString, value);
    QFETCH(QString, index);

    const QByteArray plan = ("EXPLAIN QUERY PLAN " + sql).toUtf8();
    sqlite3_stmt *raw = nullptr;
    QCOMPARE(sqlite3_prepare_v2(m_conn.handle(), plan.constData(), -1, &raw, nullptr), SQLITE_OK);
    Sqlite::Statement statement(raw);
    const QByteArray bound = value.toUtf8();
    if (value.isEmpty())
        sqlite3_bind_int(raw, 1, 5);
    else
        sqlite3_bind_text(raw, 1, bound.constData(), -1, SQLITE_TRANSIENT);
    QString detail;
    while (sqlite3_step(raw) == SQLITE_ROW)
        detail += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(raw, 3)));
    QVERIFY2(detail.startsWith("SEARCH") && detail.contains(index), qPrintable(detail));
}

void ProviderTest::recordsetLife()
{
    Recordset rs;
    QCOMPARE(rs.state(), int(adStateClosed));
    rs.open({"SELECT id,cy FROM cy where cy like ?", {"人%"}}, m_conn, adOpenStatic);
    QCOMPARE(rs.state(), int(adStateOpen));
    QCOMPARE(rs.recordCount(), 2);
    QVERIFY(!rs.eof());
    QCOMPARE(rs.fields().item("cy").value().toString(), QStringLiteral("人山人海"));
    rs.moveNext();
    QCOMPARE(rs.fields().item("id").value().toInt(), 10);
    QCOMPARE(rs.recordCount(), 2); // counting does not move the cursor
    rs.moveNext();
    QVERIFY(rs.eof());
    rs.close();
    QCOMPARE(rs.state(), int(adStateClosed));

    // The same object opens again, and an empty result counts 0 at its end.
    rs.open({"SELECT id,cy FROM cy where cy=?", {"没有这个成语"}}, m_conn, adOpenStatic);
    QCOMPARE(rs.recordCount(), 0);
    QVERIFY(rs.eof());
    rs.close();

    rs.open("SELECT * FROM cy", m_conn, adOpenStatic);
    QCOMPARE(rs.recordCount(), TestData::kCount);
    QCOMPARE(rs.fields().count(), 7);
    rs.close();
}

void ProviderTest::recordsetRefusals()
{
    Recordset rs;
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.recordCount());
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.close());
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.fields().item("cy"));

    rs.open("SELECT * FROM cy where id=1", m_conn, adOpenStatic);
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.open("SELECT * FROM cy", m_conn, adOpenStatic));
    QCOMPARE(rs.fields().item("cy").value().toString(), QStringLiteral("爱不释手")); // still the first open
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.fields().item("nosuchcolumn"));
    rs.moveNext();
    QVERIFY(rs.eof());
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.moveNext());
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.fields().item("cy").value());
    rs.close();

    // Any exception on the way leaves a guarded recordset closed.
    try {
        const RecordsetGuard closing(rs);
        rs.open("SELECT * FROM cy", m_conn, adOpenStatic);
        throw std::runtime_error("not a StoreError");
    } catch (const std::runtime_error &) {
    }
    QCOMPARE(rs.state(), int(adStateClosed));

    Connection closed;
    QVERIFY_THROWS_EXCEPTION(StoreError, rs.open("SELECT * FROM cy", closed, adOpenStatic));
    QVERIFY_THROWS_EXCEPTION(StoreError, m_conn.open(connectionString(m_dataFile)));
}

void ProviderTest::otherStatementShapesAreRefused_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("a write") << "DELETE FROM cy";
    QTest::newRow("two statements") << "SELECT 1; SELECT 2";
    QTest::newRow("no table") << "SELECT 1";
    QTest::newRow("an ordering of its own") << "SELECT * FROM cy ORDER BY id";
    QTest::newRow("a join") << "SELECT * FROM cy a, cy b";
    QTest::newRow("an unknown table") << "SELECT * FROM nosuchtable";
    QTest::newRow("a value missing") << "SELECT * FROM cy where id=?";
}

void ProviderTest::otherStatementShapesAreRefused()
{
    QFETCH(QString, sql);
    Recordset rs;
    try {
        rs.open(sql, m_conn, adOpenStatic);
        QFAIL("the statement ran");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("语句“%1”不是对成语表 cy 的简单查询").arg(sql)),
                 qPrintable(error.message()));
    }
    QCOMPARE(rs.state(), int(adStateClosed));
    QCOMPARE(idioms(m_conn, "SELECT id,cy FROM cy").size(), TestData::kCount); // nothing changed
}

void ProviderTest::twoConnectionsAtOnce()
{
    Connection other;
    other.open(connectionString(m_dataFile));
    Recordset a, b;
    a.open("SELECT * FROM cy", m_conn, adOpenStatic);
    b.open({"SELECT id,cy FROM cy where cy like ?", {"一%"}}, other, adOpenStatic);
    QCOMPARE(a.recordCount(), TestData::kCount);
    QCOMPARE(b.recordCount(), 3);
    a.close();
    b.close();
}

QTEST_GUILESS_MAIN(ProviderTest)
#include "tst_provider.moc"
