#include "platform/grid/GridLayout.h"

#include <QTest>

namespace {

// The call list's two bands and its visible columns, with their design widths.
GridLayout callList(int indicator, int groupLevels, int offset, QSize viewport = QSize(800, 600))
{
    GridLayout layout;
    GridLayout::Metrics m;
    m.indicatorWidth = indicator;
    m.groupIndent = 16;
    m.groupByBoxHeight = 40;
    m.bandHeaderHeight = 20;
    m.headerLineHeight = 18;
    m.recordLineHeight = 17;
    layout.setMetrics(m);
    layout.setBands({{324, true, true}, {917, false, true}});
    layout.setColumns({
        {0, 0, 1, 138, true}, {0, 0, 2, 166, true}, {0, 0, 3, 20, true}, {0, 0, 0, 64, false}, // 0-3
        {0, 1, 0, 147, true},                                                                   // 4
        {0, 3, 0, 62, true},  {0, 3, 1, 236, true}, {0, 3, 2, 41, true},                        // 5-7
        {1, 0, 3, 154, true}, {1, 0, 4, 183, true}, {1, 0, 5, 580, true}, {1, 0, 0, 183, false}, // 8-11
        {1, 2, 0, 509, true},                                                                   // 12
    });
    layout.setGroupLevels(groupLevels);
    layout.setViewportSize(viewport);
    layout.setHorizontalOffset(offset);
    return layout;
}

} // namespace

class TestGridLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cells_data();
    void cells();
    void headers();
    void scrollRange();
    void rowsOnScreen();
    void hits();
};

void TestGridLayout::cells_data()
{
    QTest::addColumn<int>("indicator");
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("column");
    QTest::addColumn<QRect>("cell"); // of a record whose top is 100

    // Widths that add up to the band's stay as designed; the hidden column takes no room.
    QTest::newRow("first of line 0") << 0 << 0 << 0 << 0 << QRect(0, 100, 138, 17);
    QTest::newRow("second of line 0") << 0 << 0 << 0 << 1 << QRect(138, 100, 166, 17);
    QTest::newRow("third of line 0") << 0 << 0 << 0 << 2 << QRect(304, 100, 20, 17);
    QTest::newRow("hidden") << 0 << 0 << 0 << 3 << QRect();
    // Alone on its line, a column spans the band.
    QTest::newRow("alone on line 1") << 0 << 0 << 0 << 4 << QRect(0, 117, 324, 17);
    // 62 + 236 + 41 = 339 shared out over 324.
    QTest::newRow("line 3 a") << 0 << 0 << 0 << 5 << QRect(0, 151, 59, 17);
    QTest::newRow("line 3 b") << 0 << 0 << 0 << 6 << QRect(59, 151, 225, 17);
    QTest::newRow("line 3 c ends on the edge") << 0 << 0 << 0 << 7 << QRect(284, 151, 40, 17);
    QTest::newRow("band 1 follows band 0") << 0 << 0 << 0 << 8 << QRect(324, 100, 154, 17);
    QTest::newRow("band 1 line 2") << 0 << 0 << 0 << 12 << QRect(324, 134, 917, 17);
    QTest::newRow("indicator and two levels shift both") << 12 << 2 << 0 << 0 << QRect(44, 100, 138, 17);
    QTest::newRow("indicator shifts band 1") << 12 << 0 << 0 << 9 << QRect(12 + 324 + 154, 100, 183, 17);
    // Sideways scroll moves band 1 only.
    QTest::newRow("scroll keeps band 0") << 0 << 0 << 100 << 1 << QRect(138, 100, 166, 17);
    QTest::newRow("scroll moves band 1") << 0 << 0 << 100 << 8 << QRect(224, 100, 154, 17);
}

void TestGridLayout::cells()
{
    QFETCH(int, indicator);
    QFETCH(int, levels);
    QFETCH(int, offset);
    QFETCH(int, column);
    QFETCH(QRect, cell);
    const GridLayout layout = callList(indicator, levels, offset);
    QCOMPARE(layout.lineCount(), 4);
    QCOMPARE(layout.recordHeight(), 4 * 17);
    QCOMPARE(layout.cellRect(column, 100), cell);
}

void TestGridLayout::headers()
{
    const GridLayout layout = callList(12, 0, 0);
    QCOMPARE(layout.groupByBoxRect(), QRect(0, 0, 800, 40));
    QCOMPARE(layout.bandHeaderRect(0), QRect(12, 40, 324, 20));
    QCOMPARE(layout.bandHeaderRect(1), QRect(336, 40, 917, 20));
    // Column headers mirror the record: four lines of 18 under the band headers.
    QCOMPARE(layout.columnHeaderRect(4), QRect(12, 78, 324, 18));
    QCOMPARE(layout.columnHeaderRect(7), QRect(12 + 284, 114, 40, 18));
    QCOMPARE(layout.columnHeaderRect(3), QRect());
    QCOMPARE(layout.indicatorHeaderRect(), QRect(0, 40, 12, 20 + 4 * 18));
    QCOMPARE(layout.rowsTop(), 40 + 20 + 4 * 18);
}

void TestGridLayout::scrollRange()
{
    GridLayout layout = callList(12, 1, 0);
    QCOMPARE(layout.contentWidth(), 12 + 16 + 324 + 917);
    QCOMPARE(layout.maxHorizontalOffset(), 12 + 16 + 324 + 917 - 800);
    layout.setHorizontalOffset(100000);
    QCOMPARE(layout.horizontalOffset(), layout.maxHorizontalOffset());
    QCOMPARE(layout.scrollingClip().left(), 12 + 16 + 324);
    layout.setViewportSize(QSize(2000, 600));
    QCOMPARE(layout.horizontalOffset(), 0);
}

void TestGridLayout::rowsOnScreen()
{
    const GridLayout layout = callList(0, 0, 0, QSize(800, 132 + 3 * 68 + 10));
    const auto rows = layout.rowsOnScreen(5, 100, [](int) { return 68; });
    // Three whole records and the top of a fourth.
    QCOMPARE(int(rows.size()), 4);
    QCOMPARE(rows.front().row, 5);
    QCOMPARE(rows.front().top, 132);
    QCOMPARE(rows.back().top, 132 + 3 * 68);
    QCOMPARE(int(layout.rowsOnScreen(98, 100, [](int) { return 68; }).size()), 2);
}

void TestGridLayout::hits()
{
    const GridLayout layout = callList(0, 0, 100);
    QCOMPARE(layout.columnHeaderAt(QPoint(140, 70)), 1);
    QCOMPARE(layout.columnHeaderAt(QPoint(330, 70)), 8);
    // Band 1 scrolled under band 0 is not hit through it.
    QCOMPARE(layout.columnHeaderAt(QPoint(230, 70)), 1);
    QCOMPARE(layout.columnEdgeAt(QPoint(139, 70)), 0);
    QCOMPARE(layout.columnEdgeAt(QPoint(150, 70)), -1);
    QCOMPARE(layout.bandHeaderAt(QPoint(400, 50)), 1);
    QCOMPARE(layout.bandEdgeAt(QPoint(323, 50)), 0);
}

QTEST_GUILESS_MAIN(TestGridLayout)
#include "tst_gridlayout.moc"
