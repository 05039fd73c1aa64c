#include "TestTable.h"
#include "tests/support/TypedText.h"

#include "platform/editors/Beep.h"
#include "platform/editors/DBEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>
#include <QVBoxLayout>

// A window holding the edit and one more focusable widget, so the edit can be left.
struct EditWindow
{
    QWidget window;
    DBEdit *edit;
    QLineEdit *other;

    explicit EditWindow(TestTable &t)
    {
        auto *layout = new QVBoxLayout(&window);
        edit = new DBEdit(&window);
        other = new QLineEdit(&window);
        layout->addWidget(edit);
        layout->addWidget(other);
        edit->setDataSource(&t.source);
        edit->setDataField(QStringLiteral("name"));
    }

    bool activate()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

class TestDBEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsEveryChangeOfTheRecord();
    void acceptsAtMostTheFieldWidth();
    void convertsTypedAndPastedLetters_data();
    void convertsTypedAndPastedLetters();
    void typingStartsEditingThroughTheDataSource();
    void noAutoEditLeavesTheRecordAlone();
    void writesAtTheLatestOnPost();
    void writesWhenLeft();
    void escapeTakesBackTheTyping();
    void typingIntoAnEmptyTableAddsNoRecord();
};

void TestDBEdit::followsEveryChangeOfTheRecord()
{
    TestTable t;
    t.add(QStringLiteral("ONE"), QStringLiteral("N"));
    t.add(QStringLiteral("TWO"), QStringLiteral("N"));
    EditWindow w(t);
    QCOMPARE(w.edit->text(), QStringLiteral("TWO"));

    t.table.prior();
    QCOMPARE(w.edit->text(), QStringLiteral("ONE"));

    t.table.append();
    QCOMPARE(w.edit->text(), QString());
    t.name->setAsString(QStringLiteral("NEW"));           // set elsewhere
    QCOMPARE(w.edit->text(), QStringLiteral("NEW"));
    t.table.cancel();
    QCOMPARE(w.edit->text(), QStringLiteral("TWO"));

    t.table.edit();
    t.name->setAsString(QStringLiteral("CHANGED"));
    t.table.cancel();
    QCOMPARE(w.edit->text(), QStringLiteral("TWO"));

    t.table.edit();
    t.name->setAsString(QStringLiteral("POSTED"));
    t.table.post();
    QCOMPARE(w.edit->text(), QStringLiteral("POSTED"));

    t.table.remove();
    QCOMPARE(w.edit->text(), QStringLiteral("ONE"));
    t.table.refresh();
    QCOMPARE(w.edit->text(), QStringLiteral("ONE"));
    t.table.remove();
    QCOMPARE(w.edit->text(), QString());
}

void TestDBEdit::acceptsAtMostTheFieldWidth()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"));
    EditWindow w(t);
    QCOMPARE(w.edit->maxLength(), 10);
    w.edit->selectAll();
    QTest::keyClicks(w.edit, QStringLiteral("ABCDEFGHIJKLMN"));
    QCOMPARE(w.edit->text(), QStringLiteral("ABCDEFGHIJ"));
}

void TestDBEdit::convertsTypedAndPastedLetters_data()
{
    QTest::addColumn<int>("charCase");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("beeps");
    const int upper = int(DBEdit::CharCase::Upper);
    const int lower = int(DBEdit::CharCase::Lower);
    const int normal = int(DBEdit::CharCase::Normal);
    QTest::newRow("upper") << upper << QStringLiteral("ab1") << QStringLiteral("cD") << QStringLiteral("AB1CD") << 0;
    QTest::newRow("lower") << lower << QStringLiteral("Ab@") << QStringLiteral("X.") << QStringLiteral("ab@x.") << 0;
    QTest::newRow("normal") << normal << QStringLiteral("aB") << QStringLiteral("cD") << QStringLiteral("aBcD") << 0;
    // Upper case keeps the length and the code page: ß and µ have no capital there, ÿ has.
    QTest::newRow("upper, sharp s") << upper << QStringLiteral("straße") << QStringLiteral(" 5") << QStringLiteral("STRAßE 5") << 0;
    QTest::newRow("upper, micro and y") << upper << QStringLiteral("µÿ") << QStringLiteral("ÿ") << QStringLiteral("µŸŸ") << 0;
    QTest::newRow("lower, Y with diaeresis") << lower << QStringLiteral("Ÿ") << QStringLiteral("ŠŽŒ") << QStringLiteral("ÿšžœ") << 0;
    // Letters the code page lacks become their base letter, typed or pasted.
    QTest::newRow("normal, base letters") << normal << QStringLiteral("Łódź") << QStringLiteral(" Őrség") << QStringLiteral("Lódz Orség") << 0;
    QTest::newRow("upper, base letters") << upper << QStringLiteral("łódź") << QStringLiteral("ő") << QStringLiteral("LÓDZO") << 0;
    QTest::newRow("normal, more base letters") << normal << QStringLiteral("Đđħıŧ") << QStringLiteral("ǖẞ") << QStringLiteral("Ddhitu") << 1;
    // Anything else is refused, each arrival with a beep.
    QTest::newRow("normal, Greek") << normal << QStringLiteral("aΩb") << QStringLiteral("\u03C9c") << QStringLiteral("abc") << 2;
    QTest::newRow("normal, outside the plane") << normal << QStringLiteral("x\U0001F600") << QStringLiteral("\U0001F600y\u2192") << QStringLiteral("xy") << 2;
    QTest::newRow("lower, refused among base letters") << lower << QStringLiteral("Ł\u4E2D") << QStringLiteral("Ź\u4E2DŁ") << QStringLiteral("lzl") << 2;
    QTest::newRow("normal, the code page's own") << normal << QStringLiteral("€‚ƒ„…†‡ˆ‰") << QStringLiteral("«»¿") << QStringLiteral("€‚ƒ„…†‡ˆ‰«»¿") << 0;
}

void TestDBEdit::convertsTypedAndPastedLetters()
{
    QFETCH(int, charCase);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(int, beeps);
    int heard = 0;
    Beep::setListener([&heard] { ++heard; });
    const auto quiet = qScopeGuard([] { Beep::setListener({}); });
    TestTable t;
    t.add(QString(), QStringLiteral("N"));
    EditWindow w(t);
    w.edit->setDataField(QStringLiteral("Note"));
    w.edit->setCharCase(DBEdit::CharCase(charCase));
    typeText(w.edit, typed);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.edit->text(), shown);
    QCOMPARE(heard, beeps);
    t.table.post();
    QCOMPARE(t.note->asString(), shown);
}

void TestDBEdit::typingStartsEditingThroughTheDataSource()
{
    TestTable t;
    t.add(QStringLiteral("OLD"), QStringLiteral("N"));
    EditWindow w(t);
    QCOMPARE(t.table.state(), MemTable::State::Browse);
    QTest::keyClick(w.edit, Qt::Key_X);
    QCOMPARE(t.table.state(), MemTable::State::Edit);
    QVERIFY(w.edit->isModified());
    QCOMPARE(t.name->asString(), QStringLiteral("OLD")); // not written before leaving or posting
}

void TestDBEdit::noAutoEditLeavesTheRecordAlone()
{
    TestTable t;
    t.add(QStringLiteral("OLD"), QStringLiteral("N"));
    t.source.setAutoEdit(false);
    EditWindow w(t);
    QTest::keyClick(w.edit, Qt::Key_X);
    QCOMPARE(t.table.state(), MemTable::State::Browse);
    QVERIFY(!w.edit->isModified());
}

void TestDBEdit::writesAtTheLatestOnPost()
{
    TestTable t;
    t.add(QStringLiteral("OLD"), QStringLiteral("N"));
    EditWindow w(t);
    w.edit->selectAll();
    QTest::keyClicks(w.edit, QStringLiteral("new"));
    t.table.post();
    QCOMPARE(t.table.state(), MemTable::State::Browse);
    QCOMPARE(t.name->asString(), QStringLiteral("new"));
    QVERIFY(!w.edit->isModified());
}

void TestDBEdit::writesWhenLeft()
{
    TestTable t;
    t.add(QStringLiteral("OLD"), QStringLiteral("N"));
    EditWindow w(t);
    if (!w.activate())
        QSKIP("the platform gives no active window");
    w.edit->setFocus();
    QTRY_VERIFY(w.edit->hasFocus());
    w.edit->selectAll();
    QTest::keyClicks(w.edit, QStringLiteral("LEFT"));
    QTest::keyClick(w.edit, Qt::Key_Tab);
    QTRY_VERIFY(w.other->hasFocus());
    QCOMPARE(t.table.state(), MemTable::State::Edit);
    QCOMPARE(t.name->asString(), QStringLiteral("LEFT"));
}

void TestDBEdit::escapeTakesBackTheTyping()
{
    TestTable t;
    t.add(QStringLiteral("OLD"), QStringLiteral("N"));
    EditWindow w(t);
    QTest::keyClicks(w.edit, QStringLiteral("XY"));
    QTest::keyClick(w.edit, Qt::Key_Escape);
    QCOMPARE(w.edit->text(), QStringLiteral("OLD"));
    QVERIFY(!w.edit->isModified());
    t.table.post();
    QCOMPARE(t.name->asString(), QStringLiteral("OLD"));
}

void TestDBEdit::typingIntoAnEmptyTableAddsNoRecord()
{
    TestTable t;
    EditWindow w(t);
    QTest::keyClicks(w.edit, QStringLiteral("ab"));
    QCOMPARE(t.table.state(), MemTable::State::Browse);
    QCOMPARE(t.table.recordCount(), 0);
}

QTEST_MAIN(TestDBEdit)
#include "tst_dbedit.moc"
