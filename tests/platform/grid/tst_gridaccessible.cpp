#include "CallListFixture.h"

#include "platform/texts/ComponentTexts.h"
#include "platform/texts/GridTexts.h"

#include "tests/support/AccessibilityOn.h"

#include <QAccessible>
#include <QTest>

namespace {

struct Heard
{
    QAccessible::Event type;
    QAccessible::Role role;
    QString name;
};

// What a screen reader would be told, as the platform bridge receives it.
std::vector<Heard> heard;

void listen(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    heard.push_back({event->type(), iface ? iface->role() : QAccessible::NoRole,
                     iface ? iface->text(QAccessible::Name) : QString()});
}

QAccessibleInterface *gridOf(const CallListFixture &f)
{
    return QAccessible::queryAccessibleInterface(f.view);
}

QAccessibleTableInterface *tableOf(const CallListFixture &f)
{
    QAccessibleInterface *iface = gridOf(f);
    return iface ? iface->tableInterface() : nullptr;
}

QString headerOf(QAccessibleInterface *cell)
{
    const QList<QAccessibleInterface *> headers = cell->tableCellInterface()->columnHeaderCells();
    return headers.size() == 1 ? headers.first()->text(QAccessible::Name) : QStringLiteral("<%1 headers>").arg(headers.size());
}

QStringList childNames(QAccessibleInterface *iface)
{
    QStringList names;
    for (int i = 0; i < iface->childCount(); ++i)
        names << iface->child(i)->text(QAccessible::Name);
    return names;
}

} // namespace

class TestGridAccessible : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void tableOfTheShownRowsAndColumns();
    void cellsCarryTextAndCaption_data();
    void cellsCarryTextAndCaption();
    void focusedRowFollowsTheKeys();
    void groupedViewIsATree();
    void groupRowOpensByItsAction();
    void headerAndGroupByBox();
    void hitTestFindsTheRowUnderThePoint();
    void rowsFollowASort();
};

void TestGridAccessible::initTestCase()
{
    QAccessible::installUpdateHandler(listen);
    QVERIFY(switchAccessibilityOn());
}

void TestGridAccessible::init()
{
    heard.clear();
}

void TestGridAccessible::tableOfTheShownRowsAndColumns()
{
    CallListFixture f;
    QAccessibleInterface *grid = gridOf(f);
    QVERIFY(grid);
    QCOMPARE(grid->role(), QAccessible::Table);
    QAccessibleTableInterface *table = grid->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 6);
    // Nome, Localita and PR of the fixed band, then Quando; Riferimento is hidden.
    QCOMPARE(table->columnCount(), 4);
    QCOMPARE(table->columnDescription(0), QStringLiteral("Nome"));
    QCOMPARE(table->columnDescription(1), QStringLiteral("Localita"));
    QCOMPARE(table->columnDescription(3), QStringLiteral("Quando"));
    // The group-by box and the header, then the rows.
    QCOMPARE(grid->childCount(), 2 + 6);
    QAccessibleInterface *first = grid->child(2);
    QCOMPARE(first->role(), QAccessible::Row);
    QCOMPARE(first->text(QAccessible::Name), QStringLiteral("Nome: rossi, Localita: Milano, PR: MI, Quando: 01/03/2024"));
    QCOMPARE(grid->indexOfChild(first), 2);
    QCOMPARE(first->parent(), grid);
    QCOMPARE(first->childCount(), 4);
    QCOMPARE(first->child(2)->parent(), first);
    QCOMPARE(first->indexOfChild(first->child(2)), 2);
    // One interface per row, as a bridge caches them.
    QCOMPARE(grid->child(2), first);
    QCOMPARE(table->cellAt(0, 1), first->child(1));
}

void TestGridAccessible::cellsCarryTextAndCaption_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::newRow("name") << 0 << 0 << "rossi" << "Nome";
    QTest::newRow("field name for a column without caption") << 1 << 1 << "Torino" << "Localita";
    QTest::newRow("last line of the fixed band") << 3 << 2 << "RM" << "PR";
    QTest::newRow("scrolling band") << 3 << 3 << "31/12/2022" << "Quando";
    QTest::newRow("blank date") << 4 << 3 << "" << "Quando";
}

void TestGridAccessible::cellsCarryTextAndCaption()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    CallListFixture f;
    QAccessibleInterface *cell = tableOf(f)->cellAt(row, column);
    QVERIFY(cell);
    QCOMPARE(cell->role(), QAccessible::Cell);
    QCOMPARE(cell->text(QAccessible::Name), text);
    QCOMPARE(headerOf(cell), caption);
    QCOMPARE(cell->tableCellInterface()->rowIndex(), row);
    QCOMPARE(cell->tableCellInterface()->columnIndex(), column);
    QCOMPARE(cell->tableCellInterface()->table(), gridOf(f));
}

void TestGridAccessible::focusedRowFollowsTheKeys()
{
    CallListFixture f;
    QAccessibleTableInterface *table = tableOf(f);
    QCOMPARE(table->selectedRows(), QList<int>{0});
    heard.clear();
    QTest::keyClick(f.view, Qt::Key_Down);
    QCOMPARE(table->selectedRows(), QList<int>{1});
    QAccessibleInterface *focused = gridOf(f)->focusChild();
    QVERIFY(focused);
    QCOMPARE(focused, gridOf(f)->child(2 + 1));
    QVERIFY(focused->state().focused);
    QVERIFY(focused->state().selected);
    QVERIFY(!gridOf(f)->child(2)->state().selected);
    QVERIFY(table->cellAt(1, 0)->tableCellInterface()->isSelected());

    const auto focusEvent = std::find_if(heard.begin(), heard.end(), [](const Heard &h) { return h.type == QAccessible::Focus; });
    QVERIFY(focusEvent != heard.end());
    QCOMPARE(focusEvent->role, QAccessible::Row);
    QCOMPARE(focusEvent->name, QStringLiteral("Nome: Bianchi, Localita: Torino, PR: TO, Quando: 05/01/2023"));

    // A row the screen reader asks for takes the focus as a click would.
    QVERIFY(table->selectRow(4));
    QCOMPARE(f.view->controller()->focusedRow(), 4);
    QCOMPARE(f.data.nameOf(f.data.table.currentRecordId()), QStringLiteral("neri"));
}

void TestGridAccessible::groupedViewIsATree()
{
    CallListFixture f;
    f.view->groupByColumn(f.prov, 0);
    f.view->controller()->setAllGroupsExpanded(false);
    QAccessibleInterface *grid = gridOf(f);
    QCOMPARE(grid->role(), QAccessible::Tree);
    QAccessibleTableInterface *table = grid->tableInterface();
    // Three provinces, each a collapsed group with its footer; PR no longer is a column.
    QCOMPARE(table->rowCount(), 6);
    QCOMPARE(table->columnCount(), 3);
    QAccessibleInterface *group = grid->child(2);
    QCOMPARE(group->role(), QAccessible::TreeItem);
    QCOMPARE(group->text(QAccessible::Name), QStringLiteral("PR : MI"));
    QVERIFY(group->state().expandable);
    QVERIFY(group->state().collapsed);
    QCOMPARE(group->childCount(), 1);
    QCOMPARE(table->cellAt(0, 2)->text(QAccessible::Name), QStringLiteral("PR : MI"));
    QCOMPARE(table->cellAt(0, 2)->tableCellInterface()->columnExtent(), 3);
    QCOMPARE(grid->child(2 + 2)->text(QAccessible::Name), QStringLiteral("PR : RM"));
    // The footer counts under Nome.
    QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("3"));
}

void TestGridAccessible::groupRowOpensByItsAction()
{
    CallListFixture f;
    f.view->groupByColumn(f.prov, 0);
    f.view->controller()->setAllGroupsExpanded(false);
    QAccessibleInterface *group = gridOf(f)->child(2);
    QVERIFY(group->actionInterface());
    QVERIFY(group->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    heard.clear();
    group->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    // The three calls of MI under their group row, then its footer.
    QAccessibleTableInterface *table = tableOf(f);
    QCOMPARE(table->rowCount(), 9);
    QVERIFY(gridOf(f)->child(2)->state().expanded);
    QCOMPARE(gridOf(f)->child(2)->text(QAccessible::Name), QStringLiteral("PR : MI"));
    QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("rossi"));
    QVERIFY(std::any_of(heard.begin(), heard.end(), [](const Heard &h) { return h.type == QAccessible::TableModelChanged; }));
    // The group row keeps the focus, and the reader hears it again as the rows are new.
    QCOMPARE(heard.back().type, QAccessible::Focus);
    QCOMPARE(heard.back().name, QStringLiteral("PR : MI"));
}

void TestGridAccessible::headerAndGroupByBox()
{
    CallListFixture f;
    QAccessibleInterface *box = gridOf(f)->child(0);
    QCOMPARE(box->role(), QAccessible::Grouping);
    QCOMPARE(box->text(QAccessible::Name), ComponentTexts::text(GridTexts::GroupByBoxHint));
    QCOMPARE(box->childCount(), 0);
    QAccessibleInterface *header = gridOf(f)->child(1);
    QCOMPARE(header->role(), QAccessible::Grouping);
    QCOMPARE(childNames(header), (QStringList{"", "Band one", "Nome", "Localita", "PR", "Quando"}));
    QCOMPARE(header->child(2)->role(), QAccessible::ColumnHeader);
    QCOMPARE(header->indexOfChild(header->child(4)), 4);
    QVERIFY(!header->rect().isEmpty());
    QVERIFY(header->rect().contains(header->child(3)->rect().center()));

    // Pressing a column's caption sorts by it, as a click does.
    header->child(3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(tableOf(f)->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("Milano"));
    QCOMPARE(tableOf(f)->cellAt(5, 1)->text(QAccessible::Name), QStringLiteral("Torino"));

    f.view->groupByColumn(f.prov, 0);
    f.view->groupByColumn(f.town, 1);
    QCOMPARE(childNames(box), (QStringList{"PR", "Localita"}));
    QVERIFY(box->text(QAccessible::Name).isEmpty());
    QCOMPARE(childNames(header), (QStringList{"", "Band one", "Nome", "Quando"}));
}

void TestGridAccessible::hitTestFindsTheRowUnderThePoint()
{
    CallListFixture f;
    QAccessibleInterface *grid = gridOf(f);
    QAccessibleInterface *third = grid->child(2 + 2);
    const QRect r = third->rect();
    QVERIFY(!r.isEmpty());
    QCOMPARE(grid->childAt(r.center().x(), r.center().y()), third);
    QAccessibleInterface *cell = tableOf(f)->cellAt(2, 0);
    QCOMPARE(third->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
    // A row scrolled away has no place on screen.
    QCOMPARE(tableOf(f)->rowCount(), 6);
    QVERIFY(!grid->child(2)->state().offscreen);
}

void TestGridAccessible::rowsFollowASort()
{
    CallListFixture f;
    QAccessibleInterface *first = gridOf(f)->child(2);
    QCOMPARE(first->text(QAccessible::Name).left(11), QStringLiteral("Nome: rossi"));
    heard.clear();
    f.view->sortByColumn(f.nome, Qt::NoModifier);
    QVERIFY(std::any_of(heard.begin(), heard.end(), [](const Heard &h) { return h.type == QAccessible::TableModelChanged; }));
    QCOMPARE(gridOf(f)->child(2)->text(QAccessible::Name).left(10), QStringLiteral("Nome: alfa"));
}

QTEST_MAIN(TestGridAccessible)
#include "tst_gridaccessible.moc"
