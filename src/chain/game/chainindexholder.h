// The chain index of the program's dictionary, one for every window that
// plays the chain: built when one first needs it, and the same ever after,
// so that a second window starts at once.
#pragma once

#include "chain/game/chainindex.h"

#include <memory>

struct Dictionary;

class ChainIndexHolder
{
public:
    // `dictionary` outlives the holder.
    explicit ChainIndexHolder(const Dictionary &dictionary);
    ~ChainIndexHolder();
    ChainIndexHolder(const ChainIndexHolder &) = delete;
    ChainIndexHolder &operator=(const ChainIndexHolder &) = delete;

    // The index, built on the first call. Throws StoreError when the idioms
    // cannot be read, for the reason start-up found or the read's own; the
    // next call tries again.
    const ChainIndex &index();

private:
    const Dictionary &m_dictionary;
    std::unique_ptr<const ChainIndex> m_index;
};
