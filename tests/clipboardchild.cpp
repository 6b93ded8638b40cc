// Another program copying, for the 取词 tests on a real window system:
// `clipboardchild TEXT [FORMAT VALUE]...` puts TEXT on the clipboard, with
// each FORMAT holding VALUE beside it (as a password manager marks what it
// copies), prints "copied", then "read FORMAT" each time a program asks for
// a format, until it is killed.
#include <QGuiApplication>
#include <QClipboard>
#include <QMimeData>
#include <cstdio>

namespace {

class ToldMimeData : public QMimeData
{
protected:
    QVariant retrieveData(const QString &format, QMetaType type) const override
    {
        std::printf("read %s\n", qPrintable(format));
        std::fflush(stdout);
        return QMimeData::retrieveData(format, type);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 2)
        return 2;
    auto *data = new ToldMimeData;
    data->setText(arguments[1]);
    for (qsizetype at = 2; at + 1 < arguments.size(); at += 2)
        data->setData(arguments[at], arguments[at + 1].toUtf8());
    QGuiApplication::clipboard()->setMimeData(data);
    std::printf("copied\n");
    std::fflush(stdout);
    return app.exec();
}
