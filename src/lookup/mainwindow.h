// The main window: the idiom card with its browsing buttons, and the search
// pane that folds away to its left. It reads the idioms from the dictionary
// the program opened, and shows idiom 1 from the start.
#pragma once

#include "store/idiomsearch.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <random>

struct Dictionary;
struct Environment;
class IdiomListModel;
class ImageButton;
class ListView;
class Panel;
class QCheckBox;
class QLineEdit;
class ReadAloud;
class ReaderStore;
class TextLabel;

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

    // Reads the idiom on the card aloud with `reader`, which outlives the
    // window, and shows the read-aloud button beside the idiom. The button
    // greys, its tip saying why, once the engine is found to have no voice.
    void setReadAloud(ReadAloud *reader);

    // "嗷嗷待哺" -> "嗷 嗷 待 哺", as the card shows an idiom.
    static QString spacedOut(const QString &text);

    // Shows idiom 1, as the window starts, when the dictionary has idioms;
    // for a dictionary opened after the window was made. Not history.
    void showFirstIdiom();

    // What the search field's search finds for `text`: the look-ups, then
    // what the reader probably meant. Throws StoreError when the idioms
    // cannot be read.
    SearchResult find(const QString &text);

public slots:
    // Shows idiom `id`, kept within 1 and the number of idioms, on the card;
    // tells the reader when it cannot be read.
    void showIdiom(int id);
    void search();
    // Searches for `text` as if the reader had typed it in the search field.
    void searchFor(const QString &text);
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
    // Puts idiom `id`, whose text is `text`, into the word book unless it is there.
    void addToWordBook(int id, const QString &text);
    // Whether the idiom on the card is in the word book, on the toggle.
    void showWordBookState();
    // Reads the idiom on the card aloud, stopping one being read; tells the
    // reader when there is no voice to read with.
    void readAloud();

signals:
    // The card changed the history or the word book.
    void historyChanged();
    void wordBookChanged();

protected:
    // The windows it owns close with it.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildCard();
    // Builds the search pane, folded or not as the window shows, unless it
    // is there.
    void buildSearchPane();
    // The Tab order: the search pane's controls while it is there, then the card's.
    void setTabOrder();
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
    // Greys the read-aloud button, its tip saying `reason`.
    void showVoiceMissing(const QString &reason);

    const Dictionary &m_dictionary;
    const Environment &m_environment;
    ReaderStore *m_reader = nullptr;
    ReadAloud *m_readAloud = nullptr;
    int m_currentId = 1;
    QString m_currentText; // the idiom on the card, empty while it shows none
    QString m_currentPinyin;
    // Never seeded: the random idioms come in the same order after every
    // start.
    std::mt19937 m_random;

    QWidget *m_inside;
    Panel *m_card;
    TextLabel *m_number;
    std::array<TextLabel *, 5> m_fields; // by Field
    ImageButton *m_firstOrLastButton, *m_previousButton, *m_nextButton, *m_randomButton;
    QCheckBox *m_wordBookToggle;
    ImageButton *m_readAloudButton;
    ImageButton *m_unfoldTab;
    // The search pane, once built.
    Panel *m_searchPane = nullptr;
    QLineEdit *m_searchField = nullptr;
    ImageButton *m_searchButton = nullptr, *m_foldTab = nullptr;
    TextLabel *m_resultsHeading = nullptr;
    ListView *m_resultList = nullptr;
    IdiomListModel *m_results = nullptr;
    Panel *m_busyIndicator = nullptr;
    std::unique_ptr<const IdiomSearch> m_search; // none until first needed
};
