// The chain window: the idiom chain game (成语接龙). The user starts a chain
// from a typed idiom or character, picks each next link from the idioms that
// begin with the last character of the one before, and goes back to any
// earlier link by clicking it.
#pragma once

#include "msgbox.h"

#include <QWidget>
#include <memory>

class Connection;
class EventPass;
class ImageButton;
class Label;
class ListBox;
class QLineEdit;
class QPlainTextEdit;
class Recordset;

class Form2 : public QWidget
{
    Q_OBJECT

public:
    // A top-level window of its own, deleted when it is closed.
    Form2();
    ~Form2() override;

    // Opens the window's own connection to the data file, which the main
    // window has written. When that fails the window opens all the same
    // and tells the user why, once (see reportLoadFailure()).
    void Form_Load();
    // Tells the user, in one notice, why the idioms could not be read, when
    // Form_Load could not open them and that has not been told yet.
    void reportLoadFailure();

    // How notices are shown; tests replace it to read them.
    MessageBoxFunction messageBox = MsgBox;
    // The folder the program runs from; empty for the executable's own.
    // Set it before Form_Load.
    QString programFolder;

    // Whether a handler is filling the candidates or cutting the chain back.
    bool isFilling() const { return m_filling; }

public slots:
    void Image1_Click(); // start a chain from Text1
    void List2_Click();  // a candidate chosen
    void List1_Click();  // back to an earlier link

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followLink(const QString &link, int keep);
    bool fillCandidates(EventPass &pass, const QString &character);
    bool truncateAfter(EventPass &pass, int keep);
    void notice(const QString &text);

public:
    // The controls, by the names the window was designed with.
    Label *Label1, *Label2, *Label3, *Label4;
    QLineEdit *Text1;
    ImageButton *Image1;
    ListBox *List1, *List2;
    QPlainTextEdit *Text2;

private:
    std::unique_ptr<Recordset> rs;
    std::unique_ptr<Connection> conn;
    QString appPath;
    int chainRow = 0; // the counter of every loop of the handlers

    QString m_loadFailure;          // why Form_Load could not open the data file
    bool m_loadFailureTold = false;
    bool m_filling = false;         // a handler is filling List2 or cutting List1
};
