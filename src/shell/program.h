// The program as a whole: the world it runs in, the main window with its menu
// bar and, through the menu, the chain window.
#pragma once

#include "widgets/environment.h"

#include <memory>

class Form1;
class MainMenu;
class QApplication;

class Program
{
public:
    // What the whole application shares: Qt's own texts in Chinese, the
    // program icon and style. Once, before any window.
    static void setUp(QApplication &app);
    // The world of the real program: its executable's folder, modal message
    // boxes, the user's web browser.
    static Environment systemEnvironment();

    // The windows run in `environment`, which outlives the program.
    explicit Program(const Environment &environment);
    ~Program();

    // Start-up as the user sees it: the main window shows, takes the fonts
    // the windows ask for, its menu and its idioms, then says why when the
    // idioms cannot be read.
    void start();

    Form1 &mainWindow() { return *m_window; }
    // Once started.
    MainMenu &menu() { return *m_menu; }

private:
    const Environment &m_environment;
    std::unique_ptr<Form1> m_window;
    MainMenu *m_menu = nullptr;
};
