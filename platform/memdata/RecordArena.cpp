#include "RecordArena.h"

#include <algorithm>

char *RecordArena::allocate(qsizetype size)
{
    size = (size + 7) & ~qsizetype(7);
    if (size > m_left) {
        const qsizetype grown = m_sizes.empty() ? FirstChunkSize : std::min(MaxChunkSize, m_sizes.back() * 2);
        const qsizetype chunk = std::max(grown, size);
        // Not value-initialised: every byte handed out is written before it is read.
        m_chunks.emplace_back(new char[size_t(chunk)]);
        m_sizes.push_back(chunk);
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
    m_sizes.clear();
    m_next = nullptr;
    m_left = 0;
    m_reserved = 0;
}

void RecordArena::adopt(RecordArena &other, bool keepCurrent)
{
    const size_t kept = keepCurrent && !other.m_chunks.empty() ? 1 : 0;
    const size_t moved = other.m_chunks.size() - kept;
    for (size_t i = 0; i < moved; ++i) {
        m_chunks.push_back(std::move(other.m_chunks[i]));
        m_sizes.push_back(other.m_sizes[i]);
        m_reserved += other.m_sizes[i];
        other.m_reserved -= other.m_sizes[i];
    }
    other.m_chunks.erase(other.m_chunks.begin(), other.m_chunks.begin() + qsizetype(moved));
    other.m_sizes.erase(other.m_sizes.begin(), other.m_sizes.begin() + qsizetype(moved));
    if (!kept) {
        other.m_next = nullptr;
        other.m_left = 0;
    }
}
