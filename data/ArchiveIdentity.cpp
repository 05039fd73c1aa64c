#include "ArchiveIdentity.h"

#include <QList>
#include <algorithm>
#include <cstring>
#include <QtEndian>

#include <algorithm>
#include <cstring>

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

quint64 ArchiveIdentity::hash(QByteArrayView bytes)
{
    Builder builder;
    builder.add(bytes);
    return builder.result().hashValue();
}

ArchiveIdentity ArchiveIdentity::of(QByteArrayView bytes)
{
    return ArchiveIdentity(bytes.size(), hash(bytes));
}

void ArchiveIdentity::Builder::add(QByteArrayView bytes)
{
    const uchar *p = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = p + bytes.size();
    m_total += bytes.size();
    if (bytes.isEmpty())
        return; // no data pointer to copy from
    auto stripe = [this](const uchar *s) {
        m_v[0] = round(m_v[0], read64(s));
        m_v[1] = round(m_v[1], read64(s + 8));
        m_v[2] = round(m_v[2], read64(s + 16));
        m_v[3] = round(m_v[3], read64(s + 24));
    };
    if (m_pendingSize > 0) {
        const int take = int(std::min<qptrdiff>(32 - m_pendingSize, end - p));
        std::memcpy(m_pending + m_pendingSize, p, size_t(take));
        m_pendingSize += take;
        p += take;
        if (m_pendingSize < 32)
            return;
        stripe(m_pending);
        m_pendingSize = 0;
    }
    for (; end - p >= 32; p += 32)
        stripe(p);
    m_pendingSize = int(end - p);
    if (m_pendingSize > 0)
        std::memcpy(m_pending, p, size_t(m_pendingSize));
}

ArchiveIdentity ArchiveIdentity::Builder::result() const
{
    quint64 h;
    if (m_total >= 32) {
        h = rotl(m_v[0], 1) + rotl(m_v[1], 7) + rotl(m_v[2], 12) + rotl(m_v[3], 18);
        h = merge(merge(merge(merge(h, m_v[0]), m_v[1]), m_v[2]), m_v[3]);
    } else {
        h = P5;
    }
    h += quint64(m_total);
    const uchar *p = m_pending;
    const uchar *const end = m_pending + m_pendingSize;
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
    return ArchiveIdentity(m_total, h);
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
