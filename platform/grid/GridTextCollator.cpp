#include "GridTextCollator.h"

#include "platform/memdata/AnsiCodec.h"

#include <QChar>
#include <QString>
#include <algorithm>
#include <tuple>
#include <vector>

namespace {

struct Weighing
{
    char32_t base;  // folded, without accents
    int accent;     // 0 for a plain letter
    int upper;      // 0 for lower case
    char32_t code;
    int byte;
};

Weighing weigh(int byte)
{
    const char32_t code = AnsiCodec::decode(uchar(byte));
    char32_t base = code;
    int accent = 0;
    const QString decomposed = QString::fromUcs4(&code, 1).normalized(QString::NormalizationForm_KD);
    if (!decomposed.isEmpty() && decomposed.size() > 1 && decomposed.at(0).unicode() < 0x80) {
        base = decomposed.at(0).unicode();
        accent = 1;
    }
    const int upper = QChar::isUpper(base) ? 1 : 0;
    base = QChar::toCaseFolded(base);
    return {base, accent, upper, code, byte};
}

} // namespace

GridTextCollator::GridTextCollator()
{
    std::vector<Weighing> all;
    all.reserve(256);
    for (int b = 0; b < 256; ++b)
        all.push_back(weigh(b));
    std::sort(all.begin(), all.end(), [](const Weighing &x, const Weighing &y) {
        return std::tie(x.base, x.accent, x.upper, x.code, x.byte) < std::tie(y.base, y.accent, y.upper, y.code, y.byte);
    });
    // Primary weights start at 1: 0 pads short prefixes so that a shorter text sorts first.
    int primary = 0;
    char32_t lastBase = ~char32_t(0);
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].base != lastBase) {
            primary = std::min(primary + 1, 255);
            lastBase = all[i].base;
        }
        m_primary[size_t(all[i].byte)] = quint8(primary);
        m_secondary[size_t(all[i].byte)] = quint8(i);
    }
}

int GridTextCollator::compare(QByteArrayView a, QByteArrayView b) const
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int d = int(m_primary[uchar(a[i])]) - int(m_primary[uchar(b[i])]);
        if (d != 0)
            return d;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (qsizetype i = 0; i < n; ++i) {
        const int d = int(m_secondary[uchar(a[i])]) - int(m_secondary[uchar(b[i])]);
        if (d != 0)
            return d;
    }
    return 0;
}

quint64 GridTextCollator::prefixKey(QByteArrayView text) const
{
    quint64 key = 0;
    const qsizetype n = std::min<qsizetype>(text.size(), 8);
    for (qsizetype i = 0; i < 8; ++i)
        key = (key << 8) | (i < n ? m_primary[uchar(text[i])] : 0u);
    return key;
}

quint64 GridTextCollator::secondaryPrefixKey(QByteArrayView text) const
{
    quint64 key = 0;
    const qsizetype n = std::min<qsizetype>(text.size(), 8);
    for (qsizetype i = 0; i < 8; ++i)
        key = (key << 8) | (i < n ? m_secondary[uchar(text[i])] : 0u);
    return key;
}
