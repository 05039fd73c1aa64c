#pragma once

#include <QtGlobal>
#include <memory>
#include <vector>

// Bump allocator for record images: one allocation per megabyte instead of one per record, so
// loading a hundred thousand records costs a few dozen mallocs. Freed only all at once.
class RecordArena
{
public:
    char *allocate(qsizetype size);
    void clear();
    // Takes the other's chunks over, but for the one it is still filling when keepCurrent; what
    // was handed out of them stays where it is.
    void adopt(RecordArena &other, bool keepCurrent);
    qsizetype bytesReserved() const { return m_reserved; }

private:
    // Chunks grow from 64 KiB to 1 MiB, so a small table stays small.
    static constexpr qsizetype FirstChunkSize = qsizetype(1) << 16;
    static constexpr qsizetype MaxChunkSize = qsizetype(1) << 20;
    std::vector<std::unique_ptr<char[]>> m_chunks;
    std::vector<qsizetype> m_sizes;
    char *m_next = nullptr;
    qsizetype m_left = 0;
    qsizetype m_reserved = 0;
};
