#include "GridFixture.h"
#include "PaintedTexts.h"

#include "i18n/UCXTRANSLATE.h"
#include "platform/filter/FilterBuilder.h"
#include "platform/filter/FilterBuilderDialog.h"
#include "platform/filter/FilterCustomDialog.h"
#include "platform/grid/GridBand.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridControl.h"
#include "platform/grid/GridFilterBox.h"
#include "platform/grid/GridFilterDropDown.h"
#include "platform/grid/GridFilterValueModel.h"
#include "platform/grid/GridLevel.h"
#include "tests/support/ModalWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

using RowKind = GridDataController::RowKind;

namespace {

const QStringList calls = {
    "rossi|MI|Milano|2024-03-01|Anna", "Bianchi|TO|Torino|2023-01-05|", "verdi|MI|Monza|2024-01-01|",
    "alfa|RM|Roma|2022-12-31|",        "neri|TO|Torino||",             "bianchi|MI|Milano|2024-03-01|",
};

struct FilterFixture
{
    GridFixture data;
    GridControl grid;
    GridBandedTableView *view;

    explicit FilterFixture(const QStringList &records = calls) : data(records)
    {
        view = grid.createLevel("cxGrid1Level1")->createBandedTableView("cxGrid1DBTableView1");
        GridBand *b0 = view->createBand();
        b0->setWidth(324);
        b0->setFixed(GridBand::Fixed::Left);
        view->createBand()->setWidth(600);
        column("Nome", "Nome", 0, 0, 0, 160);
        column("PR", "PR", 0, 0, 1, 80);
        column("Localita", QString(), 0, 1, 0, 200);
        column("Quando", "Quando", 1, 0, 0, 160);
        GridViewOptions o;
        o.editing = false;
        o.inserting = false;
        o.indicator = true;
        view->setOptions(o);
        view->setDataSource(&data.source);
        grid.resize(900, 500);
        grid.show();
        if (!QTest::qWaitForWindowExposed(&grid))
            qWarning("grid not exposed");
    }

    void column(const QString &field, const QString &caption, int band, int line, int place, int width)
    {
        GridColumn *c = view->createColumn("cxGrid1DBTableView1" + field);
        c->setFieldName(field);
        c->setCaption(caption);
        c->setPosition(band, line, place);
        c->setWidth(width);
    }

    int indexOf(const QString &field) const
    {
        for (int i = 0; i < view->columnCount(); ++i) {
            if (view->column(i)->fieldName() == field)
                return i;
        }
        return -1;
    }
    QWidget *port() const { return view->viewport(); }

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

    void openDropDown(const QString &field)
    {
        const QRect button = view->filterButtonRect(indexOf(field));
        QVERIFY(!button.isEmpty());
        QTest::mouseClick(port(), Qt::LeftButton, {}, button.center());
        QTRY_VERIFY(view->filterDropDown()->isVisible());
    }

    void pick(const QString &text)
    {
        QListView *list = view->filterDropDown()->listView();
        const int row = view->filterDropDown()->model()->rowOfText(text);
        QVERIFY2(row >= 0, qPrintable(text));
        const QModelIndex index = list->model()->index(row, 0);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
        QVERIFY(!view->filterDropDown()->isVisible());
    }

    void filterBy(const QString &field, const QString &text)
    {
        openDropDown(field);
        pick(text);
    }
};

// Runs check on the next modal dialog once its event loop runs; the dialog must close itself.
QStringList listTexts(const GridFilterDropDown *dropDown, int count)
{
    QStringList texts;
    for (int r = 0; r < count && r < dropDown->model()->rowCount(); ++r)
        texts << dropDown->model()->text(r);
    return texts;
}

} // namespace

class TestGridFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installComponentTexts(); }
    void firstWindowShowsItalianTexts();
    void dropDownListsFixedEntriesThenValues();
    void pickingAValueFilters_data();
    void pickingAValueFilters();
    void blanksAndNonBlanks_data();
    void blanksAndNonBlanks();
    void customDialogCancelChangesNothing();
    void customDialogOkFilters();
    void customDialogRefusesInvalidValue();
    void customDialogReplacesOnlyItsColumn();
    void filterBoxSwitchesAndRemoves();
    void builderApplyFilters();
    void widthDragKeepsFilter();
    void dropDownFromTheKeyboard();
    void builderStartsOnAShownColumn();
    void customDialogOkKeepsWhatItCannotShow_data();
    void customDialogOkKeepsWhatItCannotShow();
    void tableSwapRebindsFilteredGroupedView();
};

void TestGridFilter::firstWindowShowsItalianTexts()
{
    FilterFixture f(QStringList{});
    const QStringList painted = PaintedTexts::of(f.port());
    QVERIFY2(painted.contains("Per raggruppare per una colonna trascinarla qui.."), qPrintable(painted.join('|')));
    QVERIFY2(painted.contains("<Nessuna riga da mostrare>"), qPrintable(painted.join('|')));
    QVERIFY(!f.view->filterBox()->isVisible());
}

void TestGridFilter::dropDownListsFixedEntriesThenValues()
{
    FilterFixture f;
    f.openDropDown("Nome");
    // Distinct values in the grid's order: letters first without regard to case, lower before upper.
    QCOMPARE(listTexts(f.view->filterDropDown(), 10),
             QStringList({"(Tutti)", "(Personalizza...)", "(Vuoti)", "(NonVuoti)", "alfa", "bianchi", "Bianchi",
                          "neri", "rossi", "verdi"}));
    f.view->filterDropDown()->hide();
    f.openDropDown("PR");
    QCOMPARE(listTexts(f.view->filterDropDown(), 10).mid(4), QStringList({"MI", "RM", "TO"}));
    f.view->filterDropDown()->hide();
    f.openDropDown("Quando");
    // Dates in date order, not text order, and each date once.
    const GridFilterValueModel *m = f.view->filterDropDown()->model();
    QCOMPARE(m->valueCount(), 4);
    QCOMPARE(m->value(GridFilterValueModel::FirstValue).value().toDateTime().date(), QDate(2022, 12, 31));
    QCOMPARE(m->value(GridFilterValueModel::FirstValue + 3).value().toDateTime().date(), QDate(2024, 3, 1));
    f.view->filterDropDown()->hide();
}

void TestGridFilter::pickingAValueFilters_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("fromRecord"); // the value is that record's text in the column
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("text") << "Nome" << 0 << QStringList{"rossi"};
    QTest::newRow("text, exact case") << "Nome" << 1 << QStringList{"Bianchi"};
    QTest::newRow("province") << "PR" << 1 << QStringList{"Bianchi", "neri"};
    QTest::newRow("date") << "Quando" << 0 << QStringList{"rossi", "bianchi"};
}

void TestGridFilter::pickingAValueFilters()
{
    QFETCH(QString, field);
    QFETCH(int, fromRecord);
    QFETCH(QStringList, shown);
    FilterFixture f;
    const quint32 id = f.data.table.recordOrder()[size_t(fromRecord)];
    const QString value = f.data.table.text(id, f.data.fieldNamed(field));
    GridColumn *column = f.view->column(f.indexOf(field));

    f.filterBy(field, value);
    QCOMPARE(f.shownNames(), shown);
    QVERIFY(f.view->isColumnFiltered(column));
    QTRY_VERIFY(f.view->filterBox()->isVisible());
    QVERIFY(f.view->filterText().startsWith(f.view->column(f.indexOf(field))->displayCaption() + " e' uguale a "));
    QVERIFY2(f.view->filterText().contains(value), qPrintable(f.view->filterText()));

    f.filterBy(field, "(Tutti)");
    QCOMPARE(f.shownNames().size(), calls.size());
    QVERIFY(!f.view->isColumnFiltered(column));
    QVERIFY(f.view->filterCriteria().isEmpty());
    QTRY_VERIFY(!f.view->filterBox()->isVisible());
}

void TestGridFilter::blanksAndNonBlanks_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("blanks") << "(Vuoti)" << QStringList{"neri"};
    QTest::newRow("non blanks") << "(NonVuoti)" << QStringList{"rossi", "Bianchi", "verdi", "alfa", "bianchi"};
}

void TestGridFilter::blanksAndNonBlanks()
{
    QFETCH(QString, entry);
    QFETCH(QStringList, shown);
    FilterFixture f;
    f.filterBy("Quando", entry);
    QCOMPARE(f.shownNames(), shown);
    // A second pick on the same column replaces the first.
    f.filterBy("Nome", "alfa");
    f.filterBy("Quando", "(NonVuoti)");
    QCOMPARE(f.shownNames(), QStringList{"alfa"});
}

void TestGridFilter::customDialogCancelChangesNothing()
{
    FilterFixture f;
    f.filterBy("PR", "MI");
    const FilterCriteria before = f.view->filterCriteria();
    const QStringList shownBefore = f.shownNames();
    bool seen = false;
    whileModalOpen([&](QWidget *w) {
        auto *d = qobject_cast<FilterCustomDialog *>(w);
        QVERIFY(d);
        seen = true;
        QCOMPARE(d->windowTitle(), QString("Custom Filter"));
        QCOMPARE(d->findChild<QLabel *>("headingLabel")->text(), QString("Mostra le righe dove:"));
        QCOMPARE(d->findChild<QLabel *>("columnLabel")->text(), QString("PR"));
        QCOMPARE(d->findChild<QLabel *>("singleCharacterHint")->text(), QString("Usa _ per rappresentare ogni singolo carattere"));
        QCOMPARE(d->findChild<QLabel *>("anySeriesHint")->text(), QString("Usa % per rappresentare qualsiasi serie di caratteri"));
        QCOMPARE(d->findChild<QPushButton *>("okButton")->text(), QString("OK"));
        auto *cancel = d->findChild<QPushButton *>("cancelButton");
        QCOMPARE(cancel->text(), QString("Annulla"));
        // It starts from the column's filter.
        auto *value = d->findChild<QLineEdit *>("value1");
        QCOMPARE(value->text(), QString("MI"));
        QCOMPARE(d->findChild<QComboBox *>("operator1")->currentText(), QString("e' uguale a"));
        value->selectAll();
        QTest::keyClicks(value, "TO");
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    f.openDropDown("PR");
    f.pick("(Personalizza...)");
    QVERIFY(seen);
    QCOMPARE(f.view->filterCriteria(), before);
    QCOMPARE(f.shownNames(), shownBefore);
}

void TestGridFilter::customDialogOkFilters()
{
    FilterFixture f;
    bool seen = false;
    whileModalOpen([&](QWidget *w) {
        auto *d = qobject_cast<FilterCustomDialog *>(w);
        QVERIFY(d);
        seen = true;
        auto *op1 = d->findChild<QComboBox *>("operator1");
        op1->setCurrentIndex(op1->findText("like"));
        QTest::keyClicks(d->findChild<QLineEdit *>("value1"), "%ss%");
        QTest::mouseClick(d->findChild<QRadioButton *>("orButton"), Qt::LeftButton);
        auto *op2 = d->findChild<QComboBox *>("operator2");
        op2->setCurrentIndex(op2->findText("e' uguale a"));
        QTest::keyClicks(d->findChild<QLineEdit *>("value2"), "alfa");
        QTest::mouseClick(d->findChild<QPushButton *>("okButton"), Qt::LeftButton);
        QVERIFY(!d->isVisible());
    });
    f.openDropDown("Nome");
    f.pick("(Personalizza...)");
    QVERIFY(seen);
    QCOMPARE(f.shownNames(), QStringList({"rossi", "alfa"}));
    QCOMPARE(f.view->filterText(), QString("(Nome contiene 'ss' OR Nome e' uguale a 'alfa')"));
}

void TestGridFilter::customDialogRefusesInvalidValue()
{
    FilterFixture f;
    bool seen = false;
    whileModalOpen([&](QWidget *w) {
        auto *d = qobject_cast<FilterCustomDialog *>(w);
        QVERIFY(d);
        seen = true;
        QTest::keyClicks(d->findChild<QLineEdit *>("value1"), "not a date");
        QTest::mouseClick(d->findChild<QPushButton *>("okButton"), Qt::LeftButton);
        QVERIFY(d->isVisible());
        auto *invalid = d->findChild<QLabel *>("invalidValueLabel");
        QVERIFY(invalid->isVisible());
        QCOMPARE(invalid->text(), QString("Valore non valido"));
        QTest::mouseClick(d->findChild<QPushButton *>("cancelButton"), Qt::LeftButton);
    });
    f.openDropDown("Quando");
    f.pick("(Personalizza...)");
    QVERIFY(seen);
    QVERIFY(f.view->filterCriteria().isEmpty());
    QCOMPARE(f.shownNames().size(), calls.size());
}

void TestGridFilter::customDialogReplacesOnlyItsColumn()
{
    FilterFixture f;
    f.filterBy("PR", "MI");
    f.filterBy("Nome", "rossi");
    QCOMPARE(f.shownNames(), QStringList{"rossi"});
    bool seen = false;
    whileModalOpen([&](QWidget *w) {
        auto *d = qobject_cast<FilterCustomDialog *>(w);
        QVERIFY(d);
        seen = true;
        auto *value = d->findChild<QLineEdit *>("value1");
        QCOMPARE(value->text(), QString("rossi"));
        value->selectAll();
        QTest::keyClicks(value, "bianchi");
        QTest::mouseClick(d->findChild<QPushButton *>("okButton"), Qt::LeftButton);
    });
    f.openDropDown("Nome");
    f.pick("(Personalizza...)");
    QVERIFY(seen);
    // The province stays; the name's condition is the new one, matched exactly.
    QCOMPARE(f.shownNames(), QStringList{"bianchi"});
    QCOMPARE(f.view->filterText(), QString("PR e' uguale a 'MI' AND Nome e' uguale a 'bianchi'"));
}

void TestGridFilter::filterBoxSwitchesAndRemoves()
{
    FilterFixture f;
    f.filterBy("PR", "MI");
    GridFilterBox *box = f.view->filterBox();
    QTRY_VERIFY(box->isVisible());
    QCOMPARE(box->textLabel()->text(), QString("PR e' uguale a 'MI'"));
    QCOMPARE(box->customizeButton()->text(), QString("Filtra..."));
    QVERIFY(box->enabledCheckBox()->isChecked());
    const QStringList filtered{"rossi", "verdi", "bianchi"};
    QCOMPARE(f.shownNames(), filtered);
    // The box lies below the records, not over them.
    QVERIFY(box->geometry().top() > f.port()->geometry().bottom());

    QTest::mouseClick(box->enabledCheckBox(), Qt::LeftButton);
    QVERIFY(!f.view->isFilterEnabled());
    QCOMPARE(f.shownNames().size(), calls.size());
    QVERIFY(box->isVisible());
    QVERIFY(!f.view->filterCriteria().isEmpty());

    QTest::mouseClick(box->enabledCheckBox(), Qt::LeftButton);
    QVERIFY(f.view->isFilterEnabled());
    QCOMPARE(f.shownNames(), filtered);

    QTest::mouseClick(box->removeButton(), Qt::LeftButton);
    QVERIFY(f.view->filterCriteria().isEmpty());
    QCOMPARE(f.shownNames().size(), calls.size());
    QTRY_VERIFY(!box->isVisible());
}

void TestGridFilter::builderApplyFilters()
{
    FilterFixture f;
    f.filterBy("PR", "MI");
    QTRY_VERIFY(f.view->filterBox()->isVisible());
    bool seen = false;
    QStringList shownWhileOpen;
    whileModalOpen([&](QWidget *w) {
        auto *d = qobject_cast<FilterBuilderDialog *>(w);
        QVERIFY(d);
        seen = true;
        QCOMPARE(d->windowTitle(), QString("Generazione filtro - [untitled.flt]"));
        FilterBuilder *b = d->builder();
        QCOMPARE(b->topLevelItem(0)->text(0), QString("Filtra"));
        QCOMPARE(b->topLevelItem(0)->text(2), QString("<Gruppo principale>"));
        QWidget *addRow = b->itemWidget(b->addConditionItem(), 0);
        QCOMPARE(addRow->findChild<QLabel *>("addConditionHint")->text(), QString("premi qui per aggiungere una nuova condizione"));
        auto *add = addRow->findChild<QToolButton *>("addConditionButton");
        QTest::mouseClick(add, Qt::LeftButton);
        QTRY_VERIFY(b->itemForPath({1}) && b->itemWidget(b->itemForPath({1}), 2));
        QTreeWidgetItem *row = b->itemForPath({1});
        QCOMPARE(qobject_cast<QComboBox *>(b->itemWidget(row, 0))->currentText(), QString("Nome"));
        auto *value = b->itemWidget(row, 2)->findChild<QLineEdit *>("conditionValue");
        QCOMPARE(value->placeholderText(), QString("<vuoto>"));
        QTest::keyClicks(value, "rossi");
        auto *apply = d->findChild<QPushButton *>("applyButton");
        QCOMPARE(apply->text(), QString("&Applica"));
        QTest::mouseClick(apply, Qt::LeftButton);
        shownWhileOpen = f.shownNames();
        QVERIFY(d->isVisible());
        QTest::mouseClick(d->findChild<QPushButton *>("cancelButton"), Qt::LeftButton);
    });
    QTest::mouseClick(f.view->filterBox()->customizeButton(), Qt::LeftButton);
    QVERIFY(seen);
    QCOMPARE(shownWhileOpen, QStringList{"rossi"});
    // Cancel after Apply keeps what was applied.
    QCOMPARE(f.shownNames(), QStringList{"rossi"});
    QCOMPARE(f.view->filterText(), QString("PR e' uguale a 'MI' AND Nome e' uguale a 'rossi'"));
}

void TestGridFilter::widthDragKeepsFilter()
{
    FilterFixture f;
    f.filterBy("Nome", "verdi");
    f.view->column(f.indexOf("Nome"))->setWidth(300);
    f.view->column(f.indexOf("Nome"))->setCaption("Nominativo");
    QCOMPARE(f.shownNames(), QStringList{"verdi"});
    QCOMPARE(f.view->filterText(), QString("Nominativo e' uguale a 'verdi'"));
}

void TestGridFilter::dropDownFromTheKeyboard()
{
    FilterFixture f;
    f.filterBy("PR", "MI");
    QTest::mouseClick(f.view->filterBox()->enabledCheckBox(), Qt::LeftButton);
    QVERIFY(!f.view->isFilterEnabled());
    // The list opens on the active value, so the keyboard starts from it.
    f.openDropDown("PR");
    QListView *list = f.view->filterDropDown()->listView();
    QCOMPARE(list->currentIndex().row(), f.view->filterDropDown()->model()->rowOfText("MI"));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!f.view->filterDropDown()->isVisible());
    // A condition just picked switches the filter back on.
    QVERIFY(f.view->isFilterEnabled());
    QVERIFY(f.view->filterBox()->enabledCheckBox()->isChecked());
    QCOMPARE(f.shownNames(), QStringList({"alfa"})); // RM, the value after MI
    // Without a condition on the column the list opens on "(Tutti)".
    f.openDropDown("Nome");
    QCOMPARE(list->currentIndex().row(), int(GridFilterValueModel::All));
    QTest::keyClick(list, Qt::Key_Escape);
    QTRY_VERIFY(!f.view->filterDropDown()->isVisible());
}

void TestGridFilter::builderStartsOnAShownColumn()
{
    FilterFixture f;
    f.view->column(f.indexOf("Nome"))->setVisible(false);
    int column = -1;
    whileModalOpen([&column](QWidget *dialog) {
        FilterBuilder *builder = dialog->findChild<FilterBuilder *>();
        QVERIFY(builder);
        builder->addCondition({});
        column = builder->criteria().root().at(0).condition().column();
    });
    f.view->showFilterBuilder();
    QCOMPARE(column, f.view->filterColumnOf(f.view->columnByField("PR")));
}

void TestGridFilter::customDialogOkKeepsWhatItCannotShow_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("range") << "range";
    QTest::newRow("list") << "list";
    QTest::newRow("three conditions") << "three";
}

void TestGridFilter::customDialogOkKeepsWhatItCannotShow()
{
    QFETCH(QString, kind);
    FilterFixture f;
    const int pr = f.view->filterColumnOf(f.view->columnByField("PR"));
    FilterCriteria criteria;
    if (kind == "range") {
        criteria.root().addCondition(FilterCondition(pr, FilterOperator::Between, {FilterValue("MI"), FilterValue("RM")}));
    } else if (kind == "list") {
        criteria.root().addCondition(FilterCondition(pr, FilterOperator::In, {FilterValue("MI"), FilterValue("TO")}));
    } else {
        FilterGroup &any = criteria.root().addGroup(FilterBoolOperator::Or);
        for (const char *v : {"MI", "RM", "TO"})
            any.addCondition(FilterCondition(pr, FilterOperator::Equal, {FilterValue(QString::fromLatin1(v))}));
    }
    f.view->setFilterCriteria(criteria);
    const QStringList shown = f.shownNames();
    whileModalOpen([](QWidget *d) { QTest::mouseClick(d->findChild<QPushButton *>("okButton"), Qt::LeftButton); });
    f.openDropDown("PR");
    f.pick("(Personalizza...)");
    QVERIFY2(f.view->filterCriteria() == criteria, qPrintable(f.view->filterText()));
    QCOMPARE(f.shownNames(), shown);
}

void TestGridFilter::tableSwapRebindsFilteredGroupedView()
{
    FilterFixture f;
    GridDataController *controller = f.view->controller();
    controller->groupBy(f.data.town, 0);
    f.filterBy("PR", "MI");

    auto other = std::make_unique<GridFixture>(QStringList{
        "gialli|MI|Milano|2021-02-02|", "blu|TO|Torino|2021-02-03|", "rosa|MI|Lodi|2021-02-04|"});
    const auto shown = [&] {
        QStringList names;
        for (int i = 0; i < controller->recordCount(); ++i)
            names << other->nameOf(controller->recordIdAt(i));
        return names;
    };

    f.data.source.setTable(&other->table);
    for (int i = 0; i < f.view->columnCount(); ++i)
        QCOMPARE(f.view->column(i)->field(), other->fieldNamed(f.view->column(i)->fieldName()));
    QCOMPARE(controller->groupKeys().size(), size_t(1));
    QCOMPARE(controller->groupKeys().front().field, other->town);
    QCOMPARE(shown(), (QStringList{"rosa", "gialli"}));
    QCOMPARE(f.view->filterText(), QString("PR e' uguale a 'MI'"));
    QVERIFY(PaintedTexts::of(f.port()).contains("Localita : Lodi"));

    other.reset();
    QVERIFY(!f.data.source.table());
    for (int i = 0; i < f.view->columnCount(); ++i)
        QVERIFY(!f.view->column(i)->field());
    QVERIFY(controller->groupKeys().empty());
    QCOMPARE(controller->rowCount(), 0);
    QVERIFY(!f.view->filterSource());
    PaintedTexts::of(f.port()); // nothing of the table that is gone is read
}

QTEST_MAIN(TestGridFilter)
#include "tst_gridfilter.moc"
