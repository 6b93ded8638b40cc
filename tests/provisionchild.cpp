// One start of the program's store, for the test of two starts at once:
// provisions the data file in the folder given, opens it and prints the
// number of idioms, or the error.
#include "idiomstore.h"
#include "connection.h"
#include "recordset.h"
#include "storeerror.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    try {
        const QString appPath = folderRule(QString::fromLocal8Bit(argv[1]));
        ProvisionDataFile(appPath);
        std::unique_ptr<Connection> conn;
        std::unique_ptr<Recordset> rs;
        OpenIdiomStore(appPath, conn, rs);
        std::printf("%d\n", countIdioms(*conn, *rs));
        return 0;
    } catch (const StoreError &error) {
        std::printf("%s\n", qPrintable(error.message()));
        return 1;
    }
}
