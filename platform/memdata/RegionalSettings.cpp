#include "RegionalSettings.h"

#include "AnsiCodec.h"
#include "DateTimeKey.h"

#include <QLocale>
#include <QRegularExpression>
#include <QtGlobal>
#include <cstring>

namespace {

const QString kDefaultDate = QStringLiteral("dd/MM/yyyy");
const QString kDefaultTime = QStringLiteral("HH:mm:ss");

bool isBlank(char32_t c) { return c == ' ' || c == '\t' || c == 0xA0 || c == 0x202F; }
char32_t charAt(const char16_t *s, qsizetype i) { return s[i]; }
char32_t charAt(const char *s, qsizetype i) { return AnsiCodec::decode(static_cast<unsigned char>(s[i])); }

// The decimal digits of v, last first, padded with zeros to width; how many there are.
int digitsBackwards(int v, int width, char (&buf)[12])
{
    int n = 0;
    do {
        buf[n++] = char('0' + v % 10);
        v /= 10;
    } while (v > 0 && n < 11);
    while (n < width && n < 12)
        buf[n++] = '0';
    return n;
}

struct OutString {
    QString &s;
    void digits(int v, int width) { s += QString::number(v).rightJustified(width, u'0'); }
    void literal(const QString &text, const QByteArray &) { s += text; }
};

struct OutBytes {
    QByteArray &b;
    void digits(int v, int width)
    {
        char buf[12];
        for (int n = digitsBackwards(v, width, buf); n > 0;)
            b.append(buf[--n]);
    }
    void literal(const QString &, const QByteArray &ansi) { b.append(ansi); }
};

struct OutChars {
    char *p;
    void digits(int v, int width)
    {
        char buf[12];
        for (int n = digitsBackwards(v, width, buf); n > 0;)
            *p++ = buf[--n];
    }
    void literal(const QString &, const QByteArray &ansi)
    {
        std::memcpy(p, ansi.constData(), size_t(ansi.size()));
        p += ansi.size();
    }
};

} // namespace

RegionalSettings::RegionalSettings() : RegionalSettings(kDefaultDate, kDefaultTime) {}

RegionalSettings::RegionalSettings(const QString &shortDateFormat, const QString &longTimeFormat)
    : m_dateFormat(normalizedDate(shortDateFormat)), m_timeFormat(normalizedTime(longTimeFormat))
{
    compile();
}

RegionalSettings RegionalSettings::fromEnvironment()
{
    for (const char *name : {"LC_ALL", "LC_TIME", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return fromLocaleName(value);
    }
    return RegionalSettings();
}

RegionalSettings RegionalSettings::fromLocaleName(const QString &name)
{
    QString base = name.section(u'.', 0, 0).section(u'@', 0, 0);
    if (base.isEmpty() || base == u"C" || base == u"POSIX")
        return RegionalSettings();
    const QLocale locale(base);
    if (locale.language() == QLocale::C)
        return RegionalSettings();
    return fromLocale(locale);
}

RegionalSettings RegionalSettings::fromLocale(const QLocale &locale)
{
    return RegionalSettings(locale.dateFormat(QLocale::ShortFormat), locale.timeFormat(QLocale::LongFormat));
}

namespace {

// Blanks of every width become one kind, and the marks that only steer the writing direction
// (as the Arabic dates carry between day, month and year) go: they are invisible, and outside
// the code page.
QString plainPattern(const QString &pattern)
{
    QString p = pattern;
    p.replace(QChar(0x202F), u' ').replace(QChar(0xA0), u' ');
    p.remove(QChar(0x200E)).remove(QChar(0x200F)).remove(QChar(0x061C));
    return p;
}

// The time zone goes with what only framed it: "(t)", "[t]", ", t" and the blanks around.
QString withoutZone(const QString &pattern)
{
    QString p = pattern;
    std::vector<bool> quoted(size_t(p.size()) + 1, false);
    bool inQuote = false;
    for (qsizetype i = 0; i < p.size(); ++i) {
        if (p[i] == u'\'')
            inQuote = !inQuote, quoted[size_t(i)] = true;
        else
            quoted[size_t(i)] = inQuote;
    }
    auto framing = [](QChar c, bool before) {
        return c == u' ' || c == u',' || (before ? (c == u'(' || c == u'[') : (c == u')' || c == u']'));
    };
    for (qsizetype i = 0; i < p.size();) {
        if (quoted[size_t(i)] || p[i] != u't') {
            ++i;
            continue;
        }
        qsizetype a = i, b = i;
        while (b < p.size() && !quoted[size_t(b)] && p[b] == u't')
            ++b;
        while (a > 0 && !quoted[size_t(a - 1)] && framing(p[a - 1], true))
            --a;
        while (b < p.size() && !quoted[size_t(b)] && framing(p[b], false))
            ++b;
        const bool between = a > 0 && b < p.size();
        p.replace(a, b - a, between ? QStringLiteral(" ") : QString());
        quoted.erase(quoted.begin() + a, quoted.begin() + b);
        if (between)
            quoted.insert(quoted.begin() + a, false);
        i = a + (between ? 1 : 0);
    }
    return p.trimmed();
}

} // namespace

QString RegionalSettings::normalizedDate(const QString &pattern)
{
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    QString p = plainPattern(pattern);
    p.replace(twoDigitYear, QStringLiteral("yyyy"));
    return p.trimmed();
}

QString RegionalSettings::normalizedTime(const QString &pattern)
{
    return withoutZone(plainPattern(pattern));
}

RegionalSettings::Parts RegionalSettings::tokenize(const QString &pattern, bool *ok)
{
    Parts parts;
    *ok = true;
    auto addLiteral = [&parts](const QString &text) {
        if (!parts.empty() && parts.back().token == Token::Literal)
            parts.back().literal += text;
        else
            parts.push_back({Token::Literal, text, {}});
    };
    bool hasAmPm = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            qsizetype j = i + 1;
            QString text;
            for (; j < pattern.size(); ++j) {
                if (pattern[j] == u'\'') {
                    if (j + 1 < pattern.size() && pattern[j + 1] == u'\'') {
                        text += u'\'';
                        ++j;
                        continue;
                    }
                    break;
                }
                text += pattern[j];
            }
            addLiteral(text.isEmpty() && j == i + 1 ? QStringLiteral("'") : text);
            i = j + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        const char16_t u = c.unicode();
        auto pick = [&](Token one, Token two) {
            if (run > 2)
                *ok = false;
            parts.push_back({run == 1 ? one : two, {}, {}});
        };
        switch (u) {
        case u'd': pick(Token::Day, Token::Day2); break;
        case u'M': pick(Token::Month, Token::Month2); break;
        case u'y': parts.push_back({run == 2 ? Token::Year2 : Token::Year4, {}, {}}); break;
        case u'H': pick(Token::Hour, Token::Hour2); break;
        case u'h': pick(Token::Hour12, Token::Hour12_2); break;
        case u'm': pick(Token::Minute, Token::Minute2); break;
        case u's': pick(Token::Second, Token::Second2); break;
        case u'z': *ok = false; break;
        case u'B': // the period of the day, here the AM/PM of the 12-hour clock
            parts.push_back({Token::AmPm, {}, {}});
            hasAmPm = true;
            break;
        case u'A':
        case u'a': {
            const bool lower = u == u'a';
            parts.push_back({lower ? Token::AmPmLower : Token::AmPm, {}, {}});
            hasAmPm = true;
            run = 1;
            if (i + 1 < pattern.size() && (pattern[i + 1] == u'P' || pattern[i + 1] == u'p'))
                run = 2;
            break;
        }
        default: addLiteral(QString(run, c)); break;
        }
        i += run;
    }
    for (Part &p : parts) {
        if (!hasAmPm && p.token == Token::Hour12)
            p.token = Token::Hour;
        else if (!hasAmPm && p.token == Token::Hour12_2)
            p.token = Token::Hour2;
        if (p.token == Token::Literal)
            p.ansiLiteral = AnsiCodec::fromUnicode(p.literal);
    }
    return parts;
}

// The C forms (dd/MM/yyyy, HH:mm:ss) stand in for a pattern the archive cannot hold or read back.
// Of the locales Qt knows, these take them: the date of bg_BG ("г."), the time of bg_BG ("ч."),
// ko_KR and ko_KP, ja_JP, th_TH, lo_LA and dz_BT (words outside Windows-1252), and the date of the
// C locale (month names). Every other locale's pattern is written as it is.
bool RegionalSettings::writable(const Parts &parts)
{
    for (const Part &p : parts) {
        if (p.token == Token::Literal && AnsiCodec::toUnicode(p.ansiLiteral) != p.literal)
            return false;
    }
    return true;
}

// Read back exactly only when a number always ends where the next part begins: never two
// numbers side by side, never a digit right after a number.
bool RegionalSettings::unambiguous(const Parts &parts)
{
    auto numeric = [](Token t) { return t != Token::Literal && t != Token::AmPm && t != Token::AmPmLower; };
    for (size_t k = 1; k < parts.size(); ++k) {
        if (!numeric(parts[k - 1].token))
            continue;
        const Part &next = parts[k];
        if (numeric(next.token))
            return false;
        if (next.token == Token::Literal && !next.literal.isEmpty() && next.literal.front().isDigit())
            return false;
    }
    return true;
}

void RegionalSettings::compile()
{
    bool ok = false;
    m_dateParts = tokenize(m_dateFormat, &ok);
    int seen = 0;
    bool complete = true;
    bool sepFound = false;
    int pos[3] = {-1, -1, -1};
    for (const Part &p : m_dateParts) {
        int which = -1;
        switch (p.token) {
        case Token::Day: case Token::Day2: which = 0; break;
        case Token::Month: case Token::Month2: which = 1; break;
        case Token::Year2: case Token::Year4: which = 2; break;
        case Token::Literal:
            if (!sepFound && !p.literal.isEmpty() && seen > 0 && seen < 3) {
                m_dateSep = p.literal.front().unicode();
                sepFound = true;
            }
            break;
        default: complete = false; break;
        }
        if (which >= 0) {
            if (pos[which] >= 0)
                complete = false;
            pos[which] = seen++;
        }
    }
    if (!ok || !complete || seen != 3 || !writable(m_dateParts) || !unambiguous(m_dateParts)) {
        m_dateFormat = kDefaultDate;
        m_dateSep = u'/';
        m_dateParts = tokenize(m_dateFormat, &ok);
        pos[0] = 0; pos[1] = 1; pos[2] = 2;
    }
    for (int i = 0; i < 3; ++i)
        m_order[pos[i]] = i;

    m_timeParts = tokenize(m_timeFormat, &ok);
    int hours = 0, minutes = 0, seconds = 0;
    for (const Part &p : m_timeParts) {
        switch (p.token) {
        case Token::Hour: case Token::Hour2: ++hours; break;
        case Token::Hour12: case Token::Hour12_2: ++hours; m_twelveHour = true; break;
        case Token::Minute: case Token::Minute2: ++minutes; break;
        case Token::Second: case Token::Second2: ++seconds; break;
        case Token::Day: case Token::Day2: case Token::Month: case Token::Month2:
        case Token::Year2: case Token::Year4: ok = false; break;
        default: break;
        }
    }
    // Every second is written, so that a value reads back whole.
    if (!ok || hours != 1 || minutes != 1 || seconds != 1 || !writable(m_timeParts) || !unambiguous(m_timeParts)) {
        m_timeFormat = kDefaultTime;
        m_twelveHour = false;
        m_timeParts = tokenize(m_timeFormat, &ok);
    }
    m_timeSep = u':';
    for (const Part &p : m_timeParts) {
        if (p.token == Token::Literal && !p.literal.trimmed().isEmpty()) {
            m_timeSep = p.literal.trimmed().front().unicode();
            break;
        }
    }
}

template<typename Out>
void RegionalSettings::render(Out &out, const Parts &parts, qint64 key) const
{
    const QDate d = DateTimeKey::date(key);
    const int ms = DateTimeKey::msOfDay(key);
    const int hour = ms / 3600000, minute = ms / 60000 % 60, second = ms / 1000 % 60;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    for (const Part &p : parts) {
        switch (p.token) {
        case Token::Literal: out.literal(p.literal, p.ansiLiteral); break;
        case Token::Day: out.digits(d.day(), 1); break;
        case Token::Day2: out.digits(d.day(), 2); break;
        case Token::Month: out.digits(d.month(), 1); break;
        case Token::Month2: out.digits(d.month(), 2); break;
        case Token::Year2: out.digits(d.year() % 100, 2); break;
        case Token::Year4: out.digits(d.year(), 4); break;
        case Token::Hour: out.digits(hour, 1); break;
        case Token::Hour2: out.digits(hour, 2); break;
        case Token::Hour12: out.digits(hour12, 1); break;
        case Token::Hour12_2: out.digits(hour12, 2); break;
        case Token::Minute: out.digits(minute, 1); break;
        case Token::Minute2: out.digits(minute, 2); break;
        case Token::Second: out.digits(second, 1); break;
        case Token::Second2: out.digits(second, 2); break;
        case Token::AmPm: out.literal(hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM"),
                                      hour < 12 ? QByteArray("AM") : QByteArray("PM")); break;
        case Token::AmPmLower: out.literal(hour < 12 ? QStringLiteral("am") : QStringLiteral("pm"),
                                           hour < 12 ? QByteArray("am") : QByteArray("pm")); break;
        }
    }
}

QString RegionalSettings::format(qint64 key) const
{
    QString s;
    if (key == DateTimeKey::Null)
        return s;
    OutString out{s};
    render(out, m_dateParts, key);
    if (DateTimeKey::msOfDay(key) >= 1000) {
        s += u' ';
        render(out, m_timeParts, key);
    }
    return s;
}

void RegionalSettings::appendFormatted(QByteArray &b, qint64 key) const
{
    if (key == DateTimeKey::Null)
        return;
    OutBytes out{b};
    render(out, m_dateParts, key);
    if (DateTimeKey::msOfDay(key) >= 1000) {
        b.append(' ');
        render(out, m_timeParts, key);
    }
}

char *RegionalSettings::formatTo(char *out, qint64 key) const
{
    if (key == DateTimeKey::Null)
        return out;
    OutChars o{out};
    render(o, m_dateParts, key);
    if (DateTimeKey::msOfDay(key) >= 1000) {
        *o.p++ = ' ';
        render(o, m_timeParts, key);
    }
    return o.p;
}

qsizetype RegionalSettings::maxFormattedSize() const
{
    qsizetype n = 1;
    for (const Parts *parts : {&m_dateParts, &m_timeParts}) {
        for (const Part &p : *parts)
            n += p.token == Token::Literal ? p.ansiLiteral.size() : 4;
    }
    return n;
}

template<typename Ch>
std::optional<qint64> RegionalSettings::parseChars(const Ch *s, qsizetype n) const
{
    qsizetype i = 0;
    auto skipBlanks = [&] { while (i < n && isBlank(charAt(s, i))) ++i; };
    auto number = [&](int *value, int *digits) {
        int v = 0, k = 0;
        while (i < n && k < 5) {
            const char32_t c = charAt(s, i);
            if (c < '0' || c > '9')
                break;
            v = v * 10 + int(c - '0');
            ++k;
            ++i;
        }
        *value = v;
        *digits = k;
        return k > 0 && (i >= n || charAt(s, i) < '0' || charAt(s, i) > '9');
    };

    skipBlanks();
    int values[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        if (!number(&values[count], &digits[count]))
            return std::nullopt;
        ++count;
        if (count < 3 && i < n && charAt(s, i) == m_dateSep)
            ++i;
        else
            break;
    }
    if (count < 2)
        return std::nullopt;
    int day = 0, month = 0, year = 0, yearDigits = 4;
    if (count == 3) {
        day = values[m_order[0]];
        month = values[m_order[1]];
        year = values[m_order[2]];
        yearDigits = digits[m_order[2]];
    } else {
        // Without a year: the day and month keep their order, the year is the current one.
        const bool dayFirst = m_order[0] < m_order[1];
        day = values[dayFirst ? 0 : 1];
        month = values[dayFirst ? 1 : 0];
        year = QDate::currentDate().year();
    }
    if (yearDigits <= 2) {
        year += CenturyWindowStart / 100 * 100;
        if (year < CenturyWindowStart)
            year += 100;
    }
    const QDate date(year, month, day);
    if (!date.isValid() || year < 1 || year > 9999)
        return std::nullopt;

    const qsizetype dateEnd = i;
    skipBlanks();
    if (i >= n)
        return DateTimeKey::fromParts(date, 0);
    if (i == dateEnd)
        return std::nullopt;

    int hour = 0, minute = 0, second = 0, ms = 0, d = 0;
    if (!number(&hour, &d) || d > 2)
        return std::nullopt;
    if (i < n && charAt(s, i) == m_timeSep) {
        ++i;
        if (!number(&minute, &d) || d > 2)
            return std::nullopt;
        if (i < n && charAt(s, i) == m_timeSep) {
            ++i;
            if (!number(&second, &d) || d > 2)
                return std::nullopt;
            if (i < n && (charAt(s, i) == '.' || charAt(s, i) == ',') && i + 1 < n
                && charAt(s, i + 1) >= '0' && charAt(s, i + 1) <= '9') {
                ++i;
                int frac = 0;
                if (!number(&frac, &d) || d > 3)
                    return std::nullopt;
                ms = d == 1 ? frac * 100 : d == 2 ? frac * 10 : frac;
            }
        }
    }
    skipBlanks();
    int half = -1; // 0 morning, 1 afternoon
    if (i < n) {
        const char32_t c = charAt(s, i) | 0x20;
        if (c == 'a' || c == 'p') {
            half = c == 'p';
            ++i;
            if (i < n && (charAt(s, i) | 0x20) == 'm')
                ++i;
        }
    }
    skipBlanks();
    if (i != n)
        return std::nullopt;
    if (half >= 0) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (half ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return DateTimeKey::fromParts(date, ((hour * 60 + minute) * 60 + second) * 1000 + ms);
}

namespace {
enum Slot { SDay, SMonth, SYear, SHour, SMinute, SSecond, SHalf, SlotCount };
}

template<typename Ch>
bool RegionalSettings::matchParts(const Parts &parts, const Ch *s, qsizetype n, qsizetype &i, int *v) const
{
    auto digit = [&](qsizetype k) {
        if (k >= n)
            return -1;
        const char32_t c = charAt(s, k);
        return c >= '0' && c <= '9' ? int(c - '0') : -1;
    };
    auto fixed = [&](int width, int *out) {
        int x = 0;
        for (int k = 0; k < width; ++k) {
            const int d = digit(i + k);
            if (d < 0)
                return false;
            x = x * 10 + d;
        }
        i += width;
        *out = x;
        return true;
    };
    // One or two digits, without a leading zero: as digits(v, 1) writes them.
    auto variable = [&](int *out) {
        const int d = digit(i);
        if (d < 0)
            return false;
        ++i;
        *out = d;
        if (d > 0 && digit(i) >= 0)
            *out = d * 10 + digit(i++);
        return true;
    };
    auto text = [&](const char *t, int half) {
        if (i + 1 >= n || charAt(s, i) != char32_t(t[0]) || charAt(s, i + 1) != char32_t(t[1]))
            return false;
        i += 2;
        v[SHalf] = half;
        return true;
    };
    for (const Part &p : parts) {
        bool ok = true;
        switch (p.token) {
        case Token::Literal:
            if (n - i < p.literal.size())
                return false;
            for (qsizetype k = 0; k < p.literal.size(); ++k) {
                if (charAt(s, i + k) != char32_t(p.literal[k].unicode()))
                    return false;
            }
            i += p.literal.size();
            break;
        case Token::Day: ok = variable(&v[SDay]); break;
        case Token::Day2: ok = fixed(2, &v[SDay]); break;
        case Token::Month: ok = variable(&v[SMonth]); break;
        case Token::Month2: ok = fixed(2, &v[SMonth]); break;
        case Token::Year2:
            ok = fixed(2, &v[SYear]);
            v[SYear] += CenturyWindowStart / 100 * 100;
            if (v[SYear] < CenturyWindowStart)
                v[SYear] += 100;
            break;
        case Token::Year4: ok = fixed(4, &v[SYear]); break;
        case Token::Hour: case Token::Hour12: ok = variable(&v[SHour]); break;
        case Token::Hour2: case Token::Hour12_2: ok = fixed(2, &v[SHour]); break;
        case Token::Minute: ok = variable(&v[SMinute]); break;
        case Token::Minute2: ok = fixed(2, &v[SMinute]); break;
        case Token::Second: ok = variable(&v[SSecond]); break;
        case Token::Second2: ok = fixed(2, &v[SSecond]); break;
        case Token::AmPm: ok = text("AM", 0) || text("PM", 1); break;
        case Token::AmPmLower: ok = text("am", 0) || text("pm", 1); break;
        }
        if (!ok)
            return false;
    }
    return true;
}

template<typename Ch>
std::optional<qint64> RegionalSettings::parseExactChars(const Ch *s, qsizetype n) const
{
    int v[SlotCount] = {0, 0, 0, 0, 0, 0, -1};
    qsizetype i = 0;
    if (!matchParts(m_dateParts, s, n, i, v))
        return std::nullopt;
    const QDate date(v[SYear], v[SMonth], v[SDay]);
    if (!date.isValid() || v[SYear] < 1)
        return std::nullopt;
    if (i == n)
        return DateTimeKey::fromParts(date, 0);
    if (charAt(s, i) != ' ')
        return std::nullopt;
    ++i;
    v[SHalf] = -1;
    if (!matchParts(m_timeParts, s, n, i, v) || i != n)
        return std::nullopt;
    int hour = v[SHour];
    const int half = v[SHalf];
    if (m_twelveHour) {
        if (half < 0 || hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (half ? 12 : 0);
    } else if (hour > 23 || (half >= 0 && half != int(hour >= 12))) {
        return std::nullopt;
    }
    if (v[SMinute] > 59 || v[SSecond] > 59)
        return std::nullopt;
    const int ms = ((hour * 60 + v[SMinute]) * 60 + v[SSecond]) * 1000;
    if (ms < 1000) // midnight is written as the date alone
        return std::nullopt;
    return DateTimeKey::fromParts(date, ms);
}

std::optional<qint64> RegionalSettings::parseExact(QStringView text) const
{
    return parseExactChars(reinterpret_cast<const char16_t *>(text.utf16()), text.size());
}

std::optional<qint64> RegionalSettings::parseExact(QByteArrayView text) const
{
    return parseExactChars(text.data(), text.size());
}

std::optional<qint64> RegionalSettings::parse(QStringView text) const
{
    const char16_t *s = reinterpret_cast<const char16_t *>(text.utf16());
    if (const std::optional<qint64> exact = parseExactChars(s, text.size()))
        return exact;
    return parseChars(s, text.size());
}

std::optional<qint64> RegionalSettings::parse(QByteArrayView text) const
{
    if (const std::optional<qint64> exact = parseExactChars(text.data(), text.size()))
        return exact;
    return parseChars(text.data(), text.size());
}
