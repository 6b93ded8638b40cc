#include "shell/program.h"
#include "shell/mainmenu.h"
#include "shell/programstyle.h"

#include "lookup/form1.h"
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
    return {QCoreApplication::applicationDirPath(), MsgBox,
            [](const QUrl &url) { QDesktopServices::openUrl(url); }};
}

Program::Program(const Environment &environment)
    : m_environment(environment), m_window(std::make_unique<Form1>(environment))
{
}

Program::~Program() = default;

void Program::start()
{
    // The window maps first, as bare as a window can be; everything that
    // measures text follows, and all of it is done before the first paint.
    m_window->show();
    registerFontSubstitutions(); // before anything draws the artwork's characters
    m_menu = new MainMenu(m_window.get(), m_environment);
    m_window->Form_Load();
    m_window->reportStartupFailure();
}
