#include "mainmenu.h"

#include <QMainWindow>
#include <QMenuBar>

MainMenu::MainMenu(QMainWindow *window)
    : QObject(window)
{
    QMenuBar *bar = window->menuBar();
    QMenu *file = bar->addMenu(QStringLiteral("文件"));
    cd_wj = file->menuAction();
    cd_tc = file->addAction(QStringLiteral("退出"));
    cd_cyjl = bar->addAction(QStringLiteral("成语接龙"));
    QMenu *help = bar->addMenu(QStringLiteral("帮助"));
    cd_bz = help->menuAction();
    cd_bzzt = help->addAction(QStringLiteral("帮助主题"));
    cd_rjsj = help->addAction(QStringLiteral("软件升级"));
    cd_gdrj = help->addAction(QStringLiteral("更多软件"));
    cd_gy = help->addAction(QStringLiteral("关于..."));
}
