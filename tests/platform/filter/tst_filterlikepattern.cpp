#include "platform/filter/FilterLikePattern.h"

#include <QtTest>

Q_DECLARE_METATYPE(FilterLikePattern::Shape)

class TestFilterLikePattern : public QObject
{
    Q_OBJECT

private slots:
    void matches_data();
    void matches();
    void shape_data();
    void shape();
};

void TestFilterLikePattern::matches_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("match");

    QTest::newRow("exact ignores case") << "rossi" << "ROSSI" << true;
    QTest::newRow("exact is whole text") << "rossi" << "rossini" << false;
    QTest::newRow("begins") << "ros%" << "Rossini" << true;
    QTest::newRow("begins, not inside") << "ros%" << "Tarros" << false;
    QTest::newRow("ends") << "%ini" << "ROSSINI" << true;
    QTest::newRow("ends, not at start") << "%ini" << "inizio" << false;
    QTest::newRow("contains") << "%SS%" << "rossi" << true;
    QTest::newRow("contains the whole text") << "%rossi%" << "Rossi" << true;
    QTest::newRow("contains, missing") << "%xy%" << "rossi" << false;
    QTest::newRow("contains with single wildcard") << "%o_s%" << "Rossi" << true;
    QTest::newRow("contains with single wildcard, missing") << "%o_x%" << "Rossi" << false;
    QTest::newRow("begins with single wildcard") << "r_s%" << "Rossi" << true;
    QTest::newRow("single wildcard takes exactly one") << "r_si" << "Rossi" << false;
    QTest::newRow("single wildcard needs a character") << "ross_" << "Ross" << false;
    QTest::newRow("any series may be empty") << "ro%ssi" << "rossi" << true;
    QTest::newRow("backtracking") << "%ab%abc" << "xxababxabc" << true;
    QTest::newRow("backtracking, no match") << "%ab%abc" << "xxababxab" << false;
    QTest::newRow("repeated series") << "a%%b" << "axyb" << true;
    QTest::newRow("series only") << "%" << "" << true;
    QTest::newRow("two series only") << "%%" << "abc" << true;
    QTest::newRow("empty pattern, empty text") << "" << "" << true;
    QTest::newRow("empty pattern, some text") << "" << "a" << false;
    QTest::newRow("accented letters ignore case") << "%\u00e8%" << "PERCH\u00c8" << true;
    QTest::newRow("accented letters, general path") << "p_rch\u00e8" << "PERCH\u00c8" << true;
    QTest::newRow("blank text, contains") << "%a%" << "" << false;
}

void TestFilterLikePattern::matches()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, match);

    QCOMPARE(FilterLikePattern(pattern).matches(text), match);
}

void TestFilterLikePattern::shape_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<FilterLikePattern::Shape>("shape");
    QTest::addColumn<QString>("literal");

    using Shape = FilterLikePattern::Shape;
    QTest::newRow("exact") << "abc" << Shape::Exact << "abc";
    QTest::newRow("begins") << "abc%" << Shape::BeginsWith << "abc";
    QTest::newRow("ends") << "%abc" << Shape::EndsWith << "abc";
    QTest::newRow("contains") << "%abc%" << Shape::Contains << "abc";
    QTest::newRow("contains with single wildcard") << "%a_c%" << Shape::Contains << "a_c";
    QTest::newRow("series inside") << "%a%c%" << Shape::General << "%a%c%";
    QTest::newRow("series in the middle") << "a%c" << Shape::General << "a%c";
    QTest::newRow("only series") << "%" << Shape::General << "%";
    QTest::newRow("two series") << "%%" << Shape::General << "%%";
    QTest::newRow("empty") << "" << Shape::General << "";
}

void TestFilterLikePattern::shape()
{
    QFETCH(QString, pattern);
    QFETCH(FilterLikePattern::Shape, shape);
    QFETCH(QString, literal);

    const FilterLikePattern like(pattern);
    QCOMPARE(like.shape(), shape);
    QCOMPARE(like.literal(), literal);
}

QTEST_GUILESS_MAIN(TestFilterLikePattern)
#include "tst_filterlikepattern.moc"
