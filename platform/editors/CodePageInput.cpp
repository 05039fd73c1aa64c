#include "CodePageInput.h"

#include "platform/memdata/AnsiCodec.h"

#include <QChar>
#include <QList>

namespace {

// Letters with a stroke or bar, which Unicode gives no decomposition.
char32_t strokedBase(char32_t letter)
{
    switch (letter) {
    case 0x0110: return u'D';   // Đ
    case 0x0111: return u'd';   // đ
    case 0x0126: return u'H';   // Ħ
    case 0x0127: return u'h';   // ħ
    case 0x0131: return u'i';   // ı
    case 0x013F: return u'L';   // Ŀ
    case 0x0140: return u'l';   // ŀ
    case 0x0141: return u'L';   // Ł
    case 0x0142: return u'l';   // ł
    case 0x0166: return u'T';   // Ŧ
    case 0x0167: return u't';   // ŧ
    default: return 0;
    }
}

bool isMark(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing: return true;
    default: return false;
    }
}

template<typename Map>
QString mapEach(QStringView text, Map map)
{
    QString out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char32_t mapped = map(c);
        // Only characters of the code page are mapped, all within the Basic Multilingual Plane.
        out[i] = !QChar::isSurrogate(c) && mapped <= 0xFFFF && AnsiCodec::holds(mapped) ? QChar(char16_t(mapped)) : text[i];
    }
    return out;
}

} // namespace

char32_t CodePageInput::baseLetter(char32_t letter)
{
    if (!QChar::isLetter(letter))
        return 0;
    if (const char32_t stroked = strokedBase(letter))
        return stroked;
    // The decomposition without its marks must leave exactly one letter.
    const QString decomposed = QString::fromUcs4(&letter, 1).normalized(QString::NormalizationForm_KD);
    char32_t base = 0;
    for (const char32_t c : decomposed.toUcs4()) {
        if (isMark(c))
            continue;
        if (base)
            return 0;
        base = c;
    }
    return base && base != letter && QChar::isLetter(base) && AnsiCodec::holds(base) ? base : 0;
}

QString CodePageInput::fit(QStringView text, qsizetype *refused)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (!QChar::isSurrogate(c) && AnsiCodec::holds(c)) {
            out.append(QChar(char16_t(c)));
        } else if (const char32_t base = baseLetter(c)) {
            out.append(QChar(char16_t(base)));
        } else if (refused) {
            ++*refused;
        }
    }
    return out;
}

QString CodePageInput::toUpper(QStringView text)
{
    return mapEach(text, [](char32_t c) { return QChar::toUpper(c); });
}

QString CodePageInput::toLower(QStringView text)
{
    return mapEach(text, [](char32_t c) { return QChar::toLower(c); });
}
