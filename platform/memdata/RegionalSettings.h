#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// The short date and long time formats by which date-times are shown and read, with fast
// formatting and parsing in them. Formats use QLocale's pattern letters.
class RegionalSettings
{
public:
    // dd/MM/yyyy and HH:mm:ss.
    RegionalSettings();
    RegionalSettings(const QString &shortDateFormat, const QString &longTimeFormat);

    // From LC_ALL, LC_TIME or LANG, the first that is set; C, POSIX or nothing give the defaults.
    static RegionalSettings fromEnvironment();
    static RegionalSettings fromLocaleName(const QString &name);
    static RegionalSettings fromLocale(const QLocale &locale);

    QString shortDateFormat() const { return m_dateFormat; }
    QString longTimeFormat() const { return m_timeFormat; }

    // The date, then a blank and the time unless hour, minute and second are all zero.
    QString format(qint64 key) const;
    void appendFormatted(QByteArray &out, qint64 key) const;
    // The same bytes written at out, at most maxFormattedSize() of them; returns their end.
    char *formatTo(char *out, qint64 key) const;
    qsizetype maxFormattedSize() const;

    // A date in the short date's order and separator, optionally followed by a blank and a time.
    std::optional<qint64> parse(QStringView text) const;
    std::optional<qint64> parse(QByteArrayView text) const;
    // Only a text exactly as format writes it: what the archive holds when it was written under
    // these settings. A text refused here but read by parse does not render back to itself.
    std::optional<qint64> parseExact(QStringView text) const;
    std::optional<qint64> parseExact(QByteArrayView text) const;

    // Two-digit years are read into 1950..2049.
    static constexpr int CenturyWindowStart = 1950;

private:
    enum class Token { Literal, Day, Day2, Month, Month2, Year2, Year4, Hour, Hour2, Hour12, Hour12_2,
                       Minute, Minute2, Second, Second2, AmPm, AmPmLower };
    struct Part {
        Token token;
        QString literal;
        QByteArray ansiLiteral;
    };
    using Parts = std::vector<Part>;

    static Parts tokenize(const QString &pattern, bool *ok);
    static QString normalizedDate(const QString &pattern);
    static QString normalizedTime(const QString &pattern);
    static bool writable(const Parts &parts);
    static bool unambiguous(const Parts &parts);
    void compile();

    template<typename Out> void render(Out &out, const Parts &parts, qint64 key) const;
    template<typename Ch> std::optional<qint64> parseChars(const Ch *s, qsizetype n) const;
    template<typename Ch> std::optional<qint64> parseExactChars(const Ch *s, qsizetype n) const;
    template<typename Ch> bool matchParts(const Parts &parts, const Ch *s, qsizetype n, qsizetype &i, int *values) const;

    QString m_dateFormat;
    QString m_timeFormat;
    Parts m_dateParts;
    Parts m_timeParts;
    int m_order[3] = {0, 1, 2}; // positions of day, month and year in the date
    char16_t m_dateSep = u'/';
    char16_t m_timeSep = u':';
    bool m_twelveHour = false;
};
