#include "TestTable.h"

#include "platform/editors/Beep.h"
#include "platform/editors/DBComboBox.h"
#include "tests/support/TypedText.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

namespace {

struct Box
{
    DBComboBox combo;
    explicit Box(TestTable &t)
    {
        combo.addItems({QStringLiteral("N"), QStringLiteral("E")});
        combo.setDataSource(&t.source);
        combo.setDataField(QStringLiteral("Status"));
    }
};

} // namespace

class TestDBComboBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reportsEveryChangeOfTheShownText();
    void reportsNothingWhenTheTextStaysTheSame();
    void setItemIndexChangesOnlyTheShownText();
    void setItemIndexIsSavedWithAnEditOfTheRecord_data();
    void setItemIndexIsSavedWithAnEditOfTheRecord();
    void setItemIndexToTheShownItemDoesNothing();
    void setItemIndexOverAnotherCaseShowsTheItem();
    void mousePickFromTheList();
    void itemIndexIgnoresLetterCase_data();
    void itemIndexIgnoresLetterCase();
    void typedTextIsTheItemsOwn_data();
    void typedTextIsTheItemsOwn();
    void aLetterTypedReplacesTheShownOne_data();
    void aLetterTypedReplacesTheShownOne();
    void takesOnlyWhatTheCodePageHolds();
    void keyboardPickIsWrittenOnPost();
    void aRuleResettingAForeignValueRunsAgainAtOnce();
    void anEmptyTableGetsNoRecordFromSetItemIndex();
};

void TestDBComboBox::reportsEveryChangeOfTheShownText()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    t.add(QStringLiteral("B"), QStringLiteral("E"));
    Box b(t);
    QSignalSpy spy(&b.combo, &DBComboBox::changed);
    QCOMPARE(b.combo.shownText(), QStringLiteral("E"));

    t.table.prior();                                  // move
    QCOMPARE(b.combo.shownText(), QStringLiteral("N"));
    QCOMPARE(spy.count(), 1);
    t.table.append();                                 // a new record shows empty
    QCOMPARE(spy.count(), 2);
    t.status->setAsString(QStringLiteral("E"));       // set elsewhere
    QCOMPARE(spy.count(), 3);
    t.table.cancel();                                 // back to the last record, "E"
    QCOMPARE(b.combo.shownText(), QStringLiteral("E"));
    QCOMPARE(spy.count(), 3);
    t.table.edit();
    t.status->setAsString(QStringLiteral("N"));
    QCOMPARE(spy.count(), 4);
    t.table.cancel();                                 // the change is dropped
    QCOMPARE(b.combo.shownText(), QStringLiteral("E"));
    QCOMPARE(spy.count(), 5);
    t.table.remove();                                 // the "N" record becomes current
    QCOMPARE(b.combo.shownText(), QStringLiteral("N"));
    QCOMPARE(spy.count(), 6);
}

void TestDBComboBox::reportsNothingWhenTheTextStaysTheSame()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    t.add(QStringLiteral("B"), QStringLiteral("N"));
    Box b(t);
    QSignalSpy spy(&b.combo, &DBComboBox::changed);
    t.table.prior();
    t.table.refresh();
    t.table.edit();
    t.name->setAsString(QStringLiteral("OTHER"));
    t.table.post();
    QCOMPARE(spy.count(), 0);
}

void TestDBComboBox::setItemIndexChangesOnlyTheShownText()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    t.add(QStringLiteral("B"), QStringLiteral("N"));
    Box b(t);
    QSignalSpy spy(&b.combo, &DBComboBox::changed);
    b.combo.setItemIndex(1);
    QCOMPARE(b.combo.shownText(), QStringLiteral("E"));
    QCOMPARE(b.combo.itemIndex(), 1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(t.table.state(), MemTable::State::Browse);
    t.table.prior();                                   // shown anew: nothing is owed to B
    t.table.next();
    QCOMPARE(b.combo.shownText(), QStringLiteral("N"));
    QCOMPARE(t.table.state(), MemTable::State::Browse);
    QCOMPARE(t.status->asString(), QStringLiteral("N"));
    QCOMPARE(t.table.changeCount(), quint64(2));
}

void TestDBComboBox::setItemIndexIsSavedWithAnEditOfTheRecord_data()
{
    QTest::addColumn<bool>("editFirst");
    QTest::newRow("set while browsing, then edited") << false;
    QTest::newRow("set while editing") << true;
}

void TestDBComboBox::setItemIndexIsSavedWithAnEditOfTheRecord()
{
    QFETCH(bool, editFirst);
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    Box b(t);
    if (editFirst)
        t.table.edit();
    b.combo.setItemIndex(1);
    if (!editFirst)
        t.table.edit();
    QCOMPARE(t.status->asString(), QStringLiteral("N"));   // written when the record is posted
    t.table.post();
    QCOMPARE(t.status->asString(), QStringLiteral("E"));
    QCOMPARE(b.combo.shownText(), QStringLiteral("E"));
}

void TestDBComboBox::setItemIndexToTheShownItemDoesNothing()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    Box b(t);
    QSignalSpy spy(&b.combo, &DBComboBox::changed);
    b.combo.setItemIndex(0);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(t.table.state(), MemTable::State::Browse);
}

void TestDBComboBox::setItemIndexOverAnotherCaseShowsTheItem()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("e"));
    Box b(t);
    QCOMPARE(b.combo.itemIndex(), 1);
    QSignalSpy spy(&b.combo, &DBComboBox::changed);
    b.combo.setItemIndex(1);
    QCOMPARE(b.combo.shownText(), QStringLiteral("E"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(t.table.state(), MemTable::State::Browse);
    t.table.edit();
    t.table.post();
    QCOMPARE(t.status->asString(), QStringLiteral("E"));
}

void TestDBComboBox::mousePickFromTheList()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    t.add(QStringLiteral("B"), QStringLiteral("E"));
    Box b(t);
    b.combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b.combo));
    t.table.prior();                                   // shows "N"; the list last held "E"
    QSignalSpy spy(&b.combo, &DBComboBox::changed);
    b.combo.showPopup();
    QAbstractItemView *view = b.combo.view();
    QTRY_VERIFY(view->isVisible());
    const QRect cell = view->visualRect(view->model()->index(0, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(b.combo.shownText(), QStringLiteral("N"));
    QCOMPARE(spy.count(), 0);                          // the text stayed what it was
    QCOMPARE(t.table.state(), MemTable::State::Browse);

    b.combo.showPopup();
    QTRY_VERIFY(view->isVisible());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->visualRect(view->model()->index(1, 0)).center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(b.combo.shownText(), QStringLiteral("E"));
    QCOMPARE(spy.count(), 1);
    t.table.post();
    QCOMPARE(t.status->asString(), QStringLiteral("E"));
}

void TestDBComboBox::itemIndexIgnoresLetterCase_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("index");
    QTest::newRow("lower e") << QStringLiteral("e") << 1;
    QTest::newRow("upper E") << QStringLiteral("E") << 1;
    QTest::newRow("lower n") << QStringLiteral("n") << 0;
    QTest::newRow("foreign") << QStringLiteral("x") << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestDBComboBox::itemIndexIgnoresLetterCase()
{
    QFETCH(QString, stored);
    QFETCH(int, index);
    TestTable t;
    t.add(QStringLiteral("A"), stored);
    Box b(t);
    QCOMPARE(b.combo.shownText(), stored);             // the field's value is shown as it is
    QCOMPARE(b.combo.itemIndex(), index);
}

void TestDBComboBox::typedTextIsTheItemsOwn_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("index");
    QTest::newRow("lower e") << QStringLiteral("e") << QStringLiteral("E") << 1;
    QTest::newRow("upper E") << QStringLiteral("E") << QStringLiteral("E") << 1;
    QTest::newRow("lower n") << QStringLiteral("n") << QStringLiteral("N") << 0;
    QTest::newRow("foreign") << QStringLiteral("x") << QStringLiteral("x") << -1;
    QTest::newRow("one letter: the last typed") << QStringLiteral("en") << QStringLiteral("N") << 0;
    QTest::newRow("a base letter") << QStringLiteral("\u0117") << QStringLiteral("E") << 1;   // ė
}

void TestDBComboBox::typedTextIsTheItemsOwn()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, index);
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    Box b(t);
    QSignalSpy spy(&b.combo, &DBComboBox::changed);
    QStringList reported;
    connect(&b.combo, &DBComboBox::changed, &b.combo, [&] { reported << b.combo.shownText(); });
    b.combo.lineEdit()->selectAll();
    typeText(b.combo.lineEdit(), typed);
    QCOMPARE(b.combo.shownText(), shown);
    QCOMPARE(b.combo.itemIndex(), index);
    for (const QString &r : std::as_const(reported)) {
        if (index >= 0)                                // an item is never shown in another case
            QCOMPARE(r, r.toUpper());
    }
    QCOMPARE(t.table.state(), MemTable::State::Edit);       // the user typed
    t.table.post();
    QCOMPARE(t.status->asString(), shown);
}

void TestDBComboBox::aLetterTypedReplacesTheShownOne_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("paste");
    QTest::newRow("E over N") << QStringLiteral("E") << QStringLiteral("E") << false;
    QTest::newRow("e over N") << QStringLiteral("e") << QStringLiteral("E") << false;
    QTest::newRow("N over N") << QStringLiteral("N") << QStringLiteral("N") << false;
    QTest::newRow("E pasted over N") << QStringLiteral("E") << QStringLiteral("E") << true;
}

void TestDBComboBox::aLetterTypedReplacesTheShownOne()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, paste);
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    Box b(t);
    QCOMPARE(b.combo.lineEdit()->maxLength(), 1);      // the field's width
    b.combo.lineEdit()->end(false);                    // the cursor behind the shown letter
    if (paste) {
        QGuiApplication::clipboard()->setText(typed);
        QTest::keyClick(b.combo.lineEdit(), Qt::Key_V, Qt::ControlModifier);
    } else {
        typeText(b.combo.lineEdit(), typed);
    }
    QCOMPARE(b.combo.shownText(), shown);
    t.table.post();
    QCOMPARE(t.status->asString(), shown);
}

void TestDBComboBox::takesOnlyWhatTheCodePageHolds()
{
    int heard = 0;
    Beep::setListener([&heard] { ++heard; });
    const auto quiet = qScopeGuard([] { Beep::setListener({}); });
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    Box b(t);
    b.combo.lineEdit()->selectAll();
    typeText(b.combo.lineEdit(), QStringLiteral("\u03A9"));   // Ω: no base letter in the code page
    QCOMPARE(b.combo.shownText(), QString());
    QCOMPARE(heard, 1);
}

void TestDBComboBox::keyboardPickIsWrittenOnPost()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    t.add(QStringLiteral("B"), QStringLiteral("E"));
    Box b(t);
    t.table.prior();                                   // now "N", the list still on what it showed
    QTest::keyClick(&b.combo, Qt::Key_Down);
    QCOMPARE(b.combo.shownText(), QStringLiteral("E"));
    t.table.post();
    QCOMPARE(t.status->asString(), QStringLiteral("E"));
    QCOMPARE(t.name->asString(), QStringLiteral("A"));
}

void TestDBComboBox::aRuleResettingAForeignValueRunsAgainAtOnce()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("X"));   // a foreign value, as a hand-edited file holds
    t.add(QStringLiteral("B"), QStringLiteral("N"));
    Box b(t);
    QStringList seen;
    QObject::connect(&b.combo, &DBComboBox::changed, &b.combo, [&] {
        seen << b.combo.shownText();
        if (b.combo.itemIndex() < 0)
            b.combo.setItemIndex(0);
    });
    t.table.prior();                                   // moving onto it
    QCOMPARE(seen, QStringList({QStringLiteral("X"), QStringLiteral("N")}));
    QCOMPARE(t.table.state(), MemTable::State::Browse);  // the rule changed what is shown, not the record
    t.table.next();
    t.table.prior();
    QCOMPARE(t.status->asString(), QStringLiteral("X"));
    QCOMPARE(t.table.changeCount(), quint64(2));
}

void TestDBComboBox::anEmptyTableGetsNoRecordFromSetItemIndex()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    Box b(t);
    t.table.remove();
    QCOMPARE(b.combo.shownText(), QString());
    b.combo.setItemIndex(0);
    QCOMPARE(b.combo.shownText(), QStringLiteral("N"));
    QCOMPARE(t.table.state(), MemTable::State::Browse);
    QCOMPARE(t.table.recordCount(), 0);
}

QTEST_MAIN(TestDBComboBox)
#include "tst_dbcombobox.moc"
