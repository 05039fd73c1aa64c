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

    // The same identity taken block by block, as a reader hands the bytes on.
    class Builder
    {
    public:
        void add(QByteArrayView bytes);
        ArchiveIdentity result() const;
        qint64 size() const { return m_total; }

    private:
        quint64 m_v[4] = {0x9E3779B185EBCA87ull + 0xC2B2AE3D27D4EB4Full, 0xC2B2AE3D27D4EB4Full, 0,
                          0 - 0x9E3779B185EBCA87ull};
        uchar m_pending[32] = {};
        int m_pendingSize = 0;
        qint64 m_total = 0;
    };

    static quint64 hash(QByteArrayView bytes);

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
