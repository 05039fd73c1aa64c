#include "platform/editors/Beep.h"
#include "platform/editors/MemoEdit.h"
#include "tests/support/TypedText.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>

namespace {

// Sees the keys a child leaves to its window.
class KeyWitness : public QWidget
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (!event->text().isEmpty() || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            keys << event->key();
    }
};

} // namespace

class TestMemoEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void takesAtMostItsLengthTyped();
    void takesAtMostItsLengthPasted();
    void enterIsLeftToTheWindow_data();
    void enterIsLeftToTheWindow();
    void pastedLineBreaksStay();
    void textHasCrLfBetweenLines_data();
    void textHasCrLfBetweenLines();
    void hasAVerticalScrollBar();
    void takesOnlyWhatTheCodePageHolds_data();
    void takesOnlyWhatTheCodePageHolds();
};

void TestMemoEdit::takesAtMostItsLengthTyped()
{
    MemoEdit memo;
    memo.setMaxLength(300);
    QTest::keyClicks(&memo, QString(310, u'a'));
    QCOMPARE(memo.text().size(), 300);
}

void TestMemoEdit::takesAtMostItsLengthPasted()
{
    MemoEdit memo;
    memo.setMaxLength(300);
    QTest::keyClicks(&memo, QString(290, u'a'));
    QGuiApplication::clipboard()->setText(QString(20, u'b'));
    QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(memo.text(), QString(290, u'a') + QString(10, u'b'));
    memo.selectAll();
    QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier); // a selection makes room
    QCOMPARE(memo.text(), QString(20, u'b'));
}

void TestMemoEdit::enterIsLeftToTheWindow_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("shift return") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
}

void TestMemoEdit::enterIsLeftToTheWindow()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    KeyWitness window;
    auto *memo = new MemoEdit(&window);
    memo->setMaxLength(300);
    QTest::keyClicks(memo, QStringLiteral("ab"));
    QTest::keyClick(memo, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTest::keyClicks(memo, QStringLiteral("c"));
    QCOMPARE(memo->text(), QStringLiteral("abc"));
    QCOMPARE(window.keys, QList<int>({key}));
}

void TestMemoEdit::pastedLineBreaksStay()
{
    MemoEdit memo;
    memo.setMaxLength(300);
    QGuiApplication::clipboard()->setText(QStringLiteral("one\ntwo"));
    QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(memo.text(), QStringLiteral("one\r\ntwo"));
}

void TestMemoEdit::textHasCrLfBetweenLines_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QStringLiteral("abc") << QStringLiteral("abc");
    QTest::newRow("lf") << QStringLiteral("a\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("cr lf") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("cr") << QStringLiteral("a\rb") << QStringLiteral("a\r\nb");
    QTest::newRow("empty") << QString() << QString();
}

void TestMemoEdit::textHasCrLfBetweenLines()
{
    QFETCH(QString, set);
    QFETCH(QString, text);
    MemoEdit memo;
    memo.setMaxLength(300);
    memo.setText(set);
    QCOMPARE(memo.text(), text);
}

void TestMemoEdit::hasAVerticalScrollBar()
{
    MemoEdit memo;
    QCOMPARE(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(memo.tabChangesFocus());
}

void TestMemoEdit::takesOnlyWhatTheCodePageHolds_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");
    QTest::newRow("base letters") << QStringLiteral("Łódź") << QStringLiteral(" Őrség") << QStringLiteral("Lódz Orség") << 0;
    QTest::newRow("refused") << QStringLiteral("aΩ") << QStringLiteral("\U0001F600b\nç") << QStringLiteral("ab\r\nç") << 2;
    QTest::newRow("no letter to keep") << QStringLiteral("\u4E2D") << QStringLiteral("\u2192") << QString() << 2;
}

void TestMemoEdit::takesOnlyWhatTheCodePageHolds()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, text);
    QFETCH(int, beeps);
    int heard = 0;
    Beep::setListener([&heard] { ++heard; });
    const auto quiet = qScopeGuard([] { Beep::setListener({}); });
    MemoEdit memo;
    memo.setMaxLength(300);
    typeText(&memo, typed);
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(memo.text(), text);
    QCOMPARE(heard, beeps);

    // Without a length limit too.
    memo.setMaxLength(0);
    memo.setText(QString());
    heard = 0;
    typeText(&memo, typed);
    QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(memo.text(), text);
    QCOMPARE(heard, beeps);
}

QTEST_MAIN(TestMemoEdit)
#include "tst_memoedit.moc"
