#include "shell/program.h"
#include "shell/mainmenu.h"
#include "shell/programstyle.h"

#include "lookup/mainwindow.h"
#include "models/storenotice.h"
#include "widgets/fonts.h"
#include "widgets/translations.h"

#include <QApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QResource>

namespace {

// The window icon: the images the build drew from the artwork, one a size,
// 成 alone at 16 pixels and the seal from 24 up, kept as raw pixels.
QIcon windowIcon()
{
    QIcon icon;
    for (const int side : {VURA_WINDOW_ICON_SIZES}) {
        const QResource pixels(QStringLiteral(":/icons/window-%1.argb").arg(side));
        icon.addPixmap(QPixmap::fromImage(QImage(pixels.data(), side, side, QImage::Format_ARGB32_Premultiplied)));
    }
    return icon;
}

} // namespace

void Program::setUp(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("vura"));
    QApplication::setStyle(new ProgramStyle); // before the first widget asks for a style
    loadChineseTranslations(&app);
    QApplication::setWindowIcon(windowIcon()); // both windows take it from here
}

Environment Program::systemEnvironment()
{
    return {showMessageBox, [](const QUrl &url) { return QDesktopServices::openUrl(url); }};
}

Program::Program(const Environment &environment, const QString &programFolder)
    : m_environment(environment),
      m_dictionary(openDictionary(programFolder)),
      m_window(std::make_unique<MainWindow>(m_dictionary, environment))
{
}

Program::~Program() = default;

void Program::start()
{
    // The window maps first; everything that measures text follows, and all
    // of it is done before the first paint.
    m_window->show();
    registerFontSubstitutions(); // before anything draws the artwork's characters
    m_menu = new MainMenu(m_window.get(), m_dictionary, m_environment);
    if (m_dictionary.failure)
        m_environment.notice(m_window.get(), storeNotice(*m_dictionary.failure));
}
