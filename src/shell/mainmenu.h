// The main window's menu bar: 文件 (退出), 成语接龙, and 帮助 with its four
// items, by the names the menu was designed with.
#pragma once

#include <QObject>

class QAction;
class QMainWindow;

class MainMenu : public QObject
{
    Q_OBJECT

public:
    // Builds the items on `window`'s menu bar.
    explicit MainMenu(QMainWindow *window);

    QAction *cd_wj, *cd_tc, *cd_cyjl, *cd_bz, *cd_bzzt, *cd_rjsj, *cd_gdrj, *cd_gy;
};
