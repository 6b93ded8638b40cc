// Times the idiom store on the data file this build carries: first start,
// warm open and count, the search look-ups, and the card's look-up by id.
#include "searchstatements.h"
#include "connection.h"
#include "idiomstore.h"
#include "recordset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace {

double msSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// Runs the four look-ups of a search for `text` and reads every row.
int search(Connection &conn, Recordset &rs, const QString &text)
{
    int rows = 0;
    for (const SearchStatement &statement : kSearchStatements) {
        rs.open({QString::fromUtf8(statement.sql), {statement.parameter(text)}}, conn, adOpenStatic);
        const int n = rs.recordCount();
        for (int row = 1; row <= n; ++row) {
            rs.fields().item("cy").value();
            rs.fields().item("id").value();
            ++rows;
            if (!rs.eof())
                rs.moveNext();
        }
        rs.close();
    }
    return rows;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const int runs = 20;

    double firstStart = 0;
    int count = 0;
    for (int run = 0; run < runs; ++run) {
        const QString appPath = folderRule(dir.filePath(QString::number(run)));
        QElapsedTimer timer;
        timer.start();
        std::unique_ptr<Connection> conn;
        std::unique_ptr<Recordset> rs;
        QDir().mkpath(appPath);
        ProvisionDataFile(appPath);
        OpenIdiomStore(appPath, conn, rs);
        count = countIdioms(*conn, *rs);
        firstStart += msSince(timer);
    }
    std::printf("first start: write cy.dat + open + count %d idioms   %8.2f ms\n", count, firstStart / runs);

    const QString appPath = folderRule(dir.filePath(QStringLiteral("0")));
    double warm = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        std::unique_ptr<Connection> conn;
        std::unique_ptr<Recordset> rs;
        OpenIdiomStore(appPath, conn, rs);
        countIdioms(*conn, *rs);
        warm += msSince(timer);
    }
    std::printf("warm start: open + count                          %8.2f ms\n", warm / runs);

    std::unique_ptr<Connection> conn;
    std::unique_ptr<Recordset> rs;
    OpenIdiomStore(appPath, conn, rs);
    for (const QString &text : {QStringLiteral("%"), QStringLiteral("一"), QStringLiteral("ab")}) {
        int rows = 0;
        QElapsedTimer timer;
        timer.start();
        for (int run = 0; run < runs; ++run)
            rows = search(*conn, *rs, text);
        std::printf("search \"%s\": four look-ups, %5d rows read        %8.3f ms\n",
                    qPrintable(text), rows, msSince(timer) / runs);
    }

    QElapsedTimer timer;
    timer.start();
    for (int id = 1; id <= count; ++id) {
        rs->open({QString::fromUtf8(kIdiomById), {id}}, *conn, adOpenStatic);
        for (const char *column : {"id", "py", "cy", "ys", "cc", "lz"})
            rs->fields().item(QString::fromLatin1(column)).value();
        rs->close();
    }
    std::printf("card look-up by id, mean over %d ids             %8.2f us\n", count,
                timer.nsecsElapsed() / 1e3 / count);
    return 0;
}
