#pragma once

#include <QtGlobal>

// A bookmark names one record for as long as it stays in its table; an empty one names nothing.
class Bookmark
{
public:
    Bookmark() = default;
    explicit Bookmark(quint32 recordId) : m_id(recordId) {}

    bool isEmpty() const { return m_id == NoRecord; }
    quint32 recordId() const { return m_id; }

    friend bool operator==(Bookmark a, Bookmark b) { return a.m_id == b.m_id; }
    friend bool operator!=(Bookmark a, Bookmark b) { return a.m_id != b.m_id; }

    static constexpr quint32 NoRecord = 0xffffffffu;

private:
    quint32 m_id = NoRecord;
};
