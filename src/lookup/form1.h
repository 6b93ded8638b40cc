// The main window: the idiom card with its browsing buttons, and the search
// pane that folds away to its left.
#pragma once

#include "shell/msgbox.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <array>
#include <memory>
#include <random>

class Connection;
class ImageButton;
class Label;
class ListBox;
class PictureBox;
class QAction;
class QFrame;
class QLineEdit;
class Recordset;

class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Start-up: data file, layout, connection, count, idiom 1 on the card.
    // Every step that fails is skipped; see reportStartupFailure().
    void Form_Load();
    // After the window is shown: tells the user, in one notice, why the
    // idioms could not be read, when start-up could not open or count them.
    void reportStartupFailure();

    // Shows idiom `id`, clamped to 1..idiomCount, on the card. Throws
    // StoreError when the row cannot be read; rs is left closed either way.
    void ShowIdiom(int id);
    // "嗷嗷待哺" -> "嗷 嗷 待 哺".
    static QString SpaceChars(const QString &text);

    // How notices are shown; tests replace it to read them.
    MessageBoxFunction messageBox = MsgBox;
    // The folder the program runs from; empty for the executable's own.
    // Tests and benchmarks point it at a folder of their own.
    QString programFolder;

    // The window's state, for the tests and benchmarks that drive it.
    int idiomCount() const { return m_idiomCount; }
    int currentId() const { return m_currentId; }
    bool isSearching() const { return m_searching; }

public slots:
    void Image1_Click();   // search
    void List1_Click();    // a search result chosen
    void Image2_Click();   // collapse the search pane
    void Image3_Click();   // expand it
    void Image4_Click();   // first or last idiom
    void Image5_Click();   // previous idiom
    void Image6_Click();   // next idiom
    void Image7_Click();   // a random idiom
    void Lab_Click(int index); // copy a field of the card

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    void buildCard();
    void buildSearchPane();
    void setCollapsedLayout();
    void setWindowWidth(int twipsWide);
    void Form_Unload();
    void notice(const QString &text);
    void DoEvents();
    bool eventPassDue() const;
    void runSearch();
    void showIdiomOrNotice(int id);

public:
    // The controls, by the names the window was designed with.
    QWidget *client;
    PictureBox *Picture1, *Picture2, *Picture3;
    ImageButton *Image1, *Image2, *Image3, *Image4, *Image5, *Image6, *Image7;
    QLineEdit *Text1;
    ListBox *List1;
    Label *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    std::array<Label *, 5> Lab;
    QFrame *Line1, *Line2;
    QAction *cd_wj, *cd_tc, *cd_cyjl, *cd_bz, *cd_bzzt, *cd_rjsj, *cd_gdrj, *cd_gy;

private:
    QString appPath;
    std::unique_ptr<Connection> conn;
    std::unique_ptr<Recordset> rs;
    int m_idiomCount = 0;
    int m_currentId = 0;
    int searchRow = 0;

    std::mt19937 m_random; // never seeded: the same sequence on every start
    QString m_startupFailure;
    QElapsedTimer m_lastEventPass;
    bool m_searching = false;
    bool m_listClickWaiting = false;
    bool m_ending = false;
};
