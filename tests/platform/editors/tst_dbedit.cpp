#include "TestTable.h"

#include "platform/editors/DBEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
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
    QTest::newRow("upper") << int(DBEdit::CharCase::Upper) << QStringLiteral("ab1") << QStringLiteral("cD") << QStringLiteral("AB1CD");
    QTest::newRow("lower") << int(DBEdit::CharCase::Lower) << QStringLiteral("Ab@") << QStringLiteral("X.") << QStringLiteral("ab@x.");
    QTest::newRow("normal") << int(DBEdit::CharCase::Normal) << QStringLiteral("aB") << QStringLiteral("cD") << QStringLiteral("aBcD");
}

void TestDBEdit::convertsTypedAndPastedLetters()
{
    QFETCH(int, charCase);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    TestTable t;
    t.add(QString(), QStringLiteral("N"));
    EditWindow w(t);
    w.edit->setCharCase(DBEdit::CharCase(charCase));
    QTest::keyClicks(w.edit, typed);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(w.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.edit->text(), shown);
    t.table.post();
    QCOMPARE(t.name->asString(), shown);
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
