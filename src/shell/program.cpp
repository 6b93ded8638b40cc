#include "shell/program.h"

#include "shell/fontconfigwarmup.h"
#include "shell/mainmenu.h"
#include "shell/programstyle.h"
#include "shell/sidewindows.h"
#include "shell/windowkeeper.h"

#include "lookup/mainwindow.h"
#include "pick/picker.h"
#include "pick/picktray.h"
#include "models/storenotice.h"
#include "store/storeerror.h"
#include "reader/readerstore.h"
#include "widgets/fonts.h"
#include "widgets/translations.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QIcon>
#include <QResource>
#include <QStandardPaths>
#include <QTimer>

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

// What the reader is told, once, when the history and word book are not
// kept as they were; empty when they are.
QString readerNotice(const ReaderStore &reader, const QString &folder)
{
    switch (reader.opening()) {
    case ReaderStore::Opening::Opened:
        return {};
    case ReaderStore::Opening::SetAside:
        return QStringLiteral("历史记录和生词本的文件已损坏，无法读取。它已改名为\n%1\n"
                              "保存下来，程序新建了一个空的文件。")
            .arg(QDir::toNativeSeparators(reader.setAsidePath()));
    case ReaderStore::Opening::InMemory:
        break;
    }
    return QStringLiteral("无法在文件夹 %1 里写入历史记录和生词本。查成语不受影响，"
                          "但这次的历史记录和生词本在程序关闭后不会保存。")
        .arg(QDir::toNativeSeparators(folder));
}

// The per-user data folder: ~/.local/share/vura on Linux, %LOCALAPPDATA%\vura on Windows.
QString readerFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

} // namespace

void Program::setUp(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("vura"));
    QApplication::setStyle(new ProgramStyle); // before the first widget asks for a style
    loadChineseTranslations(&app);
}

Environment Program::systemEnvironment()
{
    return {showMessageBox, [](const QUrl &url) { return QDesktopServices::openUrl(url); }, askInMessageBox};
}

Program::Program(const Environment &environment, const QString &programFolder, ReadAloud::SpeakerFactory speakers,
                 std::function<QString()> voiceMissing)
    : m_environment(environment),
      m_programFolder(programFolder),
      m_chains(m_dictionary),
      m_readerFolder(readerFolder()),
      m_keeper(std::make_unique<WindowKeeper>(m_readerFolder)),
      m_readAloud(std::move(speakers)),
      m_voiceMissing(std::move(voiceMissing)),
      m_window(std::make_unique<MainWindow>(m_dictionary, environment))
{
    m_keeper->keep(m_window.get());
}

Program::~Program() = default;

void Program::start(bool pick)
{
    // The window maps first, before anything in it has measured a text;
    // everything that does follows, and all of it is done before the first
    // paint. The font configuration is read on a thread of its own while
    // the data files open, which needs none: started earlier, it would
    // only slow the connection to the display, and the map, down.
    m_window->show();
    FontconfigWarmUp fonts;
    // The dictionary opens once the window maps, and idiom 1 is on the card
    // before the first paint. So does the reader's own file: the card shows
    // its word-book toggle from the first paint, and the map waits for no
    // second database.
    m_dictionary = openDictionary(m_programFolder);
    m_reader = std::make_unique<ReaderStore>(m_readerFolder);
    fonts.wait();
    m_window->showFirstIdiom();
    // Every window takes its icon from here. Made into the window system's
    // form, its images are work the map need not wait for.
    QApplication::setWindowIcon(windowIcon());
    registerFontSubstitutions(); // before anything draws the artwork's characters
    m_window->setReaderStore(m_reader.get());
    // The engine is loaded when first used; 朗读 is greyed from the first
    // paint where what is installed shows that it cannot speak.
    m_readAloud.lookForVoice(m_voiceMissing);
    m_window->setReadAloud(&m_readAloud);
    m_sideWindows = new SideWindows(m_window.get(), m_dictionary, m_chains, m_environment, *m_reader, *m_keeper);
    m_sideWindows->setReadAloud(&m_readAloud);
    startPicker(pick);
    m_menu = new MainMenu(m_window.get(), m_environment, m_dictionary, *m_sideWindows, *m_keeper, *m_picker);
    // Half a second on, when the window is drawn and the reader has not yet
    // typed a search.
    QTimer::singleShot(500, m_window.get(), &MainWindow::prepareSearch);
    if (m_dictionary.failure)
        m_environment.notice(m_window.get(), storeNotice(*m_dictionary.failure));
    if (const QString notice = readerNotice(*m_reader, m_readerFolder); !notice.isEmpty())
        m_environment.notice(m_window.get(), notice);
}

void Program::startPicker(bool on)
{
    const auto find = [this](const QString &text) -> Picker::Found {
        try {
            const SearchResult found = m_window->find(text);
            if (found.stage == SearchResult::Nothing)
                return {};
            return {m_dictionary.store->idiom(found.entries.constFirst().id), found.stage};
        } catch (const StoreError &) {
            return {}; // what cannot be read pops up nothing
        }
    };
    m_picker = std::make_unique<Picker>(find, [this] { return m_keeper->zoom(); });
    m_picker->setReadAloud(&m_readAloud);
    m_picker->setSelectionWatched(!m_keeper->choice(QStringLiteral("pickCopiesOnly"), false).toBool());
    MainWindow *window = m_window.get();
    const auto bringForward = [window] {
        window->showNormal();
        window->raise();
        window->activateWindow();
    };
    // 详细 and Ctrl+Alt+Z bring the main window forward; only 详细 puts
    // the idiom into the history.
    QObject::connect(m_picker.get(), &Picker::detailsAsked, window, [window, bringForward](int id) {
        window->showIdiom(id);
        bringForward();
    });
    QObject::connect(m_picker.get(), &Picker::searchAsked, window, [window, bringForward](const QString &text) {
        bringForward();
        window->searchFor(text);
    });
    QObject::connect(m_picker.get(), &Picker::wordBookAsked, window, &MainWindow::addToWordBook);
    // The tray icon is made the first time 取词 is switched on, and shows while it is.
    QObject::connect(m_picker.get(), &Picker::switched, window, [this, window, bringForward](bool picking) {
        m_keeper->keepChoice(QStringLiteral("pick"), picking);
        if (!picking || m_tray)
            return;
        m_tray = std::make_unique<PickTray>(m_picker.get());
        QObject::connect(m_tray.get(), &PickTray::showMainWindowAsked, window, bringForward);
        QObject::connect(m_tray.get(), &PickTray::quitAsked, window, &QWidget::close);
    });
    m_picker->setOn(on || m_keeper->choice(QStringLiteral("pick"), false).toBool());
}
