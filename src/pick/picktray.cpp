#include "pick/picktray.h"

#include "pick/picker.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

PickTray::PickTray(Picker *picker, QObject *parent)
    : QObject(parent), m_menu(new QMenu), m_icon(new QSystemTrayIcon(this))
{
    m_menu->addAction(QStringLiteral("显示主窗口"), this, &PickTray::showMainWindowAsked);
    m_pickAction = m_menu->addAction(QStringLiteral("取词"));
    m_pickAction->setCheckable(true);
    connect(m_pickAction, &QAction::toggled, picker, &Picker::setOn);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("退出"), this, &PickTray::quitAsked);
    m_icon->setContextMenu(m_menu);
    m_icon->setToolTip(QStringLiteral("vura 取词"));
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            emit showMainWindowAsked();
    });
    connect(picker, &Picker::switched, this, &PickTray::follow);
    follow(picker->isOn());
}

PickTray::~PickTray()
{
    delete m_menu;
}

void PickTray::follow(bool on)
{
    m_pickAction->setChecked(on);
    // The program's icon, once start-up has set it.
    m_icon->setIcon(QGuiApplication::windowIcon());
    m_icon->setVisible(on);
}
