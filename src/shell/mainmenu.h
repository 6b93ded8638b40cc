// The main window's menu bar: 文件 (退出), 成语接龙, and 帮助 with its four
// items, by the names the menu was designed with, and what they do.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

struct Environment;
class Form2;
class QAction;
class QMainWindow;

class MainMenu : public QObject
{
    Q_OBJECT

public:
    // Builds the items on the main window's menu bar.
    MainMenu(QMainWindow *window, const Environment &environment);
    // Takes an open chain window with it.
    ~MainMenu() override;

    // The texts of the help and about boxes.
    static QString helpText();
    static QString aboutText();

    // The chain window while it is open, otherwise null.
    Form2 *chainWindow() const;

    QAction *cd_wj, *cd_tc, *cd_cyjl, *cd_bz, *cd_bzzt, *cd_rjsj, *cd_gdrj, *cd_gy;

public slots:
    void cd_tc_Click();   // 退出
    void cd_cyjl_Click(); // 成语接龙
    void cd_bzzt_Click(); // 帮助主题
    void cd_rjsj_Click(); // 软件升级
    void cd_gdrj_Click(); // 更多软件
    void cd_gy_Click();   // 关于...

private:
    QMainWindow *m_window;
    const Environment &m_environment;
    QPointer<Form2> m_chainWindow;
};
