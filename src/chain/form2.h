// The chain window: the idiom chain game (成语接龙). The user starts a chain
// from a typed idiom or character, picks each next link from the idioms that
// begin with the last character of the one before, and goes back to any
// earlier link by clicking it.
#pragma once

#include "store/idiomstore.h"
#include "store/storeerror.h"

#include <QWidget>
#include <optional>

struct Environment;
class ImageButton;
class Label;
class ListBox;
class QLineEdit;
class QPlainTextEdit;

class Form2 : public QWidget
{
    Q_OBJECT

public:
    // A top-level window of its own, deleted when it is closed.
    explicit Form2(const Environment &environment);
    ~Form2() override;

    // Opens the window's own reading of the data file, which the main window
    // has written. When that fails the window opens all the same and tells
    // the user why (see reportLoadFailure()).
    void Form_Load();
    // Once the window shows: tells the user why the idioms could not be
    // read, when Form_Load could not open them.
    void reportLoadFailure();
    // Why Form_Load could not open the idioms, if it could not.
    const std::optional<StoreError> &loadFailure() const { return m_loadFailure; }

public slots:
    void Image1_Click(); // start a chain from Text1
    void List2_Click();  // a candidate chosen
    void List1_Click();  // back to an earlier link

private:
    // Lists in List2 the idioms that may follow `link`.
    void fillCandidates(const QString &link);
    // Writes the chain into Text2, every link followed by " - ".
    void showChain();

public:
    // The controls, by the names the window was designed with.
    Label *Label1, *Label2, *Label3, *Label4;
    QLineEdit *Text1;
    ImageButton *Image1;
    ListBox *List1, *List2;
    QPlainTextEdit *Text2;

private:
    const Environment &m_environment;
    QString appPath;
    std::optional<IdiomStore> conn; // the window's own reading of the data file
    std::optional<StoreError> m_loadFailure;
};
