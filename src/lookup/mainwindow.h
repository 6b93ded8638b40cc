// The main window: the idiom card with its browsing buttons, and the search
// pane that folds away to its left. It reads the idioms from the dictionary
// the program opened, and shows idiom 1 from the start.
#pragma once

#include "store/idiomsearch.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <random>

struct Dictionary;
struct Environment;
class IdiomListModel;
class ImageButton;
class ListView;
class HistoryWindow;
class Panel;
class QCheckBox;
class QLineEdit;
class ReaderStore;
class TextLabel;
class WordBookWindow;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The fields of the card that a click copies.
    enum Field { Pinyin, Text, Meaning, Source, Example };

    // The window shows folded, with idiom 1 on the card when there are
    // idioms. `dictionary` and `environment` outlive it.
    MainWindow(const Dictionary &dictionary, const Environment &environment, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The id of the idiom on the card: 1 until another is shown.
    int currentId() const { return m_currentId; }

    // Keeps the history and the word book in `reader`, which outlives the
    // window, and shows the word-book toggle on the card. Without one the
    // window keeps nothing.
    void setReaderStore(ReaderStore *reader);

    // The history and word-book windows while they are open, otherwise null.
    HistoryWindow *historyWindow() const;
    WordBookWindow *wordBookWindow() const;

    // "嗷嗷待哺" -> "嗷 嗷 待 哺", as the card shows an idiom.
    static QString spacedOut(const QString &text);

public slots:
    // Shows idiom `id`, kept within 1 and the number of idioms, on the card;
    // tells the reader when it cannot be read.
    void showIdiom(int id);
    void search();
    // Reads now the index of the search's stages after the look-ups, so
    // that the reader's first search that needs it does not wait for it.
    void prepareSearch();
    void showChosenResult();
    void foldSearchPane();
    void unfoldSearchPane();
    // Unfolds the search pane when it is folded and puts the cursor in the
    // search field, its text selected.
    void focusSearchField();
    void showFirstOrLast();
    void showPrevious();
    void showNext();
    void showRandom();
    void copyField(MainWindow::Field field);
    // Puts the idiom on the card into the word book, or takes it out.
    void toggleWordBook();
    // Open the window, or bring the open one back as it is.
    void openHistory();
    void openWordBook();

protected:
    // The windows it owns close with it.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildCard();
    void buildSearchPane();
    // Shows idiom `id` (kept in range); throws StoreError when it cannot be read.
    void showIdiomOrThrow(int id);
    // Whether the idioms can be read; when they cannot, tells the reader
    // why, in the words start-up found, and the action stops.
    bool storeOpen();
    // The window's inside `width` pixels wide at 100 %, at the window's zoom.
    void setInsideWidth(int width);
    // The search after the look-ups, made on its first use. Throws
    // StoreError when the data file fails.
    const IdiomSearch &idiomSearch();
    // Says over the results how the search found them.
    void showHowFound(SearchResult::Stage stage);
    // Puts the idiom on the card at the top of the history.
    void recordShown();
    // Whether the idiom on the card is in the word book, on the toggle.
    void showWordBookState();

    const Dictionary &m_dictionary;
    const Environment &m_environment;
    ReaderStore *m_reader = nullptr;
    int m_currentId = 1;
    QString m_currentText; // the idiom on the card, empty while it shows none
    // Never seeded: the random idioms come in the same order after every
    // start.
    std::mt19937 m_random;

    QWidget *m_inside;
    Panel *m_card;
    TextLabel *m_number;
    std::array<TextLabel *, 5> m_fields; // by Field
    ImageButton *m_firstOrLastButton, *m_previousButton, *m_nextButton, *m_randomButton;
    QCheckBox *m_wordBookToggle;
    ImageButton *m_unfoldTab;
    Panel *m_searchPane;
    QLineEdit *m_searchField;
    ImageButton *m_searchButton, *m_foldTab;
    TextLabel *m_resultsHeading;
    ListView *m_resultList;
    IdiomListModel *m_results;
    Panel *m_busyIndicator;
    std::unique_ptr<const IdiomSearch> m_search; // none until first needed
    QPointer<HistoryWindow> m_historyWindow;
    QPointer<WordBookWindow> m_wordBookWindow;
};
