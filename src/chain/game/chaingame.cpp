#include "chain/game/chaingame.h"

#include <algorithm>

QString gameName(ChainRule rule, Level level)
{
    static const char *const rules[] = {"character", "sound", "tone"};
    static const char *const levels[] = {"easy", "middle", "hard"};
    return QStringLiteral("chain-%1-%2").arg(QLatin1String(rules[int(rule)]), QLatin1String(levels[int(level)]));
}

ChainGame::ChainGame(const ChainIndex &index, ChainRule rule, Level level, quint32 seed)
    : m_index(index), m_rule(rule), m_level(level), m_random(seed), m_played(size_t(index.size())),
      m_playedFrom(size_t(index.beginnings(rule)))
{
}

void ChainGame::computerOpens()
{
    if (isStarted() || isOver())
        return;
    std::vector<int> openings;
    for (int link = 0; link < m_index.size(); ++link) {
        if (choicesAfter(link) > 0)
            openings.push_back(link);
    }
    if (openings.empty()) { // not one idiom can be followed: the reader cannot move
        end(Ending::CannotFollow, Player::Computer);
        return;
    }
    add(openings[m_random.bounded(int(openings.size()))], Player::Computer);
}

Refusal ChainGame::readerOpens(const QString &typed)
{
    return isStarted() ? Refusal::GameOver : play(typed);
}

Refusal ChainGame::play(const QString &typed)
{
    if (isOver())
        return Refusal::GameOver;
    const std::vector<int> links = m_index.findAll(typed);
    if (links.empty())
        return Refusal::NotAnIdiom;
    // Of idioms written alike (难兄难弟, read nán and nàn), the one that may
    // follow, the hint's of two that may; else one that would, but was played.
    int link = links.front();
    const auto better = [this, &link](int alike) {
        const Refusal now = check(link), then = check(alike);
        if (then == Refusal::None)
            return now != Refusal::None || alike == m_hinted;
        return now == Refusal::WrongStart && then == Refusal::AlreadyPlayed;
    };
    for (const int alike : links) {
        if (better(alike))
            link = alike;
    }
    return playLink(link);
}

Refusal ChainGame::playLink(int link)
{
    const Refusal refusal = check(link);
    if (refusal != Refusal::None)
        return refusal;
    if (isStarted())
        ++m_readerLinks;
    add(link, Player::Reader);
    m_chain.back().hinted = link == m_hinted;
    computerAnswers();
    return Refusal::None;
}

Refusal ChainGame::check(int link) const
{
    if (isOver())
        return Refusal::GameOver;
    if (link < 0 || link >= m_index.size())
        return Refusal::NotAnIdiom;
    if (isStarted()) {
        const int end = m_index.endOf(m_chain.back().link, m_rule);
        if (end < 0 || m_index.startOf(link, m_rule) != end)
            return Refusal::WrongStart;
    }
    if (m_played[size_t(link)])
        return Refusal::AlreadyPlayed;
    return Refusal::None;
}

QString ChainGame::reason(Refusal refusal) const
{
    switch (refusal) {
    case Refusal::None:
        break;
    case Refusal::NotAnIdiom:
        return QStringLiteral("不是成语");
    case Refusal::WrongStart:
        return QStringLiteral("要以“%1”开头").arg(m_index.endText(m_chain.back().link, m_rule));
    case Refusal::AlreadyPlayed:
        return QStringLiteral("已经用过了");
    case Refusal::GameOver:
        return QStringLiteral("这一局已经结束了");
    }
    return {};
}

void ChainGame::add(int link, Player player)
{
    m_chain.push_back({link, player, false});
    // The idioms written as it is are played with it: no text comes twice.
    const auto markPlayed = [this](int played) {
        m_played[size_t(played)] = true;
        const int start = m_index.startOf(played, m_rule);
        if (start >= 0)
            ++m_playedFrom[size_t(start)];
    };
    markPlayed(link);
    for (const int alike : m_index.alsoWrittenAs(link))
        markPlayed(alike);
}

int ChainGame::choicesAfter(int link) const
{
    const int end = m_index.endOf(link, m_rule);
    if (end < 0)
        return 0;
    // The idioms of that beginning not yet played, less this one itself
    // when it follows itself (日复一日), which it will have been.
    int choices = int(m_index.beginningWith(end, m_rule).size()) - m_playedFrom[size_t(end)];
    if (m_index.startOf(link, m_rule) == end && !m_played[size_t(link)])
        --choices;
    return choices;
}

std::vector<Candidate> ChainGame::candidates() const
{
    std::vector<Candidate> found;
    if (!isStarted() || isOver())
        return found;
    for (const int link : m_index.followers(m_chain.back().link, m_rule)) {
        if (!m_played[size_t(link)])
            found.push_back({link, choicesAfter(link), m_index.commonRank(link)});
    }
    return found;
}

std::vector<int> ChainGame::readerMoves() const
{
    std::vector<int> moves;
    if (isStarted() && m_chain.back().player == Player::Computer) {
        for (const Candidate &candidate : candidates())
            moves.push_back(candidate.link);
    }
    return moves;
}

int ChainGame::hint()
{
    const std::vector<int> moves = readerMoves();
    if (moves.empty())
        return -1;
    ++m_hints;
    m_hintsPaid += std::min(kHintCost, score());
    m_hinted = moves[m_random.bounded(int(moves.size()))];
    return m_hinted;
}

int ChainGame::choice(Level level)
{
    return chooseMove(candidates(), level, m_random);
}

void ChainGame::computerAnswers()
{
    const int link = choice(m_level);
    if (link < 0) {
        end(Ending::CannotFollow, Player::Reader);
        return;
    }
    add(link, Player::Computer);
    if (candidates().empty())
        end(Ending::CannotFollow, Player::Computer);
}

void ChainGame::giveUp()
{
    if (!isOver())
        end(Ending::GaveUp, Player::Computer);
}

void ChainGame::timeOut()
{
    if (!isOver())
        end(Ending::TimedOut, Player::Computer);
}

void ChainGame::end(Ending ending, Player winner)
{
    m_ending = ending;
    m_winner = winner;
}

QString ChainGame::verdict() const
{
    switch (m_ending) {
    case Ending::Playing:
        break;
    case Ending::CannotFollow:
        return m_winner == Player::Reader ? QStringLiteral("你赢了！电脑接不下去了。")
                                          : QStringLiteral("电脑赢了：你已经无路可接。");
    case Ending::GaveUp:
        return QStringLiteral("电脑赢了：你认输了。");
    case Ending::TimedOut:
        return QStringLiteral("电脑赢了：你的时间到了。");
    }
    return {};
}

QString ChainGame::chainText() const
{
    QString text;
    for (const Move &move : m_chain) {
        text += m_index.text(move.link) + u'\t' + m_index.pinyin(move.link) + u'\t'
                + (move.player == Player::Reader ? QStringLiteral("你") : QStringLiteral("电脑"))
                + (move.hinted ? QStringLiteral("（提示）") : QString()) + u'\n';
    }
    if (isOver())
        text += verdict() + u'\n';
    return text;
}
