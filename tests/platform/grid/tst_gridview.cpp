#include "CallListFixture.h"
#include "PaintedTexts.h"

#include "platform/editors/MessageBoxes.h"
#include "platform/grid/GridBand.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridControl.h"
#include "platform/grid/GridLevel.h"
#include "platform/grid/GridQuickCustomizationPopup.h"
#include "platform/grid/GridStyle.h"
#include "platform/grid/GridSummaryGroup.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/memdata/DataError.h"
#include "platform/texts/GridTexts.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTimer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using RowKind = GridDataController::RowKind;

namespace {

const QStringList &calls = sampleCalls;

struct ViewFixture : CallListFixture
{
    using CallListFixture::CallListFixture;

    QRect headerOf(const GridColumn *c) const { return view->gridLayout().columnHeaderRect(indexOf(c)); }
    QWidget *port() const { return view->viewport(); }
    QString current() const { return data.nameOf(data.table.currentRecordId()); }

    QStringList shownNames() const
    {
        QStringList names;
        const GridDataController *c = view->controller();
        for (int r = 0; r < c->rowCount(); ++r) {
            if (c->rowKind(r) == RowKind::Record)
                names << data.nameOf(c->rowRecordId(r));
        }
        return names;
    }

    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(port(), Qt::LeftButton, {}, from);
        const QPoint step = (to - from) / 4;
        for (int i = 1; i <= 4; ++i)
            QTest::mouseMove(port(), from + step * i);
        QTest::mouseMove(port(), to);
        QTest::mouseRelease(port(), Qt::LeftButton, {}, to);
    }
};

} // namespace

class TestGridView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void names();
    void headerClickSorts_data();
    void headerClickSorts();
    void dragToGroupByBoxGroups();
    void footersCountForLinkedColumns_data();
    void footersCountForLinkedColumns();
    void groupRowsOpenAndClose();
    void keysMoveTheCursor_data();
    void keysMoveTheCursor();
    void cursorMovesTheFocus();
    void mouseMovesTheCursor();
    void deleteKeys_data();
    void deleteKeys();
    void insertAndDoubleClickDoNothing();
    void keyCommandErrorEndsInTheErrorBox();
    void unknownFieldIsAnError();
    void deleteAsksFirstWhenTold_data();
    void deleteAsksFirstWhenTold();
    void quickCustomisationShowsHiddenColumn();
    void sizingAndMoving();
    void movingBands();
    void emptyGridPaints();
    void paintsOnlyWhatIsOnScreen();
};

void TestGridView::names()
{
    ViewFixture f;
    QCOMPARE(f.grid.findChild<GridBandedTableView *>("cxGrid1DBTableView1"), f.view);
    QVERIFY(f.view->findChild<GridColumn *>("cxGrid1DBTableView1Nome"));
    QVERIFY(f.grid.findChild<GridLevel *>("cxGrid1Level1"));
    // Without a caption a header shows the field's name.
    QCOMPARE(f.town->displayCaption(), QStringLiteral("Localita"));
    QCOMPARE(f.view->cellText(0, f.town), QStringLiteral("Milano"));
}

void TestGridView::headerClickSorts_data()
{
    QTest::addColumn<QString>("clicks"); // column letter, then s(hift) or c(trl)
    QTest::addColumn<QStringList>("names");
    QTest::newRow("name") << "N" << QStringList{"alfa", "bianchi", "Bianchi", "neri", "rossi", "verdi"};
    QTest::newRow("name twice") << "N N" << QStringList{"verdi", "rossi", "neri", "Bianchi", "bianchi", "alfa"};
    QTest::newRow("prov, shift name") << "P Ns" << QStringList{"bianchi", "rossi", "verdi", "alfa", "Bianchi", "neri"};
    QTest::newRow("prov, shift name, shift name") << "P Ns Ns" << QStringList{"verdi", "rossi", "bianchi", "alfa", "neri", "Bianchi"};
    QTest::newRow("prov, shift name, ctrl prov") << "P Ns Pc" << QStringList{"alfa", "bianchi", "Bianchi", "neri", "rossi", "verdi"};
    QTest::newRow("ctrl alone: store order") << "N Nc" << QStringList{"rossi", "Bianchi", "verdi", "alfa", "neri", "bianchi"};
}

void TestGridView::headerClickSorts()
{
    QFETCH(QString, clicks);
    QFETCH(QStringList, names);
    ViewFixture f;
    for (const QString &click : clicks.split(' ')) {
        GridColumn *c = click[0] == 'N' ? f.nome : f.prov;
        const Qt::KeyboardModifiers mods = click.endsWith('s') ? Qt::ShiftModifier
                                         : click.endsWith('c') ? Qt::ControlModifier
                                                               : Qt::NoModifier;
        QTest::mouseClick(f.port(), Qt::LeftButton, mods, f.headerOf(c).center());
    }
    QCOMPARE(f.shownNames(), names);
}

void TestGridView::dragToGroupByBoxGroups()
{
    ViewFixture f;
    const QPoint box = f.view->gridLayout().groupByBoxRect().center();
    f.drag(f.headerOf(f.prov).center(), box);
    QCOMPARE(f.view->groupLevelOf(f.prov), 0);
    // The grouped column leaves the records and the headers.
    QVERIFY(f.headerOf(f.prov).isEmpty());
    f.view->controller()->setAllGroupsExpanded(false); // the focused call's group opened for it
    QCOMPARE(f.view->controller()->rowCount(), 6); // three collapsed groups and their footers
    // A second level, dropped right of the first item.
    const QRect first = f.view->groupByItemRect(0);
    f.drag(f.headerOf(f.town).center(), QPoint(first.right() + 20, first.center().y()));
    QCOMPARE(f.view->groupLevelOf(f.town), 1);
    // Dropped left of the first, it becomes the outer level.
    f.drag(f.view->groupByItemRect(1).center(), QPoint(2, f.view->groupByItemRect(0).center().y()));
    QCOMPARE(f.view->groupLevelOf(f.town), 0);
    QCOMPARE(f.view->groupLevelOf(f.prov), 1);
    // Dragged out of the box it leaves the grouping and comes back among the headers.
    f.drag(f.view->groupByItemRect(1).center(), f.headerOf(f.nome).center());
    QCOMPARE(f.view->groupLevelOf(f.prov), -1);
    QVERIFY(!f.headerOf(f.prov).isEmpty());
    // A click on an item turns its grouping round.
    QTest::mouseClick(f.port(), Qt::LeftButton, {}, f.view->groupByItemRect(0).center());
    QCOMPARE(f.view->controller()->groupKeys().front().order, Qt::DescendingOrder);
}

void TestGridView::footersCountForLinkedColumns_data()
{
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QStringList>("footers"); // per footer row in order; "-" for no figure
    QTest::newRow("by PR") << "PR" << QStringList{"3", "1", "2"};
    QTest::newRow("by an unlinked column") << "Quando" << QStringList{"-", "-", "-", "-", "-"};
    QTest::newRow("PR then town, every level") << "PR Localita"
                                               << QStringList{"2", "1", "3", "1", "1", "2", "2"};
    QTest::newRow("unlinked outer, linked inner") << "Quando PR" << QStringList{"1", "-", "1", "-", "1", "-", "1", "-", "2", "-"};
}

void TestGridView::footersCountForLinkedColumns()
{
    QFETCH(QString, groups);
    QFETCH(QStringList, footers);
    ViewFixture f;
    int level = 0;
    for (const QString &g : groups.split(' '))
        f.view->groupByColumn(f.view->columnByField(g), level++);
    f.view->controller()->setAllGroupsExpanded(true);
    QStringList shown;
    const GridDataController *c = f.view->controller();
    for (int r = 0; r < c->rowCount(); ++r) {
        if (c->rowKind(r) != RowKind::GroupFooter)
            continue;
        const QString text = f.view->footerText(c->rowGroup(r), f.nome);
        shown << (text.isNull() ? QStringLiteral("-") : text);
        // Only under Nome.
        QVERIFY(f.view->footerText(c->rowGroup(r), f.town).isNull());
    }
    QCOMPARE(shown, footers);
    // Collapsed, the footers stay.
    f.view->controller()->setAllGroupsExpanded(false);
    int footerRows = 0;
    for (int r = 0; r < c->rowCount(); ++r)
        footerRows += c->rowKind(r) == RowKind::GroupFooter;
    QVERIFY(footerRows > 0);
    QImage image(f.port()->size(), QImage::Format_ARGB32);
    f.port()->render(&image);
}

void TestGridView::groupRowsOpenAndClose()
{
    ViewFixture f;
    f.view->groupByColumn(f.prov, 0);
    GridDataController *c = f.view->controller();
    c->setFocusedRow(0);
    QCOMPARE(c->rowKind(0), RowKind::Group);
    QTest::keyClick(f.view, Qt::Key_Right);
    QVERIFY(c->isGroupExpanded(c->rowGroup(0)));
    QTest::keyClick(f.view, Qt::Key_Minus);
    QVERIFY(!c->isGroupExpanded(c->rowGroup(0)));
    QTest::keyClick(f.view, Qt::Key_Plus);
    QTest::keyClick(f.view, Qt::Key_Down);
    QCOMPARE(c->rowKind(c->focusedRow()), RowKind::Record);
    QTest::keyClick(f.view, Qt::Key_Left); // back to its group row
    QCOMPARE(c->focusedRow(), 0);
    QTest::keyClick(f.view, Qt::Key_Left);
    QVERIFY(!c->isGroupExpanded(c->rowGroup(0)));
    // A click on the box opens it; a double click on the row closes it again.
    QTest::mouseClick(f.port(), Qt::LeftButton, {}, f.view->groupExpandButtonRect(0).center());
    QVERIFY(c->isGroupExpanded(c->rowGroup(0)));
    const QPoint onRow = f.view->groupExpandButtonRect(0).center() + QPoint(80, 0);
    QTest::mouseDClick(f.port(), Qt::LeftButton, {}, onRow);
    QVERIFY(!c->isGroupExpanded(c->rowGroup(0)));
}

void TestGridView::keysMoveTheCursor_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("current");
    QTest::newRow("down") << "Down" << "Bianchi";
    QTest::newRow("down down up") << "Down Down Up" << "Bianchi";
    QTest::newRow("up at the top") << "Up" << "rossi";
    QTest::newRow("end") << "End" << "bianchi";
    QTest::newRow("ctrl end, home") << "Ctrl+End Home" << "rossi";
    QTest::newRow("end, ctrl home") << "End Ctrl+Home" << "rossi";
    // Two records fit: a page is two rows.
    QTest::newRow("page down") << "PgDown" << "verdi";
    QTest::newRow("page down twice") << "PgDown PgDown" << "neri";
    QTest::newRow("page down, page up") << "PgDown PgUp" << "rossi";
}

void TestGridView::keysMoveTheCursor()
{
    QFETCH(QString, keys);
    QFETCH(QString, current);
    ViewFixture f(calls);
    const GridLayout &layout = f.view->gridLayout();
    const int frame = f.view->height() - f.view->viewport()->height();
    f.grid.resize(900, frame + layout.rowsTop() + 2 * layout.recordHeight() + 10);
    QTest::qWait(1);
    QCOMPARE(f.view->rowsOnScreen().size(), size_t(3)); // two whole, one cut
    for (const QString &k : keys.split(' '))
        QTest::keySequence(f.view, QKeySequence(k));
    QCOMPARE(f.current(), current);
    QCOMPARE(f.view->controller()->focusedRecordId(), f.data.table.currentRecordId());
}

void TestGridView::cursorMovesTheFocus()
{
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << QStringLiteral("n%1|MI|Milano|").arg(i, 3, 10, QLatin1Char('0'));
    ViewFixture f(many);
    f.data.table.moveTo(150);
    QCOMPARE(f.view->controller()->focusedRow(), 150);
    // Scrolled so that the focused record is on screen.
    const auto rows = f.view->rowsOnScreen();
    QVERIFY(std::any_of(rows.begin(), rows.end(), [](const GridLayout::RowGeometry &g) { return g.row == 150; }));
    QVERIFY(f.view->topRow() > 100);
}

void TestGridView::mouseMovesTheCursor()
{
    ViewFixture f;
    const GridLayout &layout = f.view->gridLayout();
    const auto rows = f.view->rowsOnScreen();
    QVERIFY(rows.size() >= 3);
    QTest::mouseClick(f.port(), Qt::LeftButton, {}, layout.cellRect(f.indexOf(f.nome), rows[2].top).center());
    QCOMPARE(f.current(), QStringLiteral("verdi"));
    // A cell of the scrolling band does as well.
    QTest::mouseClick(f.port(), Qt::LeftButton, {}, layout.cellRect(f.indexOf(f.when), rows[1].top).center());
    QCOMPARE(f.current(), QStringLiteral("Bianchi"));
}

void TestGridView::deleteKeys_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("del") << Qt::KeyboardModifiers(Qt::NoModifier);
    QTest::newRow("ctrl del") << Qt::KeyboardModifiers(Qt::ControlModifier);
}

void TestGridView::deleteKeys()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    ViewFixture f;
    QTest::mouseClick(f.port(), Qt::LeftButton, {}, f.headerOf(f.nome).center());
    f.view->controller()->setFocusedRow(2); // Bianchi, sorted by name
    QCOMPARE(f.current(), QStringLiteral("Bianchi"));
    QTest::keyClick(f.view, Qt::Key_Delete, modifiers);
    QCOMPARE(f.data.table.recordCount(), 5);
    QCOMPARE(f.shownNames(), QStringList({"alfa", "bianchi", "neri", "rossi", "verdi"}));
    // The row now standing where it stood on screen takes the focus, and the cursor with it
    // (the next record in the store would be verdi).
    QCOMPARE(f.current(), QStringLiteral("neri"));
    QCOMPARE(f.view->controller()->focusedRecordId(), f.data.table.currentRecordId());
}

void TestGridView::insertAndDoubleClickDoNothing()
{
    ViewFixture f;
    QTest::keyClick(f.view, Qt::Key_Insert);
    QCOMPARE(f.data.table.state(), MemTable::State::Browse);
    QCOMPARE(f.data.table.recordCount(), calls.size());
    const auto rows = f.view->rowsOnScreen();
    const QPoint onCell = f.view->gridLayout().cellRect(f.indexOf(f.nome), rows[1].top).center();
    QTest::mouseClick(f.port(), Qt::LeftButton, {}, onCell);
    QTest::mouseDClick(f.port(), Qt::LeftButton, {}, onCell);
    QCOMPARE(f.data.table.state(), MemTable::State::Browse);
    QCOMPARE(f.current(), QStringLiteral("Bianchi"));
}

void TestGridView::keyCommandErrorEndsInTheErrorBox()
{
    ViewFixture f;
    GridViewOptions o = f.view->options();
    o.inserting = true;
    f.view->setOptions(o);
    f.data.table.setAfterInsert([] { throw DataError(QStringLiteral("Archivio pieno")); });
    QStringList boxes;
    MessageBoxes::setAnswerer([&boxes](MessageBoxes::Kind kind, const QString &, const QString &text) {
        boxes << QString::number(int(kind)) + u'|' + text;
        return MessageBoxes::Answer::Ok;
    });
    const auto restore = qScopeGuard([] { MessageBoxes::setAnswerer({}); });
    QTest::keyClick(f.view, Qt::Key_Insert);
    QCOMPARE(boxes, QStringList{QString::number(int(MessageBoxes::Kind::Error)) + "|Archivio pieno."});
    f.data.table.cancel();
    QCOMPARE(f.data.table.recordCount(), calls.size());
}

void TestGridView::unknownFieldIsAnError()
{
    GridFixture data(calls);
    data.table.setObjectName(QStringLiteral("ScadData"));
    GridControl grid;
    GridBandedTableView *view = grid.createLevel(QStringLiteral("level"))->createBandedTableView(QStringLiteral("view"));
    view->createBand();
    GridColumn *known = view->createColumn(QStringLiteral("viewNome"));
    known->setFieldName(QStringLiteral("Nome"));
    GridColumn *unknown = view->createColumn(QStringLiteral("viewNmoe"));
    unknown->setFieldName(QStringLiteral("Nmoe"));
    QTest::ignoreMessage(QtCriticalMsg, "view: column viewNmoe is bound to the unknown field Nmoe");
    try {
        view->setDataSource(&data.source);
        QFAIL("a column bound to no field was taken");
    } catch (const DataError &e) {
        QCOMPARE(e.message(), QStringLiteral("ScadData: Field 'Nmoe' not found"));
    }
    QVERIFY(known->field());
    QVERIFY(!unknown->field());
}

void TestGridView::deleteAsksFirstWhenTold_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("no") << false;
    QTest::newRow("yes") << true;
}

void TestGridView::deleteAsksFirstWhenTold()
{
    QFETCH(bool, yes);
    ViewFixture f;
    GridViewOptions o = f.view->options();
    o.deletingConfirmation = true;
    f.view->setOptions(o);
    QStringList boxes;
    MessageBoxes::setAnswerer([&boxes, yes](MessageBoxes::Kind kind, const QString &caption, const QString &text) {
        boxes << QString::number(int(kind)) + u'|' + caption + u'|' + text;
        return yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No;
    });
    const auto restore = qScopeGuard([] { MessageBoxes::setAnswerer({}); });
    // A box shown past the answerer would wait for a click that never comes.
    QTimer::singleShot(0, [&boxes] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            boxes << QStringLiteral("a box past the answerer");
            w->close();
        }
    });
    f.view->controller()->setFocusedRow(1);
    const QString focused = f.current();
    QTest::keyClick(f.view, Qt::Key_Delete);
    QCOMPARE(boxes, QStringList{QString::number(int(MessageBoxes::Kind::Confirmation)) + "|Confirm|Delete record?"});
    QCOMPARE(f.data.table.recordCount(), calls.size() - (yes ? 1 : 0));
    QCOMPARE(f.shownNames().contains(focused), !yes);
}

void TestGridView::quickCustomisationShowsHiddenColumn()
{
    ViewFixture f;
    QVERIFY(f.headerOf(f.contact).isEmpty());
    QTest::mouseClick(f.port(), Qt::LeftButton, {}, f.view->quickCustomizationButtonRect().center());
    GridQuickCustomizationPopup *popup = f.view->quickCustomizationPopup();
    QTRY_VERIFY(popup->isVisible());
    // Every column is listed, the hidden one unticked.
    QCOMPARE(popup->count(), f.view->columnCount());
    QListWidgetItem *item = popup->itemForCaption("Riferimento");
    QVERIFY(item);
    QCOMPARE(item->checkState(), Qt::Unchecked);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualItemRect(item).center());
    QCOMPARE(item->checkState(), Qt::Checked);
    QVERIFY(f.contact->isVisible());
    QVERIFY(!f.headerOf(f.contact).isEmpty());
    // It shares its line with the column beside it.
    QCOMPARE(f.headerOf(f.contact).width() + f.headerOf(f.when).width(), 917);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualItemRect(popup->itemForCaption("Nome")).center());
    QVERIFY(!f.nome->isVisible());
}

void TestGridView::sizingAndMoving()
{
    ViewFixture f;
    // Sizing PR by its right edge (the band's edge too) grows the band; the others on its line keep their size.
    const QRect pr = f.headerOf(f.prov);
    const int townWidth = f.headerOf(f.town).width();
    const QPoint edge(pr.left() + pr.width() - 1, pr.center().y());
    QTest::mousePress(f.port(), Qt::LeftButton, {}, edge);
    QTest::mouseMove(f.port(), edge + QPoint(30, 0));
    QTest::mouseRelease(f.port(), Qt::LeftButton, {}, edge + QPoint(30, 0));
    QCOMPARE(f.view->band(0)->width(), 324 + 30);
    QCOMPARE(f.headerOf(f.town).width(), townWidth);
    // Nome alone on its line follows the band.
    QCOMPARE(f.headerOf(f.nome).width(), 354);
    // Moving Nome before the town on line 3.
    f.drag(f.headerOf(f.nome).center(), f.headerOf(f.town).topLeft() + QPoint(3, 3));
    QCOMPARE(f.nome->lineIndex(), 3);
    QCOMPARE(f.nome->place(), 0);
    QCOMPARE(f.town->place(), 1);
    QCOMPARE(f.prov->place(), 2);
    // Sizing a band by its edge.
    const QRect band1 = f.view->gridLayout().bandHeaderRect(1);
    f.view->horizontalScrollBar()->setValue(f.view->horizontalScrollBar()->maximum());
    const QRect b1 = f.view->gridLayout().bandHeaderRect(1);
    Q_UNUSED(band1)
    QTest::mousePress(f.port(), Qt::LeftButton, {}, QPoint(b1.left() + b1.width() - 1, b1.center().y()));
    QTest::mouseMove(f.port(), QPoint(b1.left() + b1.width() - 101, b1.center().y()));
    QTest::mouseRelease(f.port(), Qt::LeftButton, {}, QPoint(b1.left() + b1.width() - 101, b1.center().y()));
    QCOMPARE(f.view->band(1)->width(), 817);
}

void TestGridView::movingBands()
{
    ViewFixture f;
    GridBand *first = f.view->band(0);
    GridBand *second = f.view->band(1);
    // A fixed band keeps to the left: another band cannot be put before it.
    const QRect b0 = f.view->gridLayout().bandHeaderRect(0);
    f.drag(f.view->gridLayout().bandHeaderRect(1).center(), b0.topLeft() + QPoint(4, 4));
    QCOMPARE(f.view->band(0), first);
    first->setFixed(GridBand::Fixed::None);
    f.drag(f.view->gridLayout().bandHeaderRect(1).center(), f.view->gridLayout().bandHeaderRect(0).topLeft() + QPoint(4, 4));
    QCOMPARE(f.view->band(0), second);
    QCOMPARE(f.view->band(1), first);
    // The columns go with their band.
    QCOMPARE(f.when->bandIndex(), 0);
    QCOMPARE(f.nome->bandIndex(), 1);
    QCOMPARE(f.headerOf(f.nome).left(), f.view->gridLayout().bandHeaderRect(1).left());
}

void TestGridView::emptyGridPaints()
{
    ViewFixture f(QStringList{});
    QCOMPARE(f.view->controller()->rowCount(), 0);
    ComponentTexts::registerReplacement(GridTexts::NoDataToDisplay, "<Nessun dato da visualizzare>");
    QCOMPARE(PaintedTexts::of(f.port()).filter("<Nessun dato da visualizzare>").size(), 1);
    QTest::keyClick(f.view, Qt::Key_Delete); // nothing to delete, nothing thrown
    QTest::keyClick(f.view, Qt::Key_Down);
    QCOMPARE(PaintedTexts::of(f.port()).filter("<Nessun dato da visualizzare>").size(), 1);
    ComponentTexts::clearReplacements();
}

void TestGridView::paintsOnlyWhatIsOnScreen()
{
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many << QStringLiteral("n%1|P%2|Citta|2024-01-01").arg(i).arg(i % 7);
    ViewFixture f(many);
    QVERIFY(f.view->rowsOnScreen().size() < 20);
    f.view->groupByColumn(f.prov, 0);
    f.view->controller()->setAllGroupsExpanded(true);
    QTest::keyClick(f.view, Qt::Key_End, Qt::ControlModifier);
    // The last row is a footer, which takes no focus: the last record has it.
    const int last = f.view->controller()->rowCount() - 2;
    QCOMPARE(f.view->controller()->focusedRow(), last);
    QCOMPARE(f.current(), QStringLiteral("n4997")); // the last of group P6
    const auto rows = f.view->rowsOnScreen();
    QVERIFY(std::any_of(rows.begin(), rows.end(), [last](const GridLayout::RowGeometry &g) { return g.row == last; }));
    const QStringList painted = PaintedTexts::of(f.port());
    const QStringList names = painted.filter(QRegularExpression("^n\\d+$"));
    QVERIFY2(names.contains("n4997"), qPrintable(painted.join(", ")));
    QVERIFY(!names.contains("n6")); // the first of group P6, far above
    QVERIFY(!names.isEmpty() && names.size() <= int(rows.size()));
}

QTEST_MAIN(TestGridView)
#include "tst_gridview.moc"
