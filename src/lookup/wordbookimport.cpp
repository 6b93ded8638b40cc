#include "lookup/wordbookimport.h"

#include "models/storenotice.h"
#include "store/idiomsearch.h"
#include "store/storeerror.h"
#include "store/textfold.h"

namespace {

// How long one slice looks lines up, in milliseconds: short enough that
// the window answers the reader between slices.
constexpr int kSliceTime = 30;

bool hasLatinLetters(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80 && c.isLetter(); });
}

} // namespace

WordBookImport::WordBookImport(const IdiomStore &store, const QStringList &lines, QObject *parent)
    : QObject(parent), m_store(store), m_lines(lines)
{
    m_timer.setInterval(0);
    m_timer.callOnTimeout(this, &WordBookImport::lookUpSlice);
}

SearchResult WordBookImport::searchFor(const QString &line)
{
    // The look-ups read no index; the later stages' is read once, for the
    // first line they do not find.
    SearchResult found = IdiomSearch::lookUp(m_store, line);
    if (found.stage != SearchResult::Nothing)
        return found;
    if (!m_search)
        m_search = std::make_unique<const IdiomSearch>(m_store);
    return m_search->findMeant(line);
}

void WordBookImport::start()
{
    lookUpSlice();
}

void WordBookImport::lookUpSlice()
{
    QElapsedTimer slice;
    slice.start();
    try {
        while (m_done < m_lines.size() && slice.elapsed() < kSliceTime)
            lookUp(m_lines[m_done++]);
    } catch (const StoreError &error) {
        m_timer.stop();
        emit failed(storeNotice(error));
        return;
    }
    emit progressed(m_done);
    if (m_done < m_lines.size()) {
        m_timer.start();
    } else {
        m_timer.stop();
        emit finished();
    }
}

void WordBookImport::lookUp(const QString &line)
{
    // By the index of the texts first: a list may hold tens of thousands of idioms.
    if (const QList<IdiomEntry> written = m_store.writtenAs(line); !written.isEmpty()) {
        m_result.found.append({written.first().id, written.first().text});
        return;
    }
    // Wildcards stand for any idiom, not for one the reader wrote down.
    const SearchResult result = line.contains(QLatin1Char('%')) || line.contains(QLatin1Char('_'))
                                    ? SearchResult{}
                                    : searchFor(line);
    const IdiomEntry first = result.entries.value(0);
    switch (result.stage) {
    case SearchResult::LookUps:
    case SearchResult::PlainText:
        // The idiom the line writes whole, not one it begins or abbreviates.
        if (!hasLatinLetters(line) && codePoints(first.text).size() == codePoints(plainForms(line).value(0)).size()) {
            m_result.found.append({first.id, first.text});
            return;
        }
        break;
    case SearchResult::Pinyin:
        // The idiom whose whole pinyin the line spells, not one it begins.
        if (const std::optional<QString> typed = typedPinyin(line)) {
            for (const IdiomEntry &entry : result.entries) {
                if (pinyinKey(m_store.idiom(entry.id).pinyin).size() == typed->size()) {
                    m_result.found.append({entry.id, entry.text});
                    return;
                }
            }
        }
        break;
    case SearchResult::SoundsAlike:
    case SearchResult::LookAlike:
    case SearchResult::NearSound:
    case SearchResult::Fragment:
    case SearchResult::Meaning:
        m_result.guesses.append({line, {first.id, first.text}});
        return;
    case SearchResult::Nothing:
        break;
    }
    m_result.missing << line;
}
