// The main window: the idiom card with its browsing buttons, and the search
// pane that folds away to its left.
#pragma once

#include "store/idiomstore.h"
#include "store/storeerror.h"

#include <QMainWindow>
#include <array>
#include <optional>
#include <random>

struct Environment;
class ImageButton;
class Label;
class ListBox;
class PictureBox;
class QFrame;
class QLineEdit;

class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(const Environment &environment, QWidget *parent = nullptr);
    ~Form1() override;

    // Start-up, once the window shows: the search pane, data file, layout,
    // the store, the count, idiom 1 on the card. Every step that fails is
    // skipped; see reportStartupFailure().
    void Form_Load();
    // Once the window shows: tells the user why the idioms could not be read,
    // when start-up could not open or count them.
    void reportStartupFailure();
    // Why start-up could not open or count the idioms, if it could not.
    const std::optional<StoreError> &startupFailure() const { return m_storeFailure; }

    // Shows idiom `id`, clamped to 1..idiomCount, on the card. Throws
    // StoreError when the idiom cannot be read.
    void ShowIdiom(int id);
    // "嗷嗷待哺" -> "嗷 嗷 待 哺".
    static QString SpaceChars(const QString &text);

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
    void buildCard();
    void buildSearchPane();
    // The card at the left edge, the window narrowed to it.
    void foldSearchPane();
    void setWindowWidth(int twipsWide);
    void Form_Unload();
    void showIdiomOrNotice(int id);
    // Whether the idioms can be read; when they cannot, tells the user why,
    // in the words start-up found, and the handler stops.
    bool storeOpen();

public:
    // The controls, by the names the window was designed with. Those of the
    // search pane (Picture1 and what lies on it) come with Form_Load.
    QWidget *client;
    PictureBox *Picture2;
    PictureBox *Picture1 = nullptr, *Picture3 = nullptr;
    ImageButton *Image3, *Image4, *Image5, *Image6, *Image7;
    ImageButton *Image1 = nullptr, *Image2 = nullptr;
    QLineEdit *Text1 = nullptr;
    ListBox *List1 = nullptr;
    Label *Label1, *Label3, *Label4, *Label5;
    Label *Label2 = nullptr, *Label6 = nullptr;
    std::array<Label *, 5> Lab;
    QFrame *Line1, *Line2;

    // The window's state, by the names it was designed with: the number of
    // idioms (0 until counted) and the id on the card (0 until the first
    // ShowIdiom). Only the window writes them.
    int idiomCount = 0;
    int currentId = 0;

private:
    const Environment &m_environment;
    QString appPath;
    std::optional<IdiomStore> conn; // the window's own reading of the data file
    std::optional<StoreError> m_storeFailure;
    // Never seeded: the random idioms come in the same order after every
    // start, as they always have.
    std::mt19937 m_random;
};
