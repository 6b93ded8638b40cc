// The icon in the system tray while 取词 is on, with its menu: 显示主窗口,
// 取词 (to switch it off), 退出. Closing the main window still ends vura.
#pragma once

#include <QObject>

class Picker;
class QAction;
class QMenu;
class QSystemTrayIcon;

class PickTray : public QObject
{
    Q_OBJECT

public:
    // Shows the icon while `picker` is on; `picker` outlives the tray.
    explicit PickTray(Picker *picker, QObject *parent = nullptr);
    ~PickTray() override;

    QSystemTrayIcon *icon() const { return m_icon; }
    QAction *pickAction() const { return m_pickAction; }

signals:
    void showMainWindowAsked();
    void quitAsked();

private:
    void follow(bool on);

    QMenu *m_menu;
    QAction *m_pickAction;
    QSystemTrayIcon *m_icon;
};
