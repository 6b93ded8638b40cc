// The word book (生词本): the idioms the reader put aside, newest first, with
// the date each was added (2026年12月9日, whatever the system's language), in
// a window of the main window's. The reader opens one on the card, chooses
// several with Ctrl and Shift, removes them (Delete, or the context menu,
// which also shows one and copies them), and exports or imports the list.
#pragma once

#include <QWidget>

struct Dictionary;
struct Environment;
class QAction;
class QProgressDialog;
class WordBookImport;
class QStandardItemModel;
class QTreeView;
class ReaderStore;

class WordBookWindow : public QWidget
{
    Q_OBJECT

public:
    enum Format { PlainList, Flashcards };

    // `dictionary`, `environment` and `reader` outlive the window.
    WordBookWindow(const Dictionary &dictionary, const Environment &environment, ReaderStore &reader,
                   QWidget *parent);

    // Writes the word book to `path`; tells the reader when it cannot.
    bool exportTo(const QString &path, Format format);
    // Adds the idioms listed in the file at `path`, looked up a slice at a
    // time (a short list at once), with a progress box that can cancel
    // after half a second; tells the reader which lines are not in the
    // dictionary, which it only guessed, and why a file cannot be read.
    void importFrom(const QString &path);

public slots:
    void refresh();
    void openSelected();
    // Takes the chosen entries out.
    void removeSelected();
    void copySelected();
    // Ask for a file, without blocking the window, then export or import.
    void chooseExportFile();
    void chooseImportFile();

signals:
    void idiomChosen(int id);
    void changed();

protected:
    bool event(QEvent *event) override; // refreshes as the window is activated

private slots:
    void updateActions();
    void finishImport();

private:
    // The id of the selected entry, 0 for none.
    int selectedId() const;

    const Dictionary &m_dictionary;
    const Environment &m_environment;
    ReaderStore &m_reader;
    QStandardItemModel *m_entries;
    QTreeView *m_list;
    QAction *m_show, *m_copy, *m_remove;
    WordBookImport *m_import = nullptr; // while one runs
    QProgressDialog *m_progress = nullptr;
    QList<std::pair<int, qint64>> m_shown; // the ids and dates listed now
};
