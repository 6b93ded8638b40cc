// The small card 取词 shows beside the pointer: the idiom found, its pinyin
// and meaning, how the search found it, and 详细, 加入生词本 and 朗读. Its
// title is the idiom, for screen readers.
//
// It never takes the keyboard focus from the program the reader is typing
// in, and holds no key of that program's either: Escape, typed there, stays
// there. Once the reader clicks on the card it is theirs and takes the
// keyboard, and then Escape closes it. (Holding Escape from every program
// while the card shows, or while the pointer rests on it, would take the
// key from the reader's text whenever a copy brought the card up under the
// pointer.) It closes as well on a click anywhere but on it, in any
// program, which it hears of without taking the click, on losing the
// keyboard it was given, and once the pointer has left it for a while.
#pragma once

#include "pick/buttonwatch.h"
#include "store/idiom.h"
#include "store/idiomsearch.h"

#include <QFrame>
#include <QTimer>

class QPushButton;
class TextLabel;

class PopupCard : public QFrame
{
    Q_OBJECT

public:
    explicit PopupCard(QWidget *parent = nullptr);

    // Shows `idiom`, found by `stage`, at `zoom` percent near `pointer`,
    // on the pointer's screen.
    void showIdiom(const Idiom &idiom, SearchResult::Stage stage, int zoom, const QPoint &pointer);
    const Idiom &idiom() const { return m_idiom; }

    // Greys 朗读, its tip saying why, or brings it back.
    void setVoiceMissing(const QString &reason);

    // How long the card stays once the pointer has left it.
    static constexpr int kStayAfterLeaving = 1500;

signals:
    void detailsAsked(int id);
    void wordBookAsked(int id, const QString &text);
    void readAloudAsked(const QString &text, const QString &pinyin);

protected:
    // A click in another of vura's windows closes the card; one on the card
    // gives it the keyboard.
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The reader clicked on the card: it takes the keyboard.
    void takeKeyboard();
    // A button went down in some program: a click off the card closes it.
    void closeUnlessPressedOn();

    Idiom m_idiom;
    TextLabel *m_howFound, *m_text, *m_pinyin, *m_meaning;
    QPushButton *m_readAloud;
    QTimer m_away; // the pointer left the card
    ButtonWatch m_presses; // only while the card shows
};
