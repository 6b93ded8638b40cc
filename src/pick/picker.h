// 取词: while it is on, what the reader copies or selects in any program
// is looked up, and an idiom found shows on a small card beside the
// pointer; Ctrl+Alt+Z, from any program, asks for the selection's results
// in the main window. Switched off, vura reads no clipboard and holds no key.
#pragma once

#include "store/idiom.h"
#include "store/idiomsearch.h"

#include <QObject>
#include <functional>
#include <memory>

class ClipboardWatch;
class GlobalKey;
class PopupCard;
class ReadAloud;

class Picker : public QObject
{
    Q_OBJECT

public:
    // The idiom a text finds first, and how; stage Nothing when none.
    struct Found
    {
        Idiom idiom;
        SearchResult::Stage stage = SearchResult::Nothing;
    };
    using Finder = std::function<Found(const QString &text)>;

    // Looks texts up with `find`; the card shows at the zoom `zoom` gives.
    Picker(Finder find, std::function<int()> zoom, QObject *parent = nullptr);
    ~Picker() override;

    bool isOn() const { return m_on; }
    // Whether a selection is looked up as well as a copy (X11).
    bool selectionWatched() const;
    void setSelectionWatched(bool on);

    // Why Ctrl+Alt+Z does not work while 取词 is on; empty when it does
    // or 取词 is off.
    QString globalKeyFailure() const { return m_keyFailure; }

    // The card, once it has shown.
    PopupCard *card() const { return m_card.get(); }

    // 朗读 on the card reads with `reader`, which outlives the picker.
    void setReadAloud(ReadAloud *reader);

public slots:
    void setOn(bool on);
    // Looks `text` up and shows the card of the idiom it finds beside the
    // pointer; nothing when it finds none. Whether the card shows.
    bool pick(const QString &text);
    // What Ctrl+Alt+Z does: asks for the results of the selection, or of
    // the clipboard.
    void lookUpSelection();

signals:
    void switched(bool on);
    // The card shows `idiom`.
    void cardShown(const Idiom &idiom);
    // The reader asked for the idiom on the main card (详细), for the
    // search's results of `text` (Ctrl+Alt+Z), or to keep the idiom.
    void detailsAsked(int id);
    void searchAsked(const QString &text);
    void wordBookAsked(int id, const QString &text);

private:
    void hideCard();

    const Finder m_find;
    const std::function<int()> m_zoom;
    bool m_on = false;
    ClipboardWatch *m_watch;
    GlobalKey *m_lookUpKey;
    std::unique_ptr<PopupCard> m_card;
    ReadAloud *m_readAloud = nullptr;
    QString m_keyFailure;
};
