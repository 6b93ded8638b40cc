#include "pick/picker.h"

#include "pick/clipboardwatch.h"
#include "pick/globalkey.h"
#include "pick/pickrules.h"
#include "pick/popupcard.h"
#include "speech/readaloud.h"

#include <QCursor>

Picker::Picker(Finder find, std::function<int()> zoom, QObject *parent)
    : QObject(parent),
      m_find(std::move(find)),
      m_zoom(std::move(zoom)),
      m_watch(new ClipboardWatch(this)),
      m_lookUpKey(new GlobalKey(GlobalKey::LookUp, this))
{
    connect(m_watch, &ClipboardWatch::picked, this, &Picker::pick);
    connect(m_lookUpKey, &GlobalKey::pressed, this, &Picker::lookUpSelection);
}

Picker::~Picker() = default;

bool Picker::selectionWatched() const
{
    return m_watch->isSelectionWatched();
}

void Picker::setSelectionWatched(bool on)
{
    m_watch->setSelectionWatched(on);
}

void Picker::setReadAloud(ReadAloud *reader)
{
    m_readAloud = reader;
}

void Picker::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    m_watch->setWatching(on);
    if (on) {
        m_keyFailure = m_lookUpKey->grab() ? QString() : m_lookUpKey->why();
    } else {
        m_lookUpKey->release();
        m_keyFailure.clear();
        hideCard();
    }
    emit switched(on);
}

bool Picker::pick(const QString &text)
{
    if (!m_on || !shortEnoughToPick(text))
        return false;
    const Found found = m_find(text);
    if (found.stage == SearchResult::Nothing)
        return false;
    if (!m_card) {
        m_card = std::make_unique<PopupCard>();
        connect(m_card.get(), &PopupCard::detailsAsked, this, &Picker::detailsAsked);
        connect(m_card.get(), &PopupCard::wordBookAsked, this, &Picker::wordBookAsked);
        connect(m_card.get(), &PopupCard::readAloudAsked, this, [this](const QString &idiom, const QString &pinyin) {
            if (m_readAloud && !m_readAloud->read(idiom, pinyin))
                m_card->setVoiceMissing(m_readAloud->missingVoice());
        });
    }
    if (m_readAloud)
        m_card->setVoiceMissing(m_readAloud->lacksVoice() ? m_readAloud->missingVoice() : QString());
    else
        m_card->setVoiceMissing(QStringLiteral("不能朗读"));
    m_card->showIdiom(found.idiom, found.stage, m_zoom(), QCursor::pos());
    emit cardShown(found.idiom);
    return true;
}

void Picker::lookUpSelection()
{
    if (!m_on)
        return;
    const QString text = ClipboardWatch::currentText().trimmed();
    if (text.isEmpty())
        return;
    hideCard();
    emit searchAsked(text);
}

void Picker::hideCard()
{
    if (m_card)
        m_card->hide();
}
