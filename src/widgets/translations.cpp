#include "widgets/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool loadChineseTranslations(QCoreApplication *app)
{
    const QLocale system;
    const QLocale chinese = system.language() == QLocale::Chinese ? system : QLocale(QLocale::Chinese, QLocale::China);
    auto *translator = new QTranslator(app);
    // Carried inside the program where Qt has no folder of them (the
    // Windows build); otherwise Qt's own.
    if (!translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), QStringLiteral(":/i18n"))
        && !translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
