#include "RecordArena.h"

#include <algorithm>

char *RecordArena::allocate(qsizetype size)
{
    size = (size + 7) & ~qsizetype(7);
    if (size > m_left) {
        const qsizetype chunk = std::max(ChunkSize, size);
        m_chunks.push_back(std::make_unique<char[]>(size_t(chunk)));
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
