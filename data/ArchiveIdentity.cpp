#include "ArchiveIdentity.h"

#include <QList>
#include <QtEndian>

namespace {

constexpr quint64 P1 = 0x9E3779B185EBCA87ull;
constexpr quint64 P2 = 0xC2B2AE3D27D4EB4Full;
constexpr quint64 P3 = 0x165667B19E3779F9ull;
constexpr quint64 P4 = 0x85EBCA77C2B2AE63ull;
constexpr quint64 P5 = 0x27D4EB2F165667C5ull;

inline quint64 rotl(quint64 x, int r) { return (x << r) | (x >> (64 - r)); }

// Little-endian loads, as the hash is defined; the journal travels between machines.
inline quint64 read64(const uchar *p) { return qFromLittleEndian<quint64>(p); }
inline quint32 read32(const uchar *p) { return qFromLittleEndian<quint32>(p); }

inline quint64 round(quint64 acc, quint64 input)
{
    acc += input * P2;
    acc = rotl(acc, 31);
    return acc * P1;
}

inline quint64 merge(quint64 acc, quint64 v)
{
    acc ^= round(0, v);
    return acc * P1 + P4;
}

} // namespace

quint64 ArchiveIdentity::hash(QByteArrayView bytes, quint64 seed)
{
    const uchar *p = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = p + bytes.size();
    quint64 h;
    if (bytes.size() >= 32) {
        quint64 v1 = seed + P1 + P2, v2 = seed + P2, v3 = seed, v4 = seed - P1;
        const uchar *const limit = end - 32;
        do {
            v1 = round(v1, read64(p));
            v2 = round(v2, read64(p + 8));
            v3 = round(v3, read64(p + 16));
            v4 = round(v4, read64(p + 24));
            p += 32;
        } while (p <= limit);
        h = rotl(v1, 1) + rotl(v2, 7) + rotl(v3, 12) + rotl(v4, 18);
        h = merge(merge(merge(merge(h, v1), v2), v3), v4);
    } else {
        h = seed + P5;
    }
    h += quint64(bytes.size());
    for (; p + 8 <= end; p += 8) {
        h ^= round(0, read64(p));
        h = rotl(h, 27) * P1 + P4;
    }
    if (p + 4 <= end) {
        h ^= quint64(read32(p)) * P1;
        h = rotl(h, 23) * P2 + P3;
        p += 4;
    }
    for (; p < end; ++p) {
        h ^= quint64(*p) * P5;
        h = rotl(h, 11) * P1;
    }
    h ^= h >> 33;
    h *= P2;
    h ^= h >> 29;
    h *= P3;
    h ^= h >> 32;
    return h;
}

ArchiveIdentity ArchiveIdentity::of(QByteArrayView bytes)
{
    return ArchiveIdentity(bytes.size(), hash(bytes));
}

QByteArray ArchiveIdentity::toText() const
{
    return QByteArray::number(m_size) + ' ' + QByteArray::number(m_hash, 16).rightJustified(16, '0');
}

bool ArchiveIdentity::fromText(QByteArrayView text, ArchiveIdentity *identity)
{
    const QList<QByteArray> parts = text.toByteArray().split(' ');
    if (parts.size() != 2 || parts[1].size() != 16)
        return false;
    bool sizeOk = false, hashOk = false;
    const qint64 size = parts[0].toLongLong(&sizeOk);
    const quint64 hash = parts[1].toULongLong(&hashOk, 16);
    if (!sizeOk || !hashOk || size < 0)
        return false;
    *identity = ArchiveIdentity(size, hash);
    return true;
}
