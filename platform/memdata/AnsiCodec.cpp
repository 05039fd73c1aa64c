#include "AnsiCodec.h"

#include <array>

namespace {

// 0x80..0x9F; the five holes of the code page map to the C1 control of the same value, as
// Windows does, so every byte survives a round trip.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::array<char32_t, 256> makeTable()
{
    std::array<char32_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[i] = (i >= 0x80 && i < 0xA0) ? kHigh[i - 0x80] : char32_t(i);
    return t;
}

int highIndex(char32_t u)
{
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return i;
    }
    return -1;
}

char encodeOne(char32_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    const int i = highIndex(u);
    return i >= 0 ? char(0x80 + i) : '?';
}

} // namespace

bool AnsiCodec::holds(char32_t u)
{
    return u < 0x80 || (u >= 0xA0 && u <= 0xFF) || highIndex(u) >= 0;
}

const char32_t *AnsiCodec::table()
{
    static const std::array<char32_t, 256> t = makeTable();
    return t.data();
}

QString AnsiCodec::toUnicode(QByteArrayView bytes)
{
    QString out;
    appendUnicode(out, bytes);
    return out;
}

void AnsiCodec::appendUnicode(QString &out, QByteArrayView bytes)
{
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    QChar *dst = out.data() + start;
    const char32_t *t = table();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(char16_t(t[static_cast<unsigned char>(bytes[i])]));
}

QByteArray AnsiCodec::fromUnicode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            out.append('?');
            continue;
        }
        out.append(encodeOne(c.unicode()));
    }
    return out;
}
