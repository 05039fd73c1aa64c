#include "TableSource.h"

#include "i18n/UCXTRANSLATE.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/filter/FilterBuilder.h"
#include "platform/filter/FilterBuilderDialog.h"
#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterCustomDialog.h"
#include "platform/filter/FilterOperators.h"
#include "platform/texts/ComponentTexts.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(CALLISTRO_TEST_DATA "/") + QLatin1String(name);
}

// A tree with every kind of row: conditions of each kind, a range, a list and a nested group.
FilterCriteria sample()
{
    FilterCriteria c;
    c.root().setBoolOperator(FilterBoolOperator::Or);
    c.root().addCondition(FilterCondition(TableSource::Nome, FilterOperator::Like, {FilterValue("%ro%", "%ro%")}));
    FilterGroup &g = c.root().addGroup(FilterBoolOperator::NotAnd);
    g.addCondition(FilterCondition(TableSource::Numero, FilterOperator::Between, {FilterValue(qint64(1)), FilterValue(qint64(5))}));
    g.addCondition(FilterCondition(TableSource::Data, FilterOperator::Equal,
                                   {FilterValue(QDateTime(QDate(2024, 3, 1), QTime(10, 30)), "01/03/2024 10:30:00")}));
    g.addCondition(FilterCondition(TableSource::Nome, FilterOperator::In, {FilterValue("a"), FilterValue("b")}));
    c.root().addCondition(FilterCondition(TableSource::Data, FilterOperator::Blanks));
    return c;
}

struct Chooser
{
    QString answer;
    QList<FilterFileRequest> requests;

    FilterFileChooser function()
    {
        return [this](QWidget *, const FilterFileRequest &r) {
            requests << r;
            return answer;
        };
    }
};

struct ErrorBoxes
{
    QStringList shown;
    ErrorBoxes()
    {
        MessageBoxes::setAnswerer([this](MessageBoxes::Kind, const QString &, const QString &text) {
            shown << text;
            return MessageBoxes::Answer::Ok;
        });
    }
    ~ErrorBoxes() { MessageBoxes::setAnswerer({}); }
};

QStringList menuTexts(QMenu *menu)
{
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

} // namespace

class TestFilterDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installComponentTexts(); }
    void cleanupTestCase() { ComponentTexts::clearReplacements(); }
    void builderDialogTexts();
    void builderRowsAndMenus();
    void emptyValueTextIsCopiedOnce();
    void fileDialogsAsked();
    void saveThenOpenRestoresTheTree();
    void refusedFileLeavesFilter_data();
    void refusedFileLeavesFilter();
    void applyRefusesInvalidValue();
    void customDialogOperatorsFitTheColumn_data();
    void customDialogOperatorsFitTheColumn();
};

void TestFilterDialogs::builderDialogTexts()
{
    const TableSource source;
    FilterBuilderDialog d(source);
    QCOMPARE(d.windowTitle(), QString("Generazione filtro - [untitled.flt]"));
    const QList<QPair<const char *, QString>> buttons = {{"saveAsButton", "&Salva come..."},
                                                         {"openButton", "A&pri..."},
                                                         {"applyButton", "&Applica"},
                                                         {"okButton", "OK"},
                                                         {"cancelButton", "Annulla"}};
    for (const auto &[name, text] : buttons)
        QCOMPARE(d.findChild<QPushButton *>(name)->text(), text);
}

void TestFilterDialogs::builderRowsAndMenus()
{
    const TableSource source;
    FilterBuilder b(source);
    b.show();
    QTreeWidgetItem *top = b.topLevelItem(0);
    QCOMPARE(top->text(0), QString("Filtra"));
    QCOMPARE(top->text(2), QString("<Gruppo principale>"));
    QCOMPARE(menuTexts(b.rowMenu(top)), QStringList({"Aggiungi una &Condizione", "Aggiungi &Gruppo", "-", "Azzera tutto"}));

    // Through the menu: a nested group, a condition inside it, then away with the group.
    // Rows are made anew after every change: ask for them again each time.
    b.rowMenu(top)->findChild<QAction *>("addGroupAction")->trigger();
    QTRY_VERIFY(b.itemForPath({0}));
    QCOMPARE(b.itemForPath({0})->text(2), QString("<Sottogruppo>"));
    QCOMPARE(menuTexts(b.rowMenu(b.itemForPath({0}))).last(), QString("&Rimuovi Riga"));
    b.rowMenu(b.itemForPath({0}))->findChild<QAction *>("addConditionAction")->trigger();
    QTRY_VERIFY(b.itemForPath({0, 0}));
    QCOMPARE(b.criteria().root().at(0).group().count(), 1);
    QTreeWidgetItem *condition = b.itemForPath({0, 0});
    QCOMPARE(menuTexts(b.rowMenu(condition)).last(), QString("&Rimuovi Riga"));
    // The operator list of a text column, in Italian.
    auto *op = qobject_cast<QComboBox *>(b.itemWidget(condition, 1));
    QCOMPARE(op->itemText(0), QString("e' uguale a"));
    b.rowMenu(b.itemForPath({0}))->findChild<QAction *>("removeRowAction")->trigger();
    QTRY_COMPARE(b.criteria().root().count(), 0);

    b.setCriteria(sample());
    // The range shows its two bounds around "AND".
    QWidget *range = b.itemWidget(b.itemForPath({1, 0}), 2);
    QCOMPARE(range->findChild<QLineEdit *>("conditionValue")->text(), QString("1"));
    QCOMPARE(range->findChild<QLineEdit *>("conditionValue2")->text(), QString("5"));
    QCOMPARE(range->findChild<QLabel *>()->text(), QString("AND"));
    b.rowMenu(b.topLevelItem(0))->findChild<QAction *>("clearAllAction")->trigger();
    QTRY_VERIFY(b.criteria().isEmpty());
}

void TestFilterDialogs::emptyValueTextIsCopiedOnce()
{
    ComponentTexts::clearReplacements();
    const TableSource source;
    FilterBuilder early(source);
    installComponentTexts();
    FilterBuilder late(source);
    QCOMPARE(early.emptyValueText(), QString("<empty>"));
    QCOMPARE(late.emptyValueText(), QString("<vuoto>"));
    early.addCondition({});
    QTRY_VERIFY(early.itemForPath({0}) && early.itemWidget(early.itemForPath({0}), 2));
    QCOMPARE(early.itemWidget(early.itemForPath({0}), 2)->findChild<QLineEdit *>()->placeholderText(), QString("<empty>"));
}

void TestFilterDialogs::fileDialogsAsked()
{
    const TableSource source;
    FilterBuilderDialog d(source);
    Chooser chooser; // answers "cancelled"
    d.setFileChooser(chooser.function());
    QTest::mouseClick(d.findChild<QPushButton *>("openButton"), Qt::LeftButton);
    QTest::mouseClick(d.findChild<QPushButton *>("saveAsButton"), Qt::LeftButton);
    QCOMPARE(chooser.requests.size(), 2);
    const FilterFileRequest open = chooser.requests[0];
    const FilterFileRequest save = chooser.requests[1];
    QCOMPARE(open.mode, FilterFileRequest::Mode::Open);
    QCOMPARE(open.title, QString("Apri un filtro esistente"));
    QCOMPARE(save.mode, FilterFileRequest::Mode::Save);
    QCOMPARE(save.title, QString("Salva in un file il filtro attivo"));
    for (const FilterFileRequest &r : chooser.requests) {
        QCOMPARE(r.nameFilter, QString("Filters ( *.flt )")); // the pattern once
        QCOMPARE(r.defaultSuffix, QString("flt"));
        QCOMPARE(r.fileName, QString("untitled.flt"));
    }
    QCOMPARE(d.windowTitle(), QString("Generazione filtro - [untitled.flt]"));
}

void TestFilterDialogs::saveThenOpenRestoresTheTree()
{
    QTemporaryDir dir;
    const TableSource source;
    FilterBuilderDialog d(source);
    Chooser chooser;
    chooser.answer = dir.filePath("saved.flt");
    d.setFileChooser(chooser.function());
    d.setCriteria(sample());
    QTest::mouseClick(d.findChild<QPushButton *>("saveAsButton"), Qt::LeftButton);
    QVERIFY(QFile::exists(chooser.answer));
    QCOMPARE(d.windowTitle(), QString("Generazione filtro - [saved.flt]"));

    d.builder()->clearAll();
    QTRY_VERIFY(d.criteria().isEmpty());
    QTest::mouseClick(d.findChild<QPushButton *>("openButton"), Qt::LeftButton);
    QCOMPARE(d.criteria(), sample());
    // The tree shows it again: the nested group and its date value.
    QCOMPARE(d.builder()->itemForPath({1})->text(2), QString("<Sottogruppo>"));
    QWidget *date = d.builder()->itemWidget(d.builder()->itemForPath({1, 1}), 2);
    QCOMPARE(date->findChild<QLineEdit *>("conditionValue")->text(), QString("01/03/2024 10:30:00"));
    QCOMPARE(chooser.requests.last().fileName, chooser.answer);
}

void TestFilterDialogs::refusedFileLeavesFilter_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("damaged") << fixture("damaged.flt");
    QTest::newRow("foreign") << fixture("foreign.flt");
    QTest::newRow("missing") << fixture("no-such-file.flt");
}

void TestFilterDialogs::refusedFileLeavesFilter()
{
    QFETCH(QString, file);
    ErrorBoxes errors;
    const TableSource source;
    FilterBuilderDialog d(source);
    Chooser chooser;
    chooser.answer = file;
    d.setFileChooser(chooser.function());
    d.setCriteria(sample());
    QTest::mouseClick(d.findChild<QPushButton *>("openButton"), Qt::LeftButton);
    QCOMPARE(errors.shown.size(), 1);
    QVERIFY2(errors.shown.first().contains(QFileInfo(file).fileName()), qPrintable(errors.shown.first()));
    QCOMPARE(d.criteria(), sample());
    QCOMPARE(d.windowTitle(), QString("Generazione filtro - [untitled.flt]"));
}

void TestFilterDialogs::applyRefusesInvalidValue()
{
    ErrorBoxes errors;
    const TableSource source;
    FilterBuilderDialog d(source);
    QSignalSpy applied(&d, &FilterBuilderDialog::applied);
    FilterCriteria bad;
    bad.root().addCondition(FilterCondition(TableSource::Numero, FilterOperator::Equal, {FilterValue("abc", "abc")}));
    d.setCriteria(bad);
    d.show();
    QTest::mouseClick(d.findChild<QPushButton *>("okButton"), Qt::LeftButton);
    QCOMPARE(applied.count(), 0);
    QVERIFY(d.isVisible());
    QCOMPARE(errors.shown, QStringList{"Valore non valido."});

    // Typed right, it goes through.
    QLineEdit *value = d.builder()->itemWidget(d.builder()->itemForPath({0}), 2)->findChild<QLineEdit *>();
    value->selectAll();
    QTest::keyClicks(value, "42");
    QTest::mouseClick(d.findChild<QPushButton *>("applyButton"), Qt::LeftButton);
    QCOMPARE(applied.count(), 1);
    const FilterCriteria sent = applied.first().first().value<FilterCriteria>();
    QCOMPARE(sent.root().at(0).condition().value().value().toString(), QString("42"));
}

void TestFilterDialogs::customDialogOperatorsFitTheColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::newRow("text") << int(TableSource::Nome);
    QTest::newRow("date") << int(TableSource::Data);
    QTest::newRow("number") << int(TableSource::Numero);
}

void TestFilterDialogs::customDialogOperatorsFitTheColumn()
{
    QFETCH(int, column);
    const TableSource source;
    FilterCustomDialog d(source, column);
    const FilterFieldKind kind = source.kind(column);
    QVERIFY(!d.offeredOperators().isEmpty());
    for (FilterOperator op : d.offeredOperators()) {
        QVERIFY(FilterOperators::appliesTo(op, kind));
        QVERIFY(FilterOperators::valueCount(op) == 0 || FilterOperators::valueCount(op) == 1);
    }
    auto *second = d.findChild<QComboBox *>("operator2");
    QCOMPARE(second->count(), d.offeredOperators().size() + 1);
    QCOMPARE(second->currentText(), QString()); // no second condition until one is chosen
    QCOMPARE(d.conditions().size(), 1);
    QCOMPARE(d.conditions().first().filterOperator(), FilterOperator::Equal);
}

QTEST_MAIN(TestFilterDialogs)
#include "tst_filterdialogs.moc"
