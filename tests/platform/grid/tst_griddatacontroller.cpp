#include "GridFixture.h"

#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterPredicate.h"
#include "platform/grid/GridDataController.h"
#include "platform/grid/GridFilterSource.h"
#include "platform/memdata/Bookmark.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using RowKind = GridDataController::RowKind;

namespace {

// "Nome+,PR-" → sort keys.
std::vector<GridSortKey> keysOf(const GridFixture &f, const QString &text)
{
    std::vector<GridSortKey> keys;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const Qt::SortOrder order = part.endsWith(QLatin1Char('-')) ? Qt::DescendingOrder : Qt::AscendingOrder;
        keys.push_back(GridSortKey{f.fieldNamed(part.chopped(1)), order});
    }
    return keys;
}

QString keysText(const std::vector<GridSortKey> &keys)
{
    QStringList parts;
    for (const GridSortKey &k : keys)
        parts << k.field->fieldName() + (k.order == Qt::AscendingOrder ? "+" : "-");
    return parts.join(QLatin1Char(','));
}

// The rows as shown: names for records, "[value count]" for groups, "/count" for footers.
QStringList rowsOf(const GridFixture &f, const GridDataController &c)
{
    QStringList out;
    for (int r = 0; r < c.rowCount(); ++r) {
        switch (c.rowKind(r)) {
        case RowKind::Record: out << f.nameOf(c.rowRecordId(r)); break;
        case RowKind::Group:
            out << QStringLiteral("[%1 %2]").arg(c.groupValueText(c.rowGroup(r))).arg(c.groupRecordCount(c.rowGroup(r)));
            break;
        case RowKind::GroupFooter: out << QStringLiteral("/%1").arg(c.groupRecordCount(c.rowGroup(r))); break;
        }
    }
    return out;
}

const QStringList calls = {
    "rossi|MI|Milano|2024-03-01", "Bianchi|TO|Torino|2023-01-05", "verdi|MI|Monza|2024-01-01",
    "Àlfa|RM|Roma|2022-12-31",    "neri|TO|Torino|",             "bianchi|MI|Milano|2024-03-01",
};

} // namespace

class TestGridDataController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void storeOrderWithoutKeys();
    void sorting_data();
    void sorting();
    void changeSort_data();
    void changeSort();
    void grouping_data();
    void grouping();
    void groupingKeepsTheFocusedCall();
    void focusRule_data();
    void focusRule();
    void footersTakeNoFocus();
    void focusMovesCursor();
    void cursorMovesFocus();
    void cursorIntoCollapsedGroupExpandsIt();
    void tableChanges_data();
    void tableChanges();
    void incrementalOrderMatchesFullSort_data();
    void incrementalOrderMatchesFullSort();
    void filter();
    void filterPredicate_data();
    void filterPredicate();
    void emptyTable();
};

void TestGridDataController::storeOrderWithoutKeys()
{
    GridFixture f(calls);
    GridDataController c;
    c.setDataSource(&f.source);
    QCOMPARE(c.rowCount(), calls.size());
    QCOMPARE(rowsOf(f, c), QStringList({"rossi", "Bianchi", "verdi", "Àlfa", "neri", "bianchi"}));
    QCOMPARE(c.focusedRow(), 0);
}

void TestGridDataController::sorting_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("names");
    // Case and accents second; equal keys keep the store's order.
    QTest::newRow("name up") << "Nome+" << QStringList{"Àlfa", "bianchi", "Bianchi", "neri", "rossi", "verdi"};
    QTest::newRow("name down") << "Nome-" << QStringList{"verdi", "rossi", "neri", "Bianchi", "bianchi", "Àlfa"};
    QTest::newRow("prov then name") << "PR+,Nome+" << QStringList{"bianchi", "rossi", "verdi", "Àlfa", "Bianchi", "neri"};
    QTest::newRow("prov stable") << "PR+" << QStringList{"rossi", "verdi", "bianchi", "Àlfa", "Bianchi", "neri"};
    QTest::newRow("prov down stable") << "PR-" << QStringList{"Bianchi", "neri", "Àlfa", "rossi", "verdi", "bianchi"};
    // A blank date first.
    QTest::newRow("date up") << "Quando+" << QStringList{"neri", "Àlfa", "Bianchi", "verdi", "rossi", "bianchi"};
    QTest::newRow("date down, name") << "Quando-,Nome-" << QStringList{"rossi", "bianchi", "verdi", "Bianchi", "Àlfa", "neri"};
}

void TestGridDataController::sorting()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, names);
    GridFixture f(calls);
    GridDataController c;
    c.setDataSource(&f.source);
    c.setSortKeys(keysOf(f, keys));
    QCOMPARE(rowsOf(f, c), names);
    // Sorting never touches the store.
    QCOMPARE(f.nameOf(f.table.recordOrder().front()), QStringLiteral("rossi"));
}

void TestGridDataController::changeSort_data()
{
    QTest::addColumn<QString>("clicks"); // field + R(eplace) / A(dd) / X (remove)
    QTest::addColumn<QString>("keys");
    QTest::newRow("click") << "NomeR" << "Nome+";
    QTest::newRow("click twice turns round") << "NomeR NomeR" << "Nome-";
    QTest::newRow("click thrice") << "NomeR NomeR NomeR" << "Nome+";
    QTest::newRow("click replaces") << "NomeR PRR" << "PR+";
    QTest::newRow("shift adds") << "NomeR PRA" << "Nome+,PR+";
    QTest::newRow("shift again turns the added round") << "NomeR PRA PRA" << "Nome+,PR-";
    QTest::newRow("click after shift leaves one, turned") << "NomeR PRA PRR" << "PR-";
    QTest::newRow("ctrl removes") << "NomeR PRA NomeX" << "PR+";
    QTest::newRow("ctrl on unsorted nothing") << "NomeR PRX" << "Nome+";
}

void TestGridDataController::changeSort()
{
    QFETCH(QString, clicks);
    QFETCH(QString, keys);
    GridFixture f(calls);
    GridDataController c;
    c.setDataSource(&f.source);
    for (const QString &click : clicks.split(QLatin1Char(' '))) {
        const QChar how = click.back();
        const auto change = how == 'R' ? GridDataController::SortChange::Replace
                          : how == 'A' ? GridDataController::SortChange::Add
                                       : GridDataController::SortChange::Remove;
        c.changeSort(f.fieldNamed(click.chopped(1)), change);
    }
    QCOMPARE(keysText(c.sortKeys()), keys);
}

void TestGridDataController::grouping_data()
{
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QString>("sort");
    QTest::addColumn<bool>("expand");
    QTest::addColumn<int>("footers");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("collapsed, no footers") << "PR+" << "" << false << 0 << QStringList{"[MI 3]", "[RM 1]", "[TO 2]"};
    QTest::newRow("collapsed, footers always") << "PR+" << "" << false << 2
                                               << QStringList{"[MI 3]", "/3", "[RM 1]", "/1", "[TO 2]", "/2"};
    QTest::newRow("collapsed, footers when expanded") << "PR+" << "" << false << 1 << QStringList{"[MI 3]", "[RM 1]", "[TO 2]"};
    QTest::newRow("expanded, sorted within") << "PR-" << "Nome+" << true << 0
                                             << QStringList{"[TO 2]", "Bianchi", "neri", "[RM 1]", "Àlfa", "[MI 3]", "bianchi", "rossi", "verdi"};
    QTest::newRow("two levels, footers at each") << "PR+,Localita+" << "" << true << 2
        << QStringList{"[MI 3]", "[Milano 2]", "rossi", "bianchi", "/2", "[Monza 1]", "verdi", "/1", "/3",
                       "[RM 1]", "[Roma 1]", "Àlfa", "/1", "/1",
                       "[TO 2]", "[Torino 2]", "Bianchi", "neri", "/2", "/2"};
    QTest::newRow("two levels collapsed inside") << "Localita+,PR+" << "" << false << 2
        << QStringList{"[Milano 2]", "/2", "[Monza 1]", "/1", "[Roma 1]", "/1", "[Torino 2]", "/2"};
}

void TestGridDataController::grouping()
{
    QFETCH(QString, groups);
    QFETCH(QString, sort);
    QFETCH(bool, expand);
    QFETCH(int, footers);
    QFETCH(QStringList, rows);
    GridFixture f(calls);
    f.table.last(); // the focus sits on a record that ends up in a collapsed group
    GridDataController c;
    c.setDataSource(&f.source);
    c.setGroupFooters(GridDataController::GroupFooters(footers));
    c.setSortKeys(keysOf(f, sort));
    c.setGroupKeys(keysOf(f, groups));
    c.setAllGroupsExpanded(expand);
    QCOMPARE(rowsOf(f, c), rows);
    // The cursor stays where it was.
    QCOMPARE(f.nameOf(f.table.currentRecordId()), QStringLiteral("bianchi"));
}

void TestGridDataController::groupingKeepsTheFocusedCall()
{
    GridFixture f(calls);
    GridDataController c;
    c.setDataSource(&f.source);
    c.setGroupKeys(keysOf(f, "PR+"));
    // rossi is current: its group opens for it, the others stay closed.
    QCOMPARE(rowsOf(f, c), QStringList({"[MI 3]", "rossi", "verdi", "bianchi", "[RM 1]", "[TO 2]"}));
    QCOMPARE(rowsOf(f, c).at(c.focusedRow()), QStringLiteral("rossi"));
    // Closed by the user, the group row takes the focus and there is no current call.
    c.setGroupExpanded(0, false);
    QCOMPARE(c.focusedRow(), 0);
    QVERIFY(!c.hasCurrentRecord());
    QCOMPARE(f.nameOf(f.table.currentRecordId()), QStringLiteral("rossi"));
}

namespace {

// The rows as one line, the focused one marked with '*'. When the focused row is a record and the
// table's cursor is elsewhere the line ends in "!cursor=<name>"; a group row or no row must leave
// no current record for the commands, or the line ends in "!current".
QString stateOf(const GridFixture &f, const GridDataController &c)
{
    QStringList rows = rowsOf(f, c);
    QStringList out;
    for (int r = 0; r < rows.size(); ++r)
        out << (r == c.focusedRow() ? u'*' + rows[r] : rows[r]);
    QString line = out.join(u' ');
    const bool onRecord = c.focusedRow() >= 0 && c.rowKind(c.focusedRow()) == RowKind::Record;
    if (onRecord && c.currentRecordId() != f.table.currentRecordId())
        line += QStringLiteral(" !cursor=") + f.nameOf(f.table.currentRecordId());
    if (!onRecord && c.hasCurrentRecord())
        line += QStringLiteral(" !current");
    return line;
}

quint32 recordNamed(const GridFixture &f, const QString &name)
{
    for (quint32 id : f.table.recordOrder()) {
        if (f.nameOf(id) == name)
            return id;
    }
    return Bookmark::NoRecord;
}

// One step of a focusRule row: "group PR+", "ungroup", "sort Nome+", "filter MI" (PR equal),
// "filter none", "filter off", "focus <row>", "collapse <row>", "expand <row>", "expand all",
// "delete" (what Del and Cancella do: the current call, when there is one), "edit PR=TO"
// (a post of the current record), "cursor <name>" (the cursor moved from outside).
void step(GridFixture &f, GridDataController &c, const QString &command)
{
    const QString verb = command.section(u' ', 0, 0);
    const QString arg = command.section(u' ', 1);
    if (verb == "group") {
        c.setGroupKeys(keysOf(f, arg));
    } else if (verb == "ungroup") {
        c.setGroupKeys({});
    } else if (verb == "sort") {
        c.setSortKeys(keysOf(f, arg));
    } else if (verb == "filter") {
        if (arg == "off")
            c.setRowFilter({});
        else
            c.setRowFilter([&f, arg](quint32 id) { return f.table.text(id, f.prov) == arg; });
    } else if (verb == "focus") {
        c.setFocusedRow(arg.toInt());
    } else if (verb == "collapse" || verb == "expand") {
        if (arg == "all")
            c.setAllGroupsExpanded(verb == "expand");
        else
            c.setGroupExpanded(c.rowGroup(arg.toInt()), verb == "expand");
    } else if (verb == "delete") {
        if (c.hasCurrentRecord())
            f.table.remove();
    } else if (verb == "edit") {
        f.table.edit();
        f.fieldNamed(arg.section(u'=', 0, 0))->setAsString(arg.section(u'=', 1));
        f.table.post();
    } else if (verb == "cursor") {
        f.table.gotoBookmark(Bookmark(recordNamed(f, arg)));
    } else {
        QFAIL(qPrintable("unknown step " + command));
    }
}

} // namespace

void TestGridDataController::focusRule_data()
{
    // Each row: steps and, after each, the rows with the focus. The calls in store order:
    // rossi MI, Bianchi TO, verdi MI, Àlfa RM, neri TO, bianchi MI; rossi is current at first.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("states");
    QTest::newRow("a focused group row leaves no current call, also when it opens")
        << QStringList{"group PR+", "focus 4", "delete", "expand all"}
        << QStringList{"[MI 3] *rossi verdi bianchi [RM 1] [TO 2]",
                       "[MI 3] rossi verdi bianchi *[RM 1] [TO 2]",
                       "[MI 3] rossi verdi bianchi *[RM 1] [TO 2]",
                       "[MI 3] rossi verdi bianchi *[RM 1] Àlfa [TO 2] Bianchi neri"};
    QTest::newRow("a focused group keeps its row through a sort and a filter")
        << QStringList{"group PR+", "focus 5", "sort Nome-", "filter TO", "filter off"}
        << QStringList{"[MI 3] *rossi verdi bianchi [RM 1] [TO 2]",
                       "[MI 3] rossi verdi bianchi [RM 1] *[TO 2]",
                       "[MI 3] verdi rossi bianchi [RM 1] *[TO 2]",
                       "*[TO 2]",
                       "[MI 3] [RM 1] *[TO 2]"};
    QTest::newRow("grouping again hands a focused group's focus to its first call")
        << QStringList{"group PR+", "focus 5", "ungroup"}
        << QStringList{"[MI 3] *rossi verdi bianchi [RM 1] [TO 2]",
                       "[MI 3] rossi verdi bianchi [RM 1] *[TO 2]",
                       "rossi *Bianchi verdi Àlfa neri bianchi"};
    QTest::newRow("closing the focused call's group")
        << QStringList{"group PR+", "focus 2", "collapse 0", "expand 0"}
        << QStringList{"[MI 3] *rossi verdi bianchi [RM 1] [TO 2]",
                       "[MI 3] rossi *verdi bianchi [RM 1] [TO 2]",
                       "*[MI 3] [RM 1] [TO 2]",
                       "*[MI 3] rossi verdi bianchi [RM 1] [TO 2]"};
    QTest::newRow("nothing listed, then everything again")
        << QStringList{"focus 2", "filter XX", "delete", "filter off"}
        << QStringList{"rossi Bianchi *verdi Àlfa neri bianchi",
                       "",
                       "",
                       "*rossi Bianchi verdi Àlfa neri bianchi"};
    QTest::newRow("a call edited out of the filter")
        << QStringList{"filter MI", "edit Localita=Lodi", "edit PR=TO", "cursor rossi", "delete"}
        << QStringList{"*rossi verdi bianchi",
                       "*rossi verdi bianchi",
                       "*verdi bianchi",
                       "*verdi bianchi",
                       "*bianchi"};
    QTest::newRow("delete in a sorted list: the next row on screen, else the one above")
        << QStringList{"sort Nome+", "focus 1", "delete", "focus 4", "delete"}
        << QStringList{"Àlfa bianchi Bianchi neri *rossi verdi",
                       "Àlfa *bianchi Bianchi neri rossi verdi",
                       "Àlfa *Bianchi neri rossi verdi",
                       "Àlfa Bianchi neri rossi *verdi",
                       "Àlfa Bianchi neri *rossi"};
    QTest::newRow("delete the only call of a group, then the last of one")
        << QStringList{"group PR-", "expand all", "focus 4", "delete", "focus 6", "delete"}
        << QStringList{"[TO 2] [RM 1] [MI 3] *rossi verdi bianchi",
                       "[TO 2] Bianchi neri [RM 1] Àlfa [MI 3] *rossi verdi bianchi",
                       "[TO 2] Bianchi neri [RM 1] *Àlfa [MI 3] rossi verdi bianchi",
                       "[TO 2] Bianchi neri [MI 3] *rossi verdi bianchi",
                       "[TO 2] Bianchi neri [MI 3] rossi verdi *bianchi",
                       "[TO 2] Bianchi neri [MI 2] rossi *verdi"};
    QTest::newRow("a post that moves the call to a closed group opens it")
        << QStringList{"group PR+", "edit PR=TO"}
        << QStringList{"[MI 3] *rossi verdi bianchi [RM 1] [TO 2]",
                       "[MI 2] verdi bianchi [RM 1] [TO 3] *rossi Bianchi neri"};
}

void TestGridDataController::focusRule()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, states);
    GridFixture f(calls);
    GridDataController c;
    c.setDataSource(&f.source);
    for (int i = 0; i < steps.size(); ++i) {
        step(f, c, steps[i]);
        QCOMPARE(stateOf(f, c), states[i]);
    }
}

void TestGridDataController::footersTakeNoFocus()
{
    GridFixture f(calls);
    GridDataController c;
    c.setDataSource(&f.source);
    c.setGroupFooters(GridDataController::GroupFooters::AlwaysVisible);
    c.setGroupKeys(keysOf(f, "PR+"));
    c.setAllGroupsExpanded(false);
    // [MI 3] /3 [RM 1] /1 [TO 2] /2
    c.setFocusedRow(0);
    c.setFocusedRow(1);
    QCOMPARE(c.focusedRow(), 2);
    c.setFocusedRow(1);
    QCOMPARE(c.focusedRow(), 0);
    c.setFocusedRow(5);
    QCOMPARE(c.focusedRow(), 4);
}

void TestGridDataController::focusMovesCursor()
{
    GridFixture f(calls);
    GridDataController c;
    c.setDataSource(&f.source);
    c.setSortKeys(keysOf(f, "Nome+"));
    c.setFocusedRow(4);
    QCOMPARE(f.nameOf(f.table.currentRecordId()), QStringLiteral("rossi"));
    QCOMPARE(f.table.currentPosition(), 0);
    c.setFocusedRow(99); // clamped to the last row
    QCOMPARE(f.nameOf(f.table.currentRecordId()), QStringLiteral("verdi"));
    c.setFocusedRow(-5);
    QCOMPARE(f.nameOf(f.table.currentRecordId()), QStringLiteral("Àlfa"));
}

void TestGridDataController::cursorMovesFocus()
{
    GridFixture f(calls);
    GridDataController c;
    c.setDataSource(&f.source);
    c.setSortKeys(keysOf(f, "Nome-"));
    QSignalSpy spy(&c, &GridDataController::focusedRowChanged);
    f.table.moveTo(3); // Àlfa, last when sorted down
    QCOMPARE(c.focusedRow(), 5);
    QCOMPARE(spy.size(), 1);
    f.table.gotoBookmark(Bookmark(f.table.recordOrder()[1]));
    QCOMPARE(f.nameOf(c.focusedRecordId()), QStringLiteral("Bianchi"));
}

void TestGridDataController::cursorIntoCollapsedGroupExpandsIt()
{
    GridFixture f(calls);
    GridDataController c;
    c.setDataSource(&f.source);
    c.setGroupKeys(keysOf(f, "PR+,Localita+"));
    c.setAllGroupsExpanded(false);
    f.table.moveTo(4); // neri, TO / Torino
    QCOMPARE(rowsOf(f, c), QStringList({"[MI 3]", "[RM 1]", "[TO 2]", "[Torino 2]", "Bianchi", "neri"}));
    QCOMPARE(c.focusedRow(), 5);
}

void TestGridDataController::tableChanges_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("focused");
    QTest::newRow("append and post") << "append" << QStringList{"[MI 4]", "bianchi", "rossi", "verdi", "zeta", "/4", "[RM 1]", "/1", "[TO 2]", "/2"} << "zeta";
    QTest::newRow("edit moves it to another group, opened for it") << "edit" << QStringList{"[MI 2]", "bianchi", "verdi", "/2", "[RM 1]", "/1", "[TO 3]", "Bianchi", "neri", "rossi", "/3"} << "rossi";
    QTest::newRow("delete focuses the row now in its place") << "delete" << QStringList{"[MI 2]", "bianchi", "verdi", "/2", "[RM 1]", "/1", "[TO 2]", "/2"} << "verdi";
    // Cancelling puts the table's cursor on its last record; the focus follows.
    QTest::newRow("cancelled append leaves no trace") << "cancel" << QStringList{"[MI 3]", "bianchi", "rossi", "verdi", "/3", "[RM 1]", "/1", "[TO 2]", "/2"} << "bianchi";
    // An open group stays open through a reload.
    QTest::newRow("reload") << "reload" << QStringList{"[MI 1]", "due", "/1", "[VE 1]", "uno", "/1"} << "uno";
}

void TestGridDataController::tableChanges()
{
    QFETCH(QString, action);
    QFETCH(QStringList, rows);
    QFETCH(QString, focused);
    GridFixture f(calls);
    GridDataController c;
    c.setDataSource(&f.source);
    c.setGroupFooters(GridDataController::GroupFooters::AlwaysVisible);
    c.setSortKeys(keysOf(f, "Nome+"));
    c.setGroupKeys(keysOf(f, "PR+"));
    c.setGroupExpanded(0, true); // MI open, the rest closed; rossi focused
    if (action == "append") {
        f.table.append();
        f.set("zeta|MI|Milano|");
        f.table.post();
    } else if (action == "edit") {
        f.table.edit();
        f.prov->setAsString("TO");
        f.table.post();
    } else if (action == "delete") {
        f.table.remove(); // rossi; Bianchi (TO, collapsed) follows it in the store
    } else if (action == "cancel") {
        f.table.append();
        f.set("zeta|MI|Milano|");
        f.table.cancel();
    } else if (action == "reload") {
        f.table.disableControls();
        f.table.close();
        f.table.open();
        f.add("uno|VE|Venezia|");
        f.add("due|MI|Milano|");
        f.table.first();
        f.table.enableControls();
    }
    QCOMPARE(rowsOf(f, c), rows);
    QCOMPARE(rowsOf(f, c).value(c.focusedRow()), focused);
    if (c.rowKind(c.focusedRow()) == RowKind::Record)
        QCOMPARE(c.focusedRecordId(), f.table.currentRecordId());
}

void TestGridDataController::incrementalOrderMatchesFullSort_data()
{
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QString>("sort");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("sorted") << "" << "Nome+" << 1u;
    QTest::newRow("two keys") << "" << "PR-,Quando+" << 2u;
    QTest::newRow("grouped and sorted") << "PR+" << "Nome-,Quando-" << 3u;
    QTest::newRow("two levels") << "PR+,Localita-" << "Nome+" << 4u;
}

// Records inserted, edited and deleted one by one land where a sort from scratch puts them.
void TestGridDataController::incrementalOrderMatchesFullSort()
{
    QFETCH(QString, groups);
    QFETCH(QString, sort);
    QFETCH(quint32, seed);
    GridFixture f(calls);
    GridDataController incremental;
    incremental.setDataSource(&f.source);
    incremental.setGroupKeys(keysOf(f, groups));
    incremental.setSortKeys(keysOf(f, sort));

    // Few distinct values, so that ties (broken by store order) are common.
    const QStringList names{"rossi", "Rossi", "Àlfa", "alfa", "bianchi", "", "zeta"};
    const QStringList provs{"MI", "TO", "", "RM"};
    const QStringList towns{"Milano", "Torino", ""};
    const QStringList dates{"2024-03-01", "2023-01-05", "", "2024-03-02"};
    QRandomGenerator random(seed);
    const auto pick = [&random](const QStringList &values) { return values.at(int(random.bounded(values.size()))); };
    const auto record = [&] { return QStringList{pick(names), pick(provs), pick(towns), pick(dates)}.join('|'); };
    for (int edit = 0; edit < 300; ++edit) {
        const int action = f.table.isEmpty() ? 0 : int(random.bounded(3));
        if (action == 0) {
            f.add(record());
            continue;
        }
        f.table.moveTo(int(random.bounded(f.table.recordCount())));
        if (action == 1) {
            f.table.edit();
            f.set(record());
            f.table.post();
        } else {
            f.table.remove();
        }
    }

    GridDataController full;
    full.setDataSource(&f.source);
    full.setGroupKeys(keysOf(f, groups));
    full.setSortKeys(keysOf(f, sort));
    QCOMPARE(incremental.recordCount(), f.table.recordCount());
    const auto order = [&f](const GridDataController &c) {
        QStringList ids;
        for (int i = 0; i < c.recordCount(); ++i)
            ids << QString::number(c.recordIdAt(i)) + ' ' + f.nameOf(c.recordIdAt(i));
        return ids;
    };
    QCOMPARE(order(incremental), order(full));
}

void TestGridDataController::filter()
{
    GridFixture f(calls);
    GridDataController c;
    c.setDataSource(&f.source);
    f.table.moveTo(2); // verdi
    c.setRowFilter([&f](quint32 id) { return f.table.text(id, f.prov) != QLatin1String("MI"); });
    QCOMPARE(rowsOf(f, c), QStringList({"Bianchi", "Àlfa", "neri"}));
    // The focused record is filtered out: the row now in its place takes focus and cursor.
    QCOMPARE(f.nameOf(f.table.currentRecordId()), QStringLiteral("neri"));
    f.add("nuovo|MI|Milano|");
    QCOMPARE(c.rowCount(), 3);
    f.add("altro|VE|Venezia|");
    QCOMPARE(rowsOf(f, c), QStringList({"Bianchi", "Àlfa", "neri", "altro"}));
    c.setRowFilter({});
    QCOMPARE(c.rowCount(), calls.size() + 2);
}

void TestGridDataController::filterPredicate_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("op");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("town like") << 1 << int(FilterOperator::Like) << QVariant("%ino") << QStringList{"Bianchi", "neri"};
    QTest::newRow("name less, case aside") << 0 << int(FilterOperator::Less) << QVariant("C") << QStringList{"Bianchi", "bianchi"};
    QTest::newRow("date before") << 2 << int(FilterOperator::Less) << QVariant(QDate(2024, 1, 1))
                                 << QStringList{"Bianchi", "Àlfa"};
    QTest::newRow("date blank") << 2 << int(FilterOperator::Blanks) << QVariant() << QStringList{"neri"};
}

void TestGridDataController::filterPredicate()
{
    QFETCH(int, column);
    QFETCH(int, op);
    QFETCH(QVariant, value);
    QFETCH(QStringList, names);
    GridFixture f(calls);
    const GridFilterSource source(&f.table, {{f.name, "Nome"}, {f.town, QString()}, {f.when, "Quando"}});
    QCOMPARE(source.columnCaption(1), QStringLiteral("Localita"));
    FilterGroup root;
    QList<FilterValue> values;
    if (value.isValid())
        values << FilterValue(value);
    root.addCondition(FilterCondition(column, FilterOperator(op), values));
    const auto predicate = std::make_shared<FilterPredicate>(FilterPredicate::compile(FilterCriteria(root), source));
    GridDataController c;
    c.setDataSource(&f.source);
    c.setRowFilter([predicate](quint32 id) { return predicate->accepts(int(id)); });
    QCOMPARE(rowsOf(f, c), names);
}

void TestGridDataController::emptyTable()
{
    GridFixture f;
    GridDataController c;
    c.setDataSource(&f.source);
    c.setGroupKeys(keysOf(f, "PR+"));
    QCOMPARE(c.rowCount(), 0);
    QCOMPARE(c.focusedRow(), -1);
    f.add("solo|MI|Milano|");
    QCOMPARE(rowsOf(f, c), QStringList({"[MI 1]", "solo"}));
    f.table.remove();
    QCOMPARE(c.rowCount(), 0);
    QCOMPARE(c.focusedRow(), -1);
}

QTEST_GUILESS_MAIN(TestGridDataController)
#include "tst_griddatacontroller.moc"
