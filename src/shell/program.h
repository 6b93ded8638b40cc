// The program as a whole: the world it runs in, the dictionary it opens
// once for every window, the main window with its menu bar and, through the
// menu, the side windows; and 取词 with its tray icon.
#pragma once

#include "speech/readaloud.h"
#include "chain/game/chainindexholder.h"
#include "store/datafile.h"
#include "widgets/environment.h"

#include <QString>
#include <functional>
#include <memory>

class MainWindow;
class MainMenu;
class Picker;
class PickTray;
class ReaderStore;
class SideWindows;
class WindowKeeper;
class QApplication;

class Program
{
public:
    // What the whole application shares: Qt's own texts in Chinese and the
    // program's style. Once, before any window.
    static void setUp(QApplication &app);
    // The world of the real program: modal message boxes and the user's web
    // browser.
    static Environment systemEnvironment();

    // Builds the main window for the dictionary of the program in
    // `programFolder` and the reader's store in the per-user data folder,
    // which start() opens (writing the data file on the first start).
    // The windows run in `environment`, which outlives the program, and
    // read aloud with the engine `speakers` makes when 朗读 is first used;
    // `voiceMissing` says at start whether it surely has no Chinese voice.
    Program(const Environment &environment, const QString &programFolder,
            ReadAloud::SpeakerFactory speakers = makeSystemSpeaker,
            std::function<QString()> voiceMissing = systemVoiceMissing);
    ~Program();

    // Start-up as the reader sees it: the main window shows, takes the
    // program icon, the fonts the windows ask for and its menu, then says once why the idioms cannot
    // be read or kept, and why the history and word book cannot, when they
    // cannot.
    // With `pick`, 取词 is switched on as the window shows; otherwise it is
    // as the reader left it.
    void start(bool pick = false);

    const Dictionary &dictionary() const { return m_dictionary; }
    MainWindow &mainWindow() { return *m_window; }
    // Once started.
    ReaderStore &reader() { return *m_reader; }
    MainMenu &menu() { return *m_menu; }
    SideWindows &sideWindows() { return *m_sideWindows; }
    WindowKeeper &windowKeeper() { return *m_keeper; }
    Picker &picker() { return *m_picker; }

private:
    // 取词 as the reader left it, or on; its tray icon; and what its card
    // and key ask of the main window.
    void startPicker(bool on);

    const Environment &m_environment;
    const QString m_programFolder;
    Dictionary m_dictionary; // opened as the program starts
    ChainIndexHolder m_chains; // what may follow what, for the chain and the game
    const QString m_readerFolder; // the per-user folder of the reader's own files
    std::unique_ptr<ReaderStore> m_reader;
    std::unique_ptr<WindowKeeper> m_keeper; // before the windows, which it watches to the end
    ReadAloud m_readAloud; // before the windows, which read with it
    const std::function<QString()> m_voiceMissing;
    std::unique_ptr<MainWindow> m_window;
    SideWindows *m_sideWindows = nullptr; // the main window's, once started
    std::unique_ptr<Picker> m_picker; // once started
    std::unique_ptr<PickTray> m_tray;
    MainMenu *m_menu = nullptr;
};
