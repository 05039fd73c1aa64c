#include "TestTable.h"

#include "platform/editors/DBDateEdit.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/memdata/DataError.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

namespace {

const QDateTime Morning(QDate(2024, 3, 25), QTime(9, 15, 30, 250));

struct DateWindow
{
    QWidget window;
    DBDateEdit *date;
    QLineEdit *other;

    DateWindow(TestTable &t, DBDateEdit::Kind kind)
    {
        auto *layout = new QVBoxLayout(&window);
        date = new DBDateEdit(&window);
        other = new QLineEdit(&window);
        layout->addWidget(date);
        layout->addWidget(other);
        date->setKind(kind);
        date->setDataSource(&t.source);
        date->setDataField(QStringLiteral("When"));
    }
};

void typeOver(DBDateEdit *edit, const QString &digits)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->home(false);
    QTest::keyClicks(edit, digits);
}

} // namespace

class TestDBDateEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { MessageBoxes::setAnswerer({}); }
    void showsTheFieldInTheMask_data();
    void showsTheFieldInTheMask();
    void typedDigitsAreWrittenOnPost_data();
    void typedDigitsAreWrittenOnPost();
    void lettersDoNotGetIn();
    void followsTheTablesFormats_data();
    void followsTheTablesFormats();
    void aTextThatIsNotADateIsRefused();
    void aTextThatIsNotADateFailsThePost();
    void theCalendarHasOneButton_data();
    void theCalendarHasOneButton();
    void nowTakesDateAndTime();
    void todayTakesTheDateAlone();
    void aPickedDateOfADateBoxHasNoTime();
};

void TestDBDateEdit::showsTheFieldInTheMask_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("shown");
    QTest::newRow("date and time") << int(DBDateEdit::Kind::DateTime) << QStringLiteral("25/03/2024 09:15:30");
    QTest::newRow("date only") << int(DBDateEdit::Kind::Date) << QStringLiteral("25/03/2024");
}

void TestDBDateEdit::showsTheFieldInTheMask()
{
    QFETCH(int, kind);
    QFETCH(QString, shown);
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"), Morning);
    t.add(QStringLiteral("B"), QStringLiteral("N"));
    DateWindow w(t, DBDateEdit::Kind(kind));
    QVERIFY(!w.date->inputMask().isEmpty());
    QVERIFY(!w.date->displayText().contains(u'2'));    // the empty date of B
    t.table.prior();
    QCOMPARE(w.date->displayText(), shown);
}

void TestDBDateEdit::typedDigitsAreWrittenOnPost_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QDateTime>("stored");
    QTest::newRow("date and time") << int(DBDateEdit::Kind::DateTime) << QStringLiteral("01022025143005")
                                   << QDateTime(QDate(2025, 2, 1), QTime(14, 30, 5));
    QTest::newRow("date, no time typed") << int(DBDateEdit::Kind::DateTime) << QStringLiteral("01022025")
                                         << QDateTime(QDate(2025, 2, 1), QTime(0, 0));
    QTest::newRow("date only") << int(DBDateEdit::Kind::Date) << QStringLiteral("01022025")
                               << QDateTime(QDate(2025, 2, 1), QTime(0, 0));
}

void TestDBDateEdit::typedDigitsAreWrittenOnPost()
{
    QFETCH(int, kind);
    QFETCH(QString, digits);
    QFETCH(QDateTime, stored);
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"), Morning);
    DateWindow w(t, DBDateEdit::Kind(kind));
    typeOver(w.date, digits);
    QCOMPARE(t.table.state(), MemTable::State::Edit);
    t.table.post();
    QCOMPARE(t.when->asDateTime(), stored);
}

void TestDBDateEdit::lettersDoNotGetIn()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"), Morning);
    DateWindow w(t, DBDateEdit::Kind::Date);
    typeOver(w.date, QStringLiteral("ab01c02d2025"));
    QCOMPARE(w.date->displayText(), QStringLiteral("01/02/2025"));
}

void TestDBDateEdit::followsTheTablesFormats_data()
{
    QTest::addColumn<QString>("dateFormat");
    QTest::addColumn<QString>("timeFormat");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDateTime>("stored");
    QTest::newRow("iso") << QStringLiteral("yyyy-MM-dd") << QStringLiteral("HH.mm.ss")
                         << QStringLiteral("2024-03-25 09.15.30") << QStringLiteral("20250201143005")
                         << QDateTime(QDate(2025, 2, 1), QTime(14, 30, 5));
    QTest::newRow("short parts") << QStringLiteral("d.M.yy") << QStringLiteral("H:mm:ss")
                                 << QStringLiteral("25.03.2024 09:15:30") << QStringLiteral("01022049000000")
                                 << QDateTime(QDate(2049, 2, 1), QTime(0, 0));
    QTest::newRow("twelve-hour clock, unmasked") << QStringLiteral("M/d/yyyy") << QStringLiteral("h:mm:ss AP")
                                                 << QStringLiteral("3/25/2024 9:15:30 AM") << QStringLiteral("2/1/2025 2:30:05 PM")
                                                 << QDateTime(QDate(2025, 2, 1), QTime(14, 30, 5));
}

void TestDBDateEdit::followsTheTablesFormats()
{
    QFETCH(QString, dateFormat);
    QFETCH(QString, timeFormat);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(QDateTime, stored);
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"), Morning);
    DateWindow w(t, DBDateEdit::Kind::DateTime);
    t.table.setRegionalSettings(RegionalSettings(dateFormat, timeFormat));
    t.table.refresh();
    QCOMPARE(w.date->displayText(), shown);
    if (w.date->inputMask().isEmpty()) {
        w.date->selectAll();
        QTest::keyClicks(w.date, typed);
    } else {
        typeOver(w.date, typed);
    }
    t.table.post();
    QCOMPARE(t.when->asDateTime(), stored);
}

void TestDBDateEdit::aTextThatIsNotADateIsRefused()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"), Morning);
    DateWindow w(t, DBDateEdit::Kind::DateTime);
    QStringList shown;
    MessageBoxes::setAnswerer([&](MessageBoxes::Kind kind, const QString &, const QString &text) {
        if (kind == MessageBoxes::Kind::Error)
            shown << text;
        return MessageBoxes::Answer::Ok;
    });
    w.window.show();
    w.window.activateWindow();
    if (!QTest::qWaitForWindowActive(&w.window))
        QSKIP("the platform gives no active window");
    w.date->setFocus();
    QTRY_VERIFY(w.date->hasFocus());
    typeOver(w.date, QStringLiteral("31022024"));      // no 31 February
    w.other->setFocus();
    QTRY_VERIFY(w.other->hasFocus());
    QCOMPARE(shown, QStringList(QStringLiteral("Invalid Date.")));
    QCOMPARE(t.when->asDateTime(), Morning);
    QCOMPARE(w.date->displayText(), QStringLiteral("25/03/2024 09:15:30"));
    QVERIFY(!w.date->isModified());
}

void TestDBDateEdit::aTextThatIsNotADateFailsThePost()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"), Morning);
    DateWindow w(t, DBDateEdit::Kind::DateTime);
    typeOver(w.date, QStringLiteral("0102"));           // half a date
    QVERIFY_THROWS_EXCEPTION(DataError, t.table.post());
    QCOMPARE(t.table.state(), MemTable::State::Edit);
}

void TestDBDateEdit::theCalendarHasOneButton_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("button");
    QTest::newRow("date and time") << int(DBDateEdit::Kind::DateTime) << QStringLiteral("Now");
    QTest::newRow("date only") << int(DBDateEdit::Kind::Date) << QStringLiteral("Today");
}

void TestDBDateEdit::theCalendarHasOneButton()
{
    QFETCH(int, kind);
    QFETCH(QString, button);
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"), Morning);
    DateWindow w(t, DBDateEdit::Kind(kind));
    w.window.show();
    QTest::keyClick(w.date, Qt::Key_F4);
    QVERIFY(w.date->popup()->isVisible());
    const QList<QPushButton *> buttons = w.date->popup()->findChildren<QPushButton *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(buttons.front()->text(), button);
    QCOMPARE(w.date->calendar()->selectedDate(), Morning.date());
    w.date->hidePopup();
}

void TestDBDateEdit::nowTakesDateAndTime()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"), Morning);
    DateWindow w(t, DBDateEdit::Kind::DateTime);
    w.window.show();
    w.date->showPopup();
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    QTest::mouseClick(w.date->popupButton(), Qt::LeftButton);
    QVERIFY(!w.date->popup()->isVisible());
    t.table.post();
    const QDateTime stored = t.when->asDateTime();
    QVERIFY(stored >= before);
    QVERIFY(stored <= QDateTime::currentDateTime());
}

void TestDBDateEdit::todayTakesTheDateAlone()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"), Morning);
    DateWindow w(t, DBDateEdit::Kind::Date);
    w.window.show();
    w.date->showPopup();
    QTest::mouseClick(w.date->popupButton(), Qt::LeftButton);
    t.table.post();
    QCOMPARE(t.when->asDateTime(), QDateTime(QDate::currentDate(), QTime(0, 0)));
}

void TestDBDateEdit::aPickedDateOfADateBoxHasNoTime()
{
    TestTable t;
    t.add(QStringLiteral("A"), QStringLiteral("N"), Morning);
    DateWindow w(t, DBDateEdit::Kind::Date);
    w.window.show();
    w.date->showPopup();
    auto *view = w.date->calendar()->findChild<QTableView *>();
    QVERIFY(view);
    QTest::keyClick(view, Qt::Key_Right);              // the day after
    QTest::keyClick(view, Qt::Key_Return);
    QVERIFY(!w.date->popup()->isVisible());
    t.table.post();
    QCOMPARE(t.when->asDateTime(), QDateTime(QDate(2024, 3, 26), QTime(0, 0)));
}

QTEST_MAIN(TestDBDateEdit)
#include "tst_dbdateedit.moc"
