// The windows the program opens beside the main window: the chain walk
// (成语接龙), the game (接龙游戏), the history, the word book, the review
// (复习) and the quizzes (测验). Each is
// made the first time the reader asks for it and brought back as it is
// after that; the window keeper zooms it and keeps its place.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>

struct Dictionary;
class ChainIndexHolder;
struct Environment;
class MainWindow;
class QWidget;
class ReadAloud;
class ReaderStore;
class WindowKeeper;

class SideWindows : public QObject
{
    Q_OBJECT

public:
    enum Kind { Chain, Game, History, WordBook, Review, Quiz, KindCount };
    Q_ENUM(Kind)

    // Opens the windows over `main`, with what they read and keep. All of
    // it outlives this object, which `main` owns.
    SideWindows(MainWindow *main, const Dictionary &dictionary, ChainIndexHolder &chains,
                const Environment &environment, ReaderStore &reader, WindowKeeper &keeper);

    // The window of `kind` while it is open, otherwise null.
    QWidget *window(Kind kind) const;
    template <typename Window>
    Window *window(Kind kind) const
    {
        return qobject_cast<Window *>(window(kind));
    }

    // Each window made after this reads its chosen idiom aloud with
    // `reader`, which outlives them, on Ctrl+R, as the main window's 朗读.
    void setReadAloud(ReadAloud *reader) { m_readAloud = reader; }

public slots:
    // Makes the window of `kind`, or brings the open one back as it is.
    void open(SideWindows::Kind kind);

private:
    // A new window of `kind`, joined to the main window.
    QWidget *make(Kind kind);
    // Reads aloud the idiom chosen in `window`'s list that has the focus,
    // or in its first list with a current entry.
    void readChosen(QWidget *window);

    MainWindow *m_main;
    const Dictionary &m_dictionary;
    ChainIndexHolder &m_chains; // one index for the chain and the game
    const Environment &m_environment;
    ReaderStore &m_reader;
    WindowKeeper &m_keeper;
    ReadAloud *m_readAloud = nullptr;
    std::array<QPointer<QWidget>, KindCount> m_windows;
};
