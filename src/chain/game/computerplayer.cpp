#include "chain/game/computerplayer.h"

#include <algorithm>

namespace {

int anyOf(const std::vector<Candidate> &candidates, QRandomGenerator &random)
{
    return candidates[random.bounded(int(candidates.size()))].link;
}

// The candidates leaving exactly `choices`.
std::vector<Candidate> leaving(const std::vector<Candidate> &candidates, int choices)
{
    std::vector<Candidate> found;
    std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(found),
                 [choices](const Candidate &c) { return c.choicesLeft == choices; });
    return found;
}

} // namespace

int chooseMove(std::vector<Candidate> candidates, Level level, QRandomGenerator &random)
{
    if (candidates.empty())
        return -1;
    if (level == Level::Middle)
        level = random.bounded(2) ? Level::Hard : Level::Easy;
    const auto fewer = [](const Candidate &a, const Candidate &b) { return a.choicesLeft < b.choicesLeft; };
    std::stable_sort(candidates.begin(), candidates.end(), fewer);
    if (level != Level::Hard) {
        // Dead ends go, unless nothing else is left.
        const auto firstOpen = std::find_if(candidates.begin(), candidates.end(),
                                            [](const Candidate &c) { return c.choicesLeft > 0; });
        if (firstOpen != candidates.end())
            candidates.erase(candidates.begin(), firstOpen);
    }
    if (level == Level::Hard)
        return anyOf(leaving(candidates, candidates.front().choicesLeft), random);
    // Common idioms first, when there are any.
    if (std::any_of(candidates.begin(), candidates.end(), [](const Candidate &c) { return c.commonRank > 0; }))
        std::erase_if(candidates, [](const Candidate &c) { return c.commonRank == 0; });
    // The upper half by choices left, with every candidate tied with its
    // lowest member.
    const int lowest = candidates[candidates.size() / 2].choicesLeft;
    std::vector<Candidate> generous;
    std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(generous),
                 [lowest](const Candidate &c) { return c.choicesLeft >= lowest; });
    return anyOf(generous, random);
}
