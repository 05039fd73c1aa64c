#include "CallListFixture.h"

#include "platform/grid/GridBand.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridControl.h"
#include "platform/grid/GridHtmlExport.h"
#include "platform/grid/GridLevel.h"
#include "platform/grid/GridStyle.h"
#include "platform/grid/GridSummaryGroup.h"
#include "platform/memdata/DataError.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/GridTexts.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <csignal>
#include <map>
#include <numeric>
#include <sys/resource.h>
#include <unistd.h>

using RowKind = GridDataController::RowKind;

namespace {

const QStringList &calls = sampleCalls;

// A page read back: its rows, each cell placed on the table's columns as a browser places it.
struct Page
{
    struct Cell
    {
        QString cls;
        QString text;
        int colspan = 1;
        int rowspan = 1;
        int x = 0;     // pixels from the table's left
        int width = 0;
    };
    struct Row
    {
        QString cls;
        bool first = false; // the first line of a record
        std::vector<Cell> cells;
        QString section;    // thead or tbody
        int body = -1;      // which tbody, counted from 0
    };

    QString title;
    QString charset;
    QString css;
    QString tableBorder;
    QString tableSpacing;
    QString heading;
    bool headingSeen = false;
    std::vector<int> columns;
    std::vector<Row> rows;
    QString error;

    static Page read(const QString &fileName)
    {
        Page page;
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly)) {
            page.error = QStringLiteral("cannot open");
            return page;
        }
        // The one HTML entity that XML lacks.
        QByteArray bytes = file.readAll();
        bytes.replace("&nbsp;", "&#160;");
        QXmlStreamReader xml(bytes);
        QString section;
        int bodies = 0;
        while (!xml.atEnd()) {
            if (!xml.readNext() || !xml.isStartElement())
                continue;
            const QString n = xml.name().toString();
            const QXmlStreamAttributes a = xml.attributes();
            if (n == QLatin1String("meta")) {
                page.charset = a.value("charset").toString();
            } else if (n == QLatin1String("title")) {
                page.title = xml.readElementText();
            } else if (n == QLatin1String("style")) {
                page.css = xml.readElementText();
            } else if (n == QLatin1String("table")) {
                page.tableBorder = a.value("border").toString();
                page.tableSpacing = a.value("cellspacing").toString();
            } else if (n == QLatin1String("col")) {
                static const QRegularExpression width(QStringLiteral("width:(\\d+)px"));
                page.columns.push_back(width.match(a.value("style")).captured(1).toInt());
            } else if (n == QLatin1String("thead") || n == QLatin1String("tbody")) {
                section = n;
                bodies += n == QLatin1String("tbody");
            } else if (n == QLatin1String("p") && a.value("class") == QLatin1String("heading")) {
                page.headingSeen = true;
                page.heading = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (n == QLatin1String("tr")) {
                page.rows.push_back(Row{a.value("class").toString(), a.hasAttribute("data-first"), {}, section,
                                        section == QLatin1String("tbody") ? bodies - 1 : -1});
            } else if (n == QLatin1String("td") && !page.rows.empty()) {
                Cell c;
                c.cls = a.value("class").toString();
                c.colspan = a.hasAttribute("colspan") ? a.value("colspan").toInt() : 1;
                c.rowspan = a.hasAttribute("rowspan") ? a.value("rowspan").toInt() : 1;
                c.text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                page.rows.back().cells.push_back(c);
            }
        }
        if (xml.hasError())
            page.error = xml.errorString();
        page.place();
        return page;
    }

    // The table model of HTML: a cell takes the first table column its row leaves free.
    void place()
    {
        std::vector<int> edges{0};
        for (int w : columns)
            edges.push_back(edges.back() + w);
        std::map<std::pair<size_t, int>, bool> taken;
        for (size_t r = 0; r < rows.size(); ++r) {
            int col = 0;
            for (Cell &c : rows[r].cells) {
                while (taken.count({r, col}))
                    ++col;
                for (size_t dr = 0; dr < size_t(c.rowspan); ++dr) {
                    for (int dc = 0; dc < c.colspan; ++dc)
                        taken[{r + dr, col + dc}] = true;
                }
                const int end = std::min(col + c.colspan, int(edges.size()) - 1);
                c.x = edges[size_t(std::min(col, int(edges.size()) - 1))];
                c.width = edges[size_t(end)] - c.x;
                col += c.colspan;
            }
        }
    }

    const Cell *cellAt(size_t row, int x) const
    {
        for (const Cell &c : rows[row].cells) {
            if (c.x == x)
                return &c;
        }
        return nullptr;
    }
    // Every text of rows of one kind, in page order.
    QStringList texts(const QString &rowClass) const
    {
        QStringList out;
        for (const Row &r : rows) {
            if (r.cls != rowClass)
                continue;
            for (const Cell &c : r.cells) {
                if (!c.text.isEmpty() && c.text != QString(QChar(0xa0)))
                    out << c.text;
            }
        }
        return out;
    }
    int count(const QString &rowClass) const
    {
        return int(std::count_if(rows.begin(), rows.end(), [&](const Row &r) { return r.cls == rowClass; }));
    }
    // The css of one class.
    QString rule(const QString &cls) const
    {
        const QRegularExpression re(QStringLiteral("td\\.%1\\{([^}]*)\\}").arg(cls));
        return re.match(css).captured(1);
    }
};

// The call list's shape with styles like those of the program.
struct ExportFixture : CallListFixture
{
    QTemporaryDir dir;

    explicit ExportFixture(const QStringList &records = calls) : CallListFixture(records, Look::Styled) {}

    QString page() const { return dir.filePath("ChasLst.html"); }

    Page print(bool allRows, bool expandGroups = true, const QString &heading = QString())
    {
        GridHtmlExport::exportToFile(page(), &grid, expandGroups, allRows, "html", heading);
        return Page::read(page());
    }

    // Where a column's cells lie on screen, as the page counts: from the left of the indents.
    int screenLeft(const GridColumn *c) const
    {
        const GridLayout &l = view->gridLayout();
        const int band = c->bandIndex();
        const int scroll = l.isFixedBand(band) ? 0 : l.horizontalOffset();
        return l.columnLeft(indexOf(c)) + scroll - l.metrics().indicatorWidth;
    }
    int screenWidth(const GridColumn *c) const { return view->gridLayout().columnPixelWidth(indexOf(c)); }

    // The names of the printed records: line 1 of each record holds Nome.
    QStringList printedNames(const Page &p) const
    {
        QStringList names;
        for (size_t r = 0; r + 1 < p.rows.size(); ++r) {
            if (!p.rows[r].first)
                continue;
            const Page::Cell *cell = p.cellAt(r + 1, screenLeft(nome));
            names << (cell ? cell->text : QStringLiteral("?"));
        }
        return names;
    }

    void focusRecord(const QString &name)
    {
        const GridDataController *c = view->controller();
        for (int r = 0; r < c->rowCount(); ++r) {
            if (c->rowKind(r) == RowKind::Record && data.nameOf(c->rowRecordId(r)) == name) {
                view->controller()->setFocusedRow(r);
                return;
            }
        }
        QFAIL("no such record on screen");
    }
    void focusGroup(const QString &text)
    {
        const GridDataController *c = view->controller();
        for (int r = 0; r < c->rowCount(); ++r) {
            if (c->rowKind(r) == RowKind::Group && view->groupRowText(c->rowGroup(r)) == text) {
                view->controller()->setFocusedRow(r);
                return;
            }
        }
        QFAIL("no such group on screen");
    }
    int collapsedGroups() const
    {
        int n = 0;
        for (int g = 0; g < view->controller()->groupCount(); ++g)
            n += !view->controller()->isGroupExpanded(g);
        return n;
    }
};

QByteArray contents(const QString &fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestGridHtmlExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outputFileName_data();
    void outputFileName();
    void rowsOfBothPrints_data();
    void rowsOfBothPrints();
    void groupsOpenAndStayOpen_data();
    void groupsOpenAndStayOpen();
    void selectedRowsWhenGrouped_data();
    void selectedRowsWhenGrouped();
    void shownAndHiddenColumns_data();
    void shownAndHiddenColumns();
    void cellsSpanAsOnScreen_data();
    void cellsSpanAsOnScreen();
    void pageShapeAndStyles();
    void valuesAreEscaped();
    void pagesForPaper_data();
    void pagesForPaper();
    void unwritableTargetKeepsEarlierPage_data();
    void unwritableTargetKeepsEarlierPage();
    void secondPrintReplacesFirst();
    void readOnlyFolderTakesThePageInPlace();
    void gridWithoutView();
};

void TestGridHtmlExport::outputFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same extension") << "dir/ChasLst.html" << "html" << "dir/ChasLst.html";
    QTest::newRow("other extension") << "dir/ChasLst.txt" << "html" << "dir/ChasLst.html";
    QTest::newRow("only the last extension") << "dir/a.b.txt" << "htm" << "dir/a.b.htm";
    QTest::newRow("no extension") << "dir.x/page" << "html" << "dir.x/page.html";
    QTest::newRow("dotted extension") << "page.txt" << ".html" << "page.html";
    QTest::newRow("no extension asked") << "page.txt" << "" << "page.txt";
}

void TestGridHtmlExport::outputFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, extension);
    QFETCH(QString, expected);
    QCOMPARE(GridHtmlExport::outputFileName(name, extension), expected);
}

void TestGridHtmlExport::rowsOfBothPrints_data()
{
    QTest::addColumn<bool>("allRows");
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<QStringList>("names");
    // Sorted by Nome, focus on verdi.
    QTest::newRow("list") << true << false << QStringList{"alfa", "bianchi", "Bianchi", "neri", "rossi", "verdi"};
    QTest::newRow("list, filtered") << true << true << QStringList{"alfa", "Bianchi", "neri"};
    QTest::newRow("selected") << false << false << QStringList{"verdi"};
    QTest::newRow("selected, filtered") << false << true << QStringList{"neri"};
}

void TestGridHtmlExport::rowsOfBothPrints()
{
    QFETCH(bool, allRows);
    QFETCH(bool, filtered);
    QFETCH(QStringList, names);
    ExportFixture f;
    f.view->sortByColumn(f.nome, {});
    f.focusRecord("verdi");
    if (filtered) {
        f.view->controller()->setRowFilter([&f](quint32 id) { return f.data.table.text(id, f.data.prov) != "MI"; });
        f.focusRecord("neri");
    }
    const Page page = f.print(allRows);
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
    QCOMPARE(f.printedNames(page), names);
    QCOMPARE(page.count("g"), 0);
    QCOMPARE(page.count("f"), 0);
    // Each record is four lines.
    QCOMPARE(page.count("r"), 4 * names.size());
}

void TestGridHtmlExport::groupsOpenAndStayOpen_data()
{
    QTest::addColumn<bool>("expandGroups");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("footers");
    QTest::newRow("expanded") << true << QStringList{"rossi", "verdi", "bianchi", "alfa", "Bianchi", "neri"}
                              << QStringList{"3", "1", "2"};
    // The footers show also for collapsed groups, as on screen.
    QTest::newRow("as shown") << false << QStringList{"rossi", "verdi", "bianchi"} << QStringList{"3", "1", "2"};
}

void TestGridHtmlExport::groupsOpenAndStayOpen()
{
    QFETCH(bool, expandGroups);
    QFETCH(QStringList, names);
    QFETCH(QStringList, footers);
    ExportFixture f;
    f.view->groupByColumn(f.prov, 0);
    GridDataController *c = f.view->controller();
    c->setGroupExpanded(0, true); // MI open, RM and TO collapsed
    QCOMPARE(f.collapsedGroups(), 2);
    const Page page = f.print(true, expandGroups);
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
    QCOMPARE(f.printedNames(page), names);
    QCOMPARE(page.texts("g"), QStringList({"PR : MI", "PR : RM", "PR : TO"}));
    QCOMPARE(page.texts("f"), footers);
    // Each group closed by its footer, under Nome, in the footer's look.
    QStringList order;
    for (const Page::Row &r : page.rows) {
        if (r.cls == "g" || r.cls == "f")
            order << r.cls;
    }
    QCOMPARE(order, QStringList({"g", "f", "g", "f", "g", "f"}));
    for (size_t r = 0; r < page.rows.size(); ++r) {
        if (page.rows[r].cls != "f")
            continue;
        const Page::Cell *count = page.cellAt(r, f.screenLeft(f.nome));
        QVERIFY(count);
        QCOMPARE(count->width, f.screenWidth(f.nome));
        QVERIFY(page.rule(count->cls).contains("color:#008000"));
        QVERIFY(page.rule(count->cls).contains("font-weight:bold"));
    }
    // The grid keeps what the print opened.
    QCOMPARE(f.collapsedGroups(), expandGroups ? 0 : 2);
    int records = 0;
    for (int r = 0; r < c->rowCount(); ++r)
        records += c->rowKind(r) == RowKind::Record;
    QCOMPARE(records, names.size());
}

void TestGridHtmlExport::selectedRowsWhenGrouped_data()
{
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QString>("focus"); // a name, or "=" and a group row's text
    QTest::addColumn<QStringList>("groupRows");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("collapsedAfter");
    QTest::newRow("record under a group") << "PR" << "neri" << QStringList{"PR : TO"} << QStringList{"neri"} << 0;
    QTest::newRow("record under two levels") << "PR Localita" << "bianchi"
                                             << QStringList{"PR : MI", "Localita : Milano"} << QStringList{"bianchi"} << 0;
    QTest::newRow("collapsed group row") << "PR" << "=PR : MI" << QStringList{"PR : MI"}
                                         << QStringList{"rossi", "verdi", "bianchi"} << 2;
    QTest::newRow("outer group row of two levels")
        << "PR Localita" << "=PR : MI" << QStringList{"PR : MI", "Localita : Milano", "Localita : Monza"}
        << QStringList{"rossi", "bianchi", "verdi"} << 4;
    QTest::newRow("inner group row") << "PR Localita" << "=Localita : Torino" << QStringList{"PR : TO", "Localita : Torino"}
                                     << QStringList{"Bianchi", "neri"} << 5;
}

void TestGridHtmlExport::selectedRowsWhenGrouped()
{
    QFETCH(QString, groups);
    QFETCH(QString, focus);
    QFETCH(QStringList, groupRows);
    QFETCH(QStringList, names);
    QFETCH(int, collapsedAfter);
    ExportFixture f;
    int level = 0;
    for (const QString &g : groups.split(' '))
        f.view->groupByColumn(f.view->columnByField(g), level++);
    GridDataController *c = f.view->controller();
    if (focus.startsWith('=')) {
        // Only the way to the group is open.
        c->setAllGroupsExpanded(false);
        if (level == 2)
            c->setGroupExpanded(focus.contains("Torino") ? c->groupCount() - 2 : 0, focus.contains("Torino"));
        f.focusGroup(focus.mid(1));
    } else {
        c->setAllGroupsExpanded(true);
        f.focusRecord(focus);
    }
    const Page page = f.print(false);
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
    QCOMPARE(page.texts("g"), groupRows);
    QCOMPARE(f.printedNames(page), names);
    QCOMPARE(page.count("f"), 0);
    if (focus.startsWith('='))
        QCOMPARE(f.collapsedGroups(), collapsedAfter);
}

void TestGridHtmlExport::shownAndHiddenColumns_data()
{
    QTest::addColumn<bool>("allRows");
    QTest::newRow("list") << true;
    QTest::newRow("selected") << false;
}

void TestGridHtmlExport::shownAndHiddenColumns()
{
    QFETCH(bool, allRows);
    ExportFixture f;
    Page page = f.print(allRows);
    QVERIFY(page.texts("h").contains("Nome"));
    QVERIFY(!page.texts("h").contains("Riferimento"));
    QVERIFY(!page.texts("r").contains("Anna"));
    // Shown by the user: present with its values; the one hidden instead goes.
    f.contact->setVisible(true);
    f.town->setVisible(false);
    page = f.print(allRows);
    QVERIFY(page.texts("h").contains("Riferimento"));
    QVERIFY(page.texts("r").contains("Anna"));
    QVERIFY(!page.texts("h").contains("Localita"));
    QVERIFY(!page.texts("r").contains("Milano"));
}

void TestGridHtmlExport::cellsSpanAsOnScreen_data()
{
    QTest::addColumn<bool>("grouped");
    QTest::addColumn<bool>("scrolled");
    QTest::newRow("plain") << false << false;
    QTest::newRow("grouped") << true << false;
    QTest::newRow("scrolled sideways") << false << true;
}

void TestGridHtmlExport::cellsSpanAsOnScreen()
{
    QFETCH(bool, grouped);
    QFETCH(bool, scrolled);
    ExportFixture f;
    f.contact->setVisible(true);
    f.nome->setWidth(200); // alone on its line: still the band's width
    f.when->setWidth(300);
    if (grouped) {
        f.view->groupByColumn(f.prov, 0);
        f.view->controller()->setAllGroupsExpanded(true);
    }
    if (scrolled)
        f.view->horizontalScrollBar()->setValue(200);
    const Page page = f.print(true);
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
    const GridLayout &l = f.view->gridLayout();
    const int indent = grouped ? l.metrics().groupIndent : 0;
    QCOMPARE(std::accumulate(page.columns.begin(), page.columns.end(), 0), indent + 324 + 917);

    // Band headers: band 0 without a caption, band 1 with its own.
    QCOMPARE(page.rows[0].cls, QStringLiteral("b"));
    const Page::Cell *b0 = page.cellAt(0, indent);
    const Page::Cell *b1 = page.cellAt(0, indent + 324);
    QVERIFY(b0 && b1);
    QCOMPARE(b0->text, QString(QChar(0xa0)));
    QCOMPARE(b0->width, 324);
    QCOMPARE(b1->text, QStringLiteral("Band one"));
    QCOMPARE(b1->width, 917);
    if (grouped) {
        // The indent above the headers is one cell down to the last header line.
        QCOMPARE(page.rows[0].cells[0].rowspan, 1 + l.lineCount());
        QCOMPARE(page.rows[0].cells[0].width, indent);
    }

    // Column headers four lines deep, and every record four lines, each cell where it is on screen.
    QCOMPARE(l.lineCount(), 4);
    for (int line = 0; line < 4; ++line)
        QCOMPARE(page.rows[size_t(1 + line)].cls, QStringLiteral("h"));
    size_t record = 0;
    while (record < page.rows.size() && !page.rows[record].first)
        ++record;
    QVERIFY(record < page.rows.size());
    if (grouped) {
        QCOMPARE(page.rows[record].cells[0].rowspan, 4);
        QCOMPARE(page.rows[record].cells[0].width, indent);
    }
    for (GridColumn *c : {f.nome, f.prov, f.town, f.when, f.contact}) {
        if (grouped && c == f.prov)
            continue; // the grouped column leaves the rows
        const size_t line = size_t(c->lineIndex());
        const Page::Cell *head = page.cellAt(1 + line, f.screenLeft(c));
        const Page::Cell *cell = page.cellAt(record + line, f.screenLeft(c));
        QVERIFY2(head && cell, qPrintable(c->objectName()));
        QCOMPARE(head->text, c->displayCaption());
        QCOMPARE(head->width, f.screenWidth(c));
        QCOMPARE(cell->width, f.screenWidth(c));
        QVERIFY(head->colspan >= 1);
    }
    QCOMPARE(f.screenWidth(f.nome), 324);
    // Lines without a column (line 2 of band 1 here) are one empty cell across the band.
    const Page::Cell *empty = page.cellAt(record + 2, indent + 324);
    QVERIFY(empty);
    QCOMPARE(empty->width, 917);
    QCOMPARE(empty->text, QString(QChar(0xa0)));
    // Every row is covered exactly once across the table, cells reaching down from above included.
    for (size_t r = 0; r < page.rows.size(); ++r) {
        int covered = 0;
        for (size_t above = 0; above <= r; ++above) {
            for (const Page::Cell &c : page.rows[above].cells) {
                if (above + size_t(c.rowspan) > r)
                    covered += c.width;
            }
        }
        QVERIFY2(covered == indent + 324 + 917, qPrintable(QString::number(r)));
    }
}

void TestGridHtmlExport::pageShapeAndStyles()
{
    ExportFixture f({"Società|MI|Forlì|2024-03-01|", "vuota||||"});
    f.view->groupByColumn(f.prov, 0);
    const Page page = f.print(true);
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
    const QByteArray raw = contents(f.page());
    QVERIFY(raw.startsWith("<!DOCTYPE html>"));
    QCOMPARE(page.charset.toLower(), QStringLiteral("utf-8"));
    QVERIFY(raw.contains("Societ\xc3\xa0")); // written as UTF-8
    QCOMPARE(page.title, QFileInfo(f.page()).absoluteFilePath());
    QCOMPARE(page.tableBorder, QStringLiteral("0"));
    QCOMPARE(page.tableSpacing, QStringLiteral("0"));
    QVERIFY(page.css.contains("white-space:nowrap"));
    QCOMPARE(raw.count("<table"), 1);
    QVERIFY(page.texts("r").contains("Società"));
    QVERIFY(page.texts("r").contains("Forlì"));
    // The group without a province comes first; its record's empty town is a non-breaking space.
    size_t first = 0;
    while (!page.rows[first].first)
        ++first;
    QCOMPARE(f.printedNames(page).value(0), QStringLiteral("vuota"));
    const Page::Cell *emptyTown = page.cellAt(first + 3, f.screenLeft(f.town));
    QVERIFY(emptyTown);
    QCOMPARE(emptyTown->text, QString(QChar(0xa0)));
    QVERIFY(raw.contains("&nbsp;"));
    while (!page.rows[++first].first) {
    }

    // One class per distinct look: all headers but Nome's share one, Nome's centres vertically.
    std::map<QString, QString> headerClass;
    for (size_t r = 0; r < page.rows.size(); ++r) {
        if (page.rows[r].cls != "h")
            continue;
        for (GridColumn *c : {f.nome, f.town, f.when}) {
            if (const Page::Cell *cell = page.cellAt(r, f.screenLeft(c)); cell && cell->text == c->displayCaption())
                headerClass[c->objectName()] = cell->cls;
        }
    }
    QCOMPARE(headerClass.size(), size_t(3));
    QCOMPARE(headerClass[f.town->objectName()], headerClass[f.when->objectName()]);
    QVERIFY(headerClass[f.nome->objectName()] != headerClass[f.town->objectName()]);
    const QString h = page.rule(headerClass[f.town->objectName()]);
    QVERIFY2(h.contains("font-weight:bold") && h.contains("color:#00008a") && h.contains("font-size:12px")
                 && h.contains("text-align:left") && h.contains("vertical-align:top"),
             qPrintable(h));
    QVERIFY(page.rule(headerClass[f.nome->objectName()]).contains("vertical-align:middle"));
    // Cells of Nome carry the tooltip background, the others none of it.
    const Page::Cell *name = page.cellAt(first + 1, f.screenLeft(f.nome));
    const Page::Cell *town = page.cellAt(first + 3, f.screenLeft(f.town));
    QVERIFY(name && town);
    QVERIFY(name->cls != town->cls);
    QVERIFY(page.rule(name->cls).contains("background-color:#ffffe1"));
    QVERIFY(page.rule(town->cls).contains("font-weight:normal"));
    // No class is declared twice and every class used is declared.
    const QRegularExpression decl(QStringLiteral("td\\.(s\\d+)\\{([^}]*)\\}"));
    QStringList bodies;
    auto it = decl.globalMatch(page.css);
    while (it.hasNext())
        bodies << it.next().captured(2);
    QCOMPARE(bodies.removeDuplicates(), 0);
    for (const Page::Row &r : page.rows) {
        for (const Page::Cell &c : r.cells)
            QVERIFY2(!page.rule(c.cls).isEmpty(), qPrintable(c.cls));
    }
}

void TestGridHtmlExport::valuesAreEscaped()
{
    const QString nasty = QStringLiteral("<script>alert(\"x\")</script> & <b>R&D</b>");
    ExportFixture f({nasty + "|M<I|Mi & lano||", "rossi|MI|Milano||"});
    f.view->groupByColumn(f.prov, 0);
    f.view->band(1)->setCaption("Band <i>one</i> & co");
    f.town->setCaption("Località <u>");
    const Page page = f.print(true);
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));
    QVERIFY(page.texts("r").contains(nasty));
    QVERIFY(page.texts("r").contains("Mi & lano"));
    QVERIFY(page.texts("g").contains("PR : M<")); // cut to the field's width
    QVERIFY(page.texts("b").contains("Band <i>one</i> & co"));
    QVERIFY(page.texts("h").contains("Località <u>"));
    const QByteArray raw = contents(f.page());
    QVERIFY(!raw.contains("<script"));
    QVERIFY(!raw.contains("<b>"));
    QVERIFY(!raw.contains("<i>"));
    QVERIFY(raw.contains("&lt;script&gt;"));
}

void TestGridHtmlExport::pagesForPaper_data()
{
    QTest::addColumn<bool>("allRows");
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QString>("heading");
    QTest::newRow("list") << true << "" << "Lista";
    QTest::newRow("list grouped") << true << "PR" << "";
    QTest::newRow("list grouped twice") << true << "PR Localita" << "Lista <b>x</b> & co";
    QTest::newRow("selected, grouped") << false << "PR Localita" << "Uno";
}

void TestGridHtmlExport::pagesForPaper()
{
    QFETCH(bool, allRows);
    QFETCH(QString, groups);
    QFETCH(QString, heading);
    ExportFixture f;
    int level = 0;
    for (const QString &g : groups.split(' ', Qt::SkipEmptyParts))
        f.view->groupByColumn(f.view->columnByField(g), level++);
    f.view->controller()->setAllGroupsExpanded(true);
    f.focusRecord("neri");
    const Page page = f.print(allRows, true, heading);
    QVERIFY2(page.error.isEmpty(), qPrintable(page.error));

    // The header rows repeat on every printed page: they and only they are the table's head.
    for (const Page::Row &r : page.rows)
        QCOMPARE(r.section == "thead", r.cls == "b" || r.cls == "h");
    QCOMPARE(page.count("h"), 4);

    // One block per record, its group rows before it and the footers closing groups after it.
    std::map<int, QString> blocks;
    for (const Page::Row &r : page.rows) {
        if (r.section == "tbody")
            blocks[r.body] += r.first ? QStringLiteral("R") : r.cls;
    }
    const QRegularExpression block(QStringLiteral("^g*Rrrrf*$"));
    for (const auto &[index, shape] : blocks)
        QVERIFY2(block.match(shape).hasMatch(), qPrintable(QString::number(index) + ": " + shape));
    QCOMPARE(int(blocks.size()), f.printedNames(page).size());
    QVERIFY(page.css.contains("tbody.c,table.grid tr{break-inside:avoid"));

    // Landscape, and the table scaled to what such a page prints across.
    QVERIFY(page.css.contains("@page{size:landscape"));
    const int width = std::accumulate(page.columns.begin(), page.columns.end(), 0);
    QVERIFY(width >= 1241);
    const QString zoom = "zoom:" + QString::number(double(GridHtmlExport::PrintableWidth) / width, 'f', 4);
    QVERIFY2(page.css.contains(zoom), qPrintable(zoom));

    // The heading above the table, as plain text; none when none is given.
    QCOMPARE(page.headingSeen, !heading.isEmpty());
    QCOMPARE(page.heading, heading);
    QVERIFY(!contents(f.page()).contains("<b>"));
    QCOMPARE(page.title, QFileInfo(f.page()).absoluteFilePath());
}

void TestGridHtmlExport::unwritableTargetKeepsEarlierPage_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("replaced"); // the text comes from the component texts
    QTest::newRow("missing folder") << "missing" << false;
    QTest::newRow("missing folder, text replaced") << "missing" << true;
    QTest::newRow("read-only folder, read-only page") << "readonly" << false;
    QTest::newRow("disk full while writing") << "full" << false;
    QTest::newRow("name is a folder") << "folder" << false;
}

void TestGridHtmlExport::unwritableTargetKeepsEarlierPage()
{
    QFETCH(QString, how);
    QFETCH(bool, replaced);
    if (how == "readonly" && ::geteuid() == 0)
        QSKIP("the superuser writes into read-only folders");
    QStringList many;
    for (int i = 0; i < 600; ++i)
        many << QStringLiteral("nome %1|MI|Milano|2024-01-01|contatto").arg(i);
    ExportFixture f(many);
    f.print(true);
    const QByteArray earlier = contents(f.page());
    QVERIFY(earlier.size() > 100 * 1024);
    f.view->groupByColumn(f.prov, 0);
    f.view->controller()->setAllGroupsExpanded(false);
    QCOMPARE(f.collapsedGroups(), 1);

    QString target = f.page();
    if (how == "missing")
        target = f.dir.filePath("nowhere/ChasLst.html");
    if (how == "folder") {
        QVERIFY(QDir(f.dir.path()).mkdir("Cartella.html"));
        target = f.dir.filePath("Cartella.txt"); // the extension makes it the folder's name
    }
    if (replaced)
        ComponentTexts::registerReplacement(GridTexts::CannotCreateExportFile, "Impossibile creare il file !");
    const QString expected = replaced ? QStringLiteral("Impossibile creare il file !")
                                      : QStringLiteral("Can't create the export output file");
    QCOMPARE(ComponentTexts::text(GridTexts::CannotCreateExportFile), expected);

    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QFile::Permissions permissions = QFile(f.dir.path()).permissions();
    if (how == "full") {
        rlimit small = before;
        small.rlim_cur = 64 * 1024;
        ::setrlimit(RLIMIT_FSIZE, &small);
    } else if (how == "readonly") {
        QFile::setPermissions(f.page(), QFile::ReadOwner);
        QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    }
    QString error;
    try {
        GridHtmlExport::exportToFile(target, &f.grid, true, true, "html");
    } catch (const DataError &e) {
        error = e.message();
    }
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);
    QFile::setPermissions(f.dir.path(), permissions);
    QFile::setPermissions(f.page(), QFile::ReadOwner | QFile::WriteOwner);
    ComponentTexts::clearReplacements();

    QCOMPARE(error, expected);
    QCOMPARE(contents(f.page()), earlier);
    // Nothing half-written is left beside it.
    const QStringList left = QDir(f.dir.path()).entryList(QDir::Files);
    QCOMPARE(left, QStringList{"ChasLst.html"});
    // When the file cannot even be made, the grid stays as it was.
    if (how != "full")
        QCOMPARE(f.collapsedGroups(), 1);
}

void TestGridHtmlExport::secondPrintReplacesFirst()
{
    ExportFixture f;
    f.print(true);
    const QByteArray first = contents(f.page());
    f.focusRecord("alfa");
    const Page page = f.print(false);
    QCOMPARE(f.printedNames(page), QStringList{"alfa"});
    const QByteArray second = contents(f.page());
    QVERIFY(second.size() < first.size());
    QVERIFY(!second.contains("rossi"));
    QVERIFY(second.endsWith("</html>\n"));
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList{"ChasLst.html"});
}

void TestGridHtmlExport::readOnlyFolderTakesThePageInPlace()
{
    if (TestFiles::runningAsRoot())
        RERUN_UNPRIVILEGED("readOnlyFolderTakesThePageInPlace");
    ExportFixture f;
    f.print(true);
    const QByteArray first = contents(f.page());
    f.focusRecord("alfa");
    QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    QString error;
    try {
        f.print(false);
    } catch (const DataError &e) {
        error = e.message();
    }
    QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(error, QString());
    const QByteArray second = contents(f.page());
    QVERIFY(second.size() < first.size());
    QVERIFY(second.endsWith("</html>\n"));
}

void TestGridHtmlExport::gridWithoutView()
{
    GridControl bare;
    QTemporaryDir dir;
    QString error;
    try {
        GridHtmlExport::exportToFile(dir.filePath("x.html"), &bare, true, true, "html");
    } catch (const DataError &e) {
        error = e.message();
    }
    QCOMPARE(error, ComponentTexts::text(GridTexts::ExportActiveLevelMissing));
    QVERIFY(!QFile::exists(dir.filePath("x.html")));
}

QTEST_MAIN(TestGridHtmlExport)
#include "tst_gridhtmlexport.moc"
