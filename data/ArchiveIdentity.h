#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// Which archive a journal applies to: the size and a 64-bit hash (XXH64, seed 0) of the bytes
// read at start-up. Cheap enough to take over a whole archive on the GUI thread.
class ArchiveIdentity
{
public:
    ArchiveIdentity() = default;
    ArchiveIdentity(qint64 size, quint64 hash) : m_size(size), m_hash(hash) {}

    static ArchiveIdentity of(QByteArrayView bytes);
    static quint64 hash(QByteArrayView bytes, quint64 seed = 0);

    qint64 size() const { return m_size; }
    quint64 hashValue() const { return m_hash; }

    // "<size> <16 hex digits>", and back; an unreadable text gives nothing.
    QByteArray toText() const;
    static bool fromText(QByteArrayView text, ArchiveIdentity *identity);

    friend bool operator==(const ArchiveIdentity &a, const ArchiveIdentity &b)
    {
        return a.m_size == b.m_size && a.m_hash == b.m_hash;
    }
    friend bool operator!=(const ArchiveIdentity &a, const ArchiveIdentity &b) { return !(a == b); }

private:
    qint64 m_size = 0;
    quint64 m_hash = 0xEF46DB3751D8E999ull; // the hash of no bytes
};
