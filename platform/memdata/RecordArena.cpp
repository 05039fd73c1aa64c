#include "RecordArena.h"

#include <algorithm>

char *RecordArena::allocate(qsizetype size)
{
    size = (size + 7) & ~qsizetype(7);
    if (size > m_left) {
        const qsizetype grown = m_chunks.empty() ? FirstChunkSize : std::min(MaxChunkSize, m_reserved);
        const qsizetype chunk = std::max(grown, size);
        // Not value-initialised: every byte handed out is written before it is read.
        m_chunks.emplace_back(new char[size_t(chunk)]);
        m_next = m_chunks.back().get();
        m_left = chunk;
        m_reserved += chunk;
    }
    char *p = m_next;
    m_next += size;
    m_left -= size;
    return p;
}

void RecordArena::clear()
{
    m_chunks.clear();
    m_next = nullptr;
    m_left = 0;
    m_reserved = 0;
}
