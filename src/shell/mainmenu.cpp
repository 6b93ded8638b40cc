#include "shell/mainmenu.h"

#include "chain/form2.h"
#include "vura/version.h"
#include "widgets/environment.h"

#include <QDate>
#include <QMainWindow>
#include <QMenuBar>
#include <QStringList>

MainMenu::MainMenu(QMainWindow *window, const Environment &environment)
    : QObject(window), m_window(window), m_environment(environment)
{
    QMenuBar *bar = window->menuBar();
    QMenu *file = bar->addMenu(QStringLiteral("文件"));
    cd_wj = file->menuAction();
    cd_tc = file->addAction(QStringLiteral("退出"), this, &MainMenu::cd_tc_Click);
    cd_cyjl = bar->addAction(QStringLiteral("成语接龙"), this, &MainMenu::cd_cyjl_Click);
    QMenu *help = bar->addMenu(QStringLiteral("帮助"));
    cd_bz = help->menuAction();
    cd_bzzt = help->addAction(QStringLiteral("帮助主题"), this, &MainMenu::cd_bzzt_Click);
    cd_rjsj = help->addAction(QStringLiteral("软件升级"), this, &MainMenu::cd_rjsj_Click);
    cd_gdrj = help->addAction(QStringLiteral("更多软件"), this, &MainMenu::cd_gdrj_Click);
    cd_gy = help->addAction(QStringLiteral("关于..."), this, &MainMenu::cd_gy_Click);
}

MainMenu::~MainMenu()
{
    delete m_chainWindow;
}

QString MainMenu::helpText()
{
    return QStringList{
        QStringLiteral("支持模糊查找，'_人'是查找第二个字是人字的，'__人'是查找第三个字是人字的，"
                       "'%人'是查找任何位置有人字的。右边已默认加%。"),
        QStringLiteral("在拼音、成语、解释等地方点击就可以复制相应的内容。"),
        QStringLiteral("成语接龙中，点击第一栏(已选)的成语，可以倒回去重新选择。"),
        QStringLiteral("谢谢大家的支持，希望大家发扬中国文化！"),
    }.join(QStringLiteral("\r\n"));
}

QString MainMenu::aboutText()
{
    // The build gives the release date as yyyy-mm-dd; the box writes it the
    // Chinese way, or as given when it is no date.
    const QString given = QStringLiteral(VURA_RELEASE_DATE);
    const QDate date = QDate::fromString(given, Qt::ISODate);
    return QStringList{
        QStringLiteral(VURA_NAME " - " VURA_VERSION),
        QStringLiteral(VURA_MAKER),
        date.isValid() ? QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day()) : given,
    }.join(QStringLiteral("\r\n"));
}

Form2 *MainMenu::chainWindow() const
{
    // A closed chain window lingers until it is deleted; it counts as gone.
    return m_chainWindow && m_chainWindow->isVisible() ? m_chainWindow.data() : nullptr;
}

void MainMenu::cd_tc_Click()
{
    // Closing the main window ends the program, the chain window with it.
    m_window->close();
}

void MainMenu::cd_cyjl_Click()
{
    if (Form2 *open = chainWindow()) {
        // The one chain window, as it is.
        if (open->isMinimized())
            open->setWindowState(open->windowState() & ~Qt::WindowMinimized);
        open->raise();
        open->activateWindow();
        return;
    }
    auto *window = new Form2(m_environment);
    window->Form_Load();
    m_chainWindow = window;
    window->show();
    window->reportLoadFailure();
}

void MainMenu::cd_bzzt_Click()
{
    m_environment.messageBox(m_window, helpText(), vbOKOnly, QStringLiteral("帮助主题："));
}

void MainMenu::cd_rjsj_Click()
{
    m_environment.openUrl(QUrl(QStringLiteral(VURA_UPDATE_URL)));
}

void MainMenu::cd_gdrj_Click()
{
    m_environment.openUrl(QUrl(QStringLiteral(VURA_MORE_SOFTWARE_URL)));
}

void MainMenu::cd_gy_Click()
{
    m_environment.messageBox(m_window, aboutText(), vbInformation, QStringLiteral("关于..."));
}
