// vura-import [--carried | --as-1.0] [--common COUNT.txt] INPUT.csv OUTPUT.dat:
// builds the idiom data file, correcting the pinned data set by the errata
// table (errata.tsv). --carried marks it as the data file the program
// carries; --as-1.0 writes the file vura 1.0 carried instead, uncorrected and
// unmarked. --common ranks the idioms by THUOCL's count of documents
// (THUOCL_chengyu.txt) in table common.
// vura-import --digest FILE prints the digest by which a start of the
// program recognises a data file (store/datafilemark.h).
#include "import/idiomimport.h"
#include "store/datafilemark.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: vura-import [--carried | --as-1.0] [--common COUNT.txt] INPUT.csv OUTPUT.dat\n"
                         "       vura-import --digest FILE\n");
    return 2;
}

int printDigest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vura-import: %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return 1;
    }
    std::printf("%s\n", DataFileMark::digest(file.readAll()).constData());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args.at(0) == QLatin1String("--digest"))
        return printDigest(args.at(1));
    DataFileForm form = DataFileForm::Plain;
    QString common;
    if (!args.isEmpty() && args.at(0) == QLatin1String("--carried")) {
        form = DataFileForm::Carried;
        args.removeFirst();
    } else if (!args.isEmpty() && args.at(0) == QLatin1String("--as-1.0")) {
        form = DataFileForm::Version10;
        args.removeFirst();
    }
    if (args.size() == 4 && args.at(0) == QLatin1String("--common")) {
        common = args.at(1);
        args = args.mid(2);
    }
    if (args.size() != 2)
        return usage();
    try {
        const int count = importIdioms(args.at(0), args.at(1), form, common);
        std::printf("vura-import: %d idioms written to %s\n", count, qPrintable(args.at(1)));
        return 0;
    } catch (const ImportError &error) {
        std::fprintf(stderr, "vura-import: %s: %s\n", qPrintable(args.at(0)), error.what());
        return 1;
    }
}
