#include "chain/game/chainindexholder.h"

#include "store/datafile.h"

ChainIndexHolder::ChainIndexHolder(const Dictionary &dictionary) : m_dictionary(dictionary) {}

ChainIndexHolder::~ChainIndexHolder() = default;

const ChainIndex &ChainIndexHolder::index()
{
    if (!m_index) {
        if (!m_dictionary.store)
            throw *m_dictionary.failure;
        m_index = std::make_unique<const ChainIndex>(*m_dictionary.store);
    }
    return *m_index;
}
