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
    if (!translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
