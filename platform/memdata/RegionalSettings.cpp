#include "RegionalSettings.h"

#include "AnsiCodec.h"
#include "DateTimeKey.h"

#include <QLocale>
#include <QRegularExpression>
#include <QtGlobal>

namespace {

const QString kDefaultDate = QStringLiteral("dd/MM/yyyy");
const QString kDefaultTime = QStringLiteral("HH:mm:ss");

bool isBlank(char32_t c) { return c == ' ' || c == '\t' || c == 0xA0 || c == 0x202F; }
char32_t charAt(const char16_t *s, qsizetype i) { return s[i]; }
char32_t charAt(const char *s, qsizetype i) { return AnsiCodec::decode(static_cast<unsigned char>(s[i])); }

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
        int n = 0;
        do {
            buf[n++] = char('0' + v % 10);
            v /= 10;
        } while (v > 0 && n < 11);
        while (n < width)
            buf[n++] = '0';
        while (n > 0)
            b.append(buf[--n]);
    }
    void literal(const QString &, const QByteArray &ansi) { b.append(ansi); }
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
    return RegionalSettings(locale.dateFormat(QLocale::ShortFormat), locale.timeFormat(QLocale::LongFormat));
}

QString RegionalSettings::normalizedDate(const QString &pattern)
{
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    QString p = pattern;
    p.replace(twoDigitYear, QStringLiteral("yyyy"));
    p.replace(QChar(0x202F), u' ').replace(QChar(0xA0), u' ');
    return p;
}

QString RegionalSettings::normalizedTime(const QString &pattern)
{
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    QString p = pattern;
    p.replace(QChar(0x202F), u' ').replace(QChar(0xA0), u' ');
    p.replace(zone, QString());
    return p.trimmed();
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
        case u'y': parts.push_back({run <= 2 ? Token::Year2 : Token::Year4, {}, {}}); break;
        case u'H': pick(Token::Hour, Token::Hour2); break;
        case u'h': pick(Token::Hour12, Token::Hour12_2); break;
        case u'm': pick(Token::Minute, Token::Minute2); break;
        case u's': pick(Token::Second, Token::Second2); break;
        case u'z': *ok = false; break;
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
    if (!ok || !complete || seen != 3) {
        m_dateFormat = kDefaultDate;
        m_dateSep = u'/';
        m_dateParts = tokenize(m_dateFormat, &ok);
        pos[0] = 0; pos[1] = 1; pos[2] = 2;
    }
    for (int i = 0; i < 3; ++i)
        m_order[pos[i]] = i;

    m_timeParts = tokenize(m_timeFormat, &ok);
    bool hasHour = false;
    for (const Part &p : m_timeParts) {
        switch (p.token) {
        case Token::Hour: case Token::Hour2: hasHour = true; break;
        case Token::Hour12: case Token::Hour12_2: hasHour = true; m_twelveHour = true; break;
        case Token::Day: case Token::Day2: case Token::Month: case Token::Month2:
        case Token::Year2: case Token::Year4: ok = false; break;
        default: break;
        }
    }
    if (!ok || !hasHour) {
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

std::optional<qint64> RegionalSettings::parse(QStringView text) const
{
    return parseChars(reinterpret_cast<const char16_t *>(text.utf16()), text.size());
}

std::optional<qint64> RegionalSettings::parse(QByteArrayView text) const
{
    return parseChars(text.data(), text.size());
}
