#include "platform/memdata/DateTimeKey.h"
#include "platform/memdata/RegionalSettings.h"

#include "platform/memdata/AnsiCodec.h"

#include <QLocale>
#include <QTest>

class tst_RegionalSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatsFromLocale_data();
    void formatsFromLocale();
    void render_data();
    void render();
    void readsBackWhatItWrites_data();
    void readsBackWhatItWrites();
    void everyLocaleReadsBackWhatItWrites_data();
    void everyLocaleReadsBackWhatItWrites();
    void patternsCleaned_data();
    void patternsCleaned();
    void exactReading_data();
    void exactReading();
    void parsesLeniently_data();
    void parsesLeniently();
    void refuses_data();
    void refuses();
    void bytesAndTextAgree();
};

static qint64 key(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return DateTimeKey::fromParts(QDate(y, mo, d), ((h * 60 + mi) * 60 + s) * 1000 + ms);
}

void tst_RegionalSettings::formatsFromLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::newRow("italian") << "it_IT.UTF-8" << "dd/MM/yyyy" << "HH:mm:ss";
    QTest::newRow("american") << "en_US.UTF-8" << "M/d/yyyy" << "h:mm:ss AP";
    QTest::newRow("german") << "de_DE" << "dd.MM.yyyy" << "HH:mm:ss";
    QTest::newRow("C") << "C" << "dd/MM/yyyy" << "HH:mm:ss";
    QTest::newRow("POSIX") << "POSIX" << "dd/MM/yyyy" << "HH:mm:ss";
    QTest::newRow("C.UTF-8") << "C.UTF-8" << "dd/MM/yyyy" << "HH:mm:ss";
    QTest::newRow("unset") << "" << "dd/MM/yyyy" << "HH:mm:ss";
}

void tst_RegionalSettings::formatsFromLocale()
{
    QFETCH(QString, locale);
    const RegionalSettings r = RegionalSettings::fromLocaleName(locale);
    QTEST(r.shortDateFormat(), "date");
    QTEST(r.longTimeFormat(), "time");
}

void tst_RegionalSettings::render_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("seconds shown, ms hidden") << "it_IT" << key(2024, 3, 25, 9, 15, 30, 250) << "25/03/2024 09:15:30";
    QTest::newRow("midnight is the date alone") << "it_IT" << key(2024, 3, 25) << "25/03/2024";
    QTest::newRow("ms past midnight still the date") << "it_IT" << key(2024, 3, 25, 0, 0, 0, 999) << "25/03/2024";
    QTest::newRow("one second past midnight") << "it_IT" << key(2024, 3, 25, 0, 0, 1) << "25/03/2024 00:00:01";
    QTest::newRow("american afternoon") << "en_US" << key(2024, 3, 5, 14, 30, 5) << "3/5/2024 2:30:05 PM";
    QTest::newRow("american noon") << "en_US" << key(2024, 3, 5, 12, 0, 5) << "3/5/2024 12:00:05 PM";
    QTest::newRow("american after midnight") << "en_US" << key(2024, 3, 5, 0, 10, 0) << "3/5/2024 12:10:00 AM";
    QTest::newRow("german") << "de_DE" << key(2031, 1, 5, 8, 4, 9) << "05.01.2031 08:04:09";
    QTest::newRow("null is empty") << "it_IT" << DateTimeKey::Null << "";
}

void tst_RegionalSettings::render()
{
    QFETCH(QString, locale);
    QFETCH(qint64, value);
    QFETCH(QString, text);
    const RegionalSettings r = RegionalSettings::fromLocaleName(locale);
    QCOMPARE(r.format(value), text);
    QByteArray bytes;
    r.appendFormatted(bytes, value);
    QCOMPARE(QString::fromLatin1(bytes), text);
}

void tst_RegionalSettings::readsBackWhatItWrites_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *l : {"it_IT", "en_US", "de_DE", "sv_SE", "fi_FI", "C"})
        QTest::newRow(l) << l;
}

void tst_RegionalSettings::readsBackWhatItWrites()
{
    QFETCH(QString, locale);
    const RegionalSettings r = RegionalSettings::fromLocaleName(locale);
    for (qint64 v : {key(2024, 3, 25, 14, 30, 5), key(1999, 12, 31, 23, 59, 59), key(2000, 2, 29),
                     key(2024, 1, 1, 0, 0, 1), key(2024, 7, 4, 12, 0, 0), key(2024, 7, 4, 0, 30, 0)}) {
        const QString text = r.format(v);
        const std::optional<qint64> back = r.parse(text);
        QVERIFY2(back.has_value(), qPrintable(text));
        QCOMPARE(*back, v);
    }
}

void tst_RegionalSettings::everyLocaleReadsBackWhatItWrites_data()
{
    QTest::addColumn<QLocale>("locale");
    const QList<QLocale> all = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (qsizetype i = 0; i < all.size(); ++i)
        QTest::addRow("%d %s", int(i), qPrintable(all[i].name())) << all[i];
}

// Text -> value -> text, through the screen's text form and through the archive's bytes.
void tst_RegionalSettings::everyLocaleReadsBackWhatItWrites()
{
    QFETCH(QLocale, locale);
    const RegionalSettings r = RegionalSettings::fromLocale(locale);
    const qint64 values[] = {key(2026, 1, 1), key(2026, 12, 31, 12, 0, 0), key(2026, 12, 31, 23, 59, 59),
                             key(2026, 1, 1, 0, 0, 1), key(2026, 5, 3, 1, 2, 3), key(2026, 11, 25, 13, 45, 10),
                             key(1999, 10, 10, 10, 10, 10), key(2049, 12, 31, 0, 30, 0), key(1950, 1, 1, 11, 59, 59),
                             key(1901, 2, 28, 22, 0, 0)};
    for (qint64 v : values) {
        const QString text = r.format(v);
        const QByteArray bytes = [&] { QByteArray b; r.appendFormatted(b, v); return b; }();
        const QByteArray context = (r.shortDateFormat() + u" | " + r.longTimeFormat() + u" | " + text).toUtf8();
        QVERIFY2(AnsiCodec::toUnicode(bytes) == text, context.constData()); // nothing lost to "?"
        QVERIFY2(r.parseExact(text) == v, context.constData());
        QVERIFY2(r.parse(text) == v, context.constData());
        QVERIFY2(r.parseExact(bytes) == v, context.constData());
        QVERIFY2(r.parse(bytes) == v, context.constData());
        QCOMPARE(r.format(*r.parse(bytes)), text);
    }
}

void tst_RegionalSettings::patternsCleaned_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    const qint64 v = key(2026, 12, 11, 14, 29, 18);
    QTest::newRow("zone in brackets") << "es_ES" << "d/M/yyyy" << "H:mm:ss" << v << "11/12/2026 14:29:18";
    QTest::newRow("zone after a comma") << "be_BY" << "d.MM.yyyy" << "HH:mm:ss" << v << "11.12.2026 14:29:18";
    QTest::newRow("zone first") << "zh_CN" << "yyyy/M/d" << "HH:mm:ss" << v << "2026/12/11 14:29:18";
    QTest::newRow("literal after the year") << "hu_HU" << "yyyy. MM. dd." << "H:mm:ss" << v << "2026. 12. 11. 14:29:18";
    QTest::newRow("AM/PM first, words outside the code page") << "ko_KR" << "yyyy. M. d." << "HH:mm:ss" << v << "2026. 12. 11. 14:29:18";
    QTest::newRow("words in the time") << "fr_CA" << "yyyy-MM-dd" << "HH 'h' mm 'min' ss 's'" << v << "2026-12-11 14 h 29 min 18 s";
    QTest::newRow("period of the day") << "zh_TW" << "yyyy/M/d" << "Bh:mm:ss" << v << "2026/12/11 PM2:29:18";
    QTest::newRow("Cyrillic letters") << "bg_BG" << "dd/MM/yyyy" << "HH:mm:ss" << v << "11/12/2026 14:29:18";
    QTest::newRow("Japanese") << "ja_JP" << "yyyy/MM/dd" << "HH:mm:ss" << v << "2026/12/11 14:29:18";
    QTest::newRow("direction marks") << "ar_EG" << "d/M/yyyy" << "h:mm:ss AP" << v << "11/12/2026 2:29:18 PM";
}

void tst_RegionalSettings::patternsCleaned()
{
    QFETCH(QString, locale);
    QFETCH(qint64, value);
    const RegionalSettings r = RegionalSettings::fromLocaleName(locale);
    QTEST(r.shortDateFormat(), "date");
    QTEST(r.longTimeFormat(), "time");
    QTEST(r.format(value), "text");
}

void tst_RegionalSettings::exactReading_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("exact");
    QTest::newRow("as written") << "it_IT" << "05/03/2026 14:29:18" << true;
    QTest::newRow("the date alone") << "it_IT" << "05/03/2026" << true;
    QTest::newRow("no leading zero") << "it_IT" << "5/3/2026 14:29:18" << false;
    QTest::newRow("midnight written out") << "it_IT" << "05/03/2026 00:00:00" << false;
    QTest::newRow("without seconds") << "it_IT" << "05/03/2026 14:29" << false;
    QTest::newRow("blank before") << "it_IT" << " 05/03/2026" << false;
    QTest::newRow("American, as written") << "en_US" << "3/5/2026 2:29:18 PM" << true;
    QTest::newRow("American, leading zero") << "en_US" << "03/05/2026 2:29:18 PM" << false;
    QTest::newRow("American, 24-hour") << "en_US" << "3/5/2026 14:29:18" << false;
    QTest::newRow("American, no marker") << "en_US" << "3/5/2026 2:29:18" << false;
    QTest::newRow("day and month swapped") << "en_US" << "25/03/2026" << false;
}

void tst_RegionalSettings::exactReading()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, exact);
    const RegionalSettings r = RegionalSettings::fromLocaleName(locale);
    QCOMPARE(r.parseExact(text).has_value(), exact);
    QCOMPARE(r.parseExact(AnsiCodec::fromUnicode(text)).has_value(), exact);
    if (exact)
        QCOMPARE(r.format(*r.parseExact(text)), text);
}

void tst_RegionalSettings::parsesLeniently_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::newRow("no leading zeros") << "5/1/2031 8:4:9" << key(2031, 1, 5, 8, 4, 9);
    QTest::newRow("without seconds") << "25/03/2024 14:30" << key(2024, 3, 25, 14, 30);
    QTest::newRow("hour only") << "25/03/2024 14" << key(2024, 3, 25, 14);
    QTest::newRow("milliseconds kept") << "25/03/2024 14:30:05.750" << key(2024, 3, 25, 14, 30, 5, 750);
    QTest::newRow("surrounding blanks") << "  25/03/2024 14:30:05 " << key(2024, 3, 25, 14, 30, 5);
    QTest::newRow("two-digit year, this century") << "25/03/24" << key(2024, 3, 25);
    QTest::newRow("two-digit year, last century") << "25/03/75" << key(1975, 3, 25);
    QTest::newRow("window starts at 1950") << "1/1/50" << key(1950, 1, 1);
    QTest::newRow("window ends at 2049") << "31/12/49" << key(2049, 12, 31);
    QTest::newRow("a marker of the afternoon is understood") << "25/03/2024 10:00 PM" << key(2024, 3, 25, 22);
    QTest::newRow("leap day") << "29/02/2024" << key(2024, 2, 29);
}

void tst_RegionalSettings::parsesLeniently()
{
    QFETCH(QString, text);
    const std::optional<qint64> v = RegionalSettings().parse(text);
    QVERIFY(v.has_value());
    QTEST(*v, "value");
}

void tst_RegionalSettings::refuses_data()
{
    QTest::addColumn<QString>("text");
    for (const char *t : {"hello", "32/01/2024", "29/02/2023", "01/13/2024", "25/03/2024 24:00:00",
                          "25/03/2024 10:60", "25/03/2024 10:00:61", "25-03-2024", "25/03/2024x",
                          "2024", "/03/2024", "25/03/20245", "25/03/2024 13:00 PM",
                          "25/03/2024 10:00:00.1234"})
        QTest::newRow(t) << t;
}

void tst_RegionalSettings::refuses()
{
    QFETCH(QString, text);
    QVERIFY2(!RegionalSettings().parse(text).has_value(), qPrintable(text));
}

void tst_RegionalSettings::bytesAndTextAgree()
{
    const RegionalSettings r = RegionalSettings::fromLocaleName(QStringLiteral("en_US"));
    QCOMPARE(r.parse(QByteArrayView("3/5/2024 2:30:05 PM")), r.parse(QStringView(u"3/5/2024 2:30:05 PM")));
    QCOMPARE(*r.parse(QByteArrayView("3/5/2024 2:30:05 PM")), key(2024, 3, 5, 14, 30, 5));
}

QTEST_APPLESS_MAIN(tst_RegionalSettings)
#include "tst_regionalsettings.moc"
