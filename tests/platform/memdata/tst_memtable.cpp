#include "platform/memdata/DataError.h"
#include "platform/memdata/DataLink.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/DateTimeKey.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QTest>
#include <memory>

namespace {

// Writes down what a view is told, and can hold a value of its own to write on update.
class Recorder : public DataLink
{
public:
    QStringList log;
    MemField *pendingField = nullptr;
    QString pendingValue;

protected:
    void activeChanged() override { log << "active"; }
    void dataSetChanged() override { log << "dataset"; }
    void dataSetScrolled() override { log << "scrolled"; }
    void recordChanged(const MemField *f) override { log << (f ? "field:" + f->fieldName() : QString("record")); }
    void stateChanged() override { log << "state"; }
    void updateRecord() override
    {
        log << "update";
        if (pendingField) {
            pendingField->setAsString(pendingValue);
            pendingField = nullptr;
        }
    }
    void recordInserted(int p) override { log << QString("inserted:%1").arg(p); }
    void recordRemoved(int p, unsigned) override { log << QString("removed:%1").arg(p); }
    void recordUpdated(int p) override { log << QString("updated:%1").arg(p); }
};

struct Fixture {
    MemTable table;
    MemField *name;
    MemField *prov;
    MemField *when;
    MemField *num;
    Fixture()
    {
        table.setObjectName("T");
        name = table.addField("Name", FieldKind::Text, 70);
        prov = table.addField("Prov", FieldKind::Text, 2);
        when = table.addField("When", FieldKind::DateTime);
        num = table.addField("Num", FieldKind::Text, 20);
        table.setIndexField(num);
        table.open();
    }
    void add(const QString &n, const QString &number = QString())
    {
        table.append();
        name->setAsString(n);
        if (!number.isEmpty())
            num->setAsString(number);
        table.post();
    }
    QStringList names()
    {
        QStringList out;
        for (quint32 id : table.recordOrder())
            out << table.text(id, name);
        return out;
    }
};

} // namespace

class tst_MemTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void recIdNumbering();
    void cancelledInsertLeavesNoTrace();
    void textIsCutAndCleaned_data();
    void textIsCutAndCleaned();
    void dateTimeKeepsMilliseconds();
    void unreadableDateIsRefused();
    void appendSavesOrDropsPending();
    void deleteMovesToFollowing();
    void deleteWhileInsertingCancels();
    void deleteOnEmptyIsRefused();
    void editOnEmptyInserts();
    void settingRequiresEditing();
    void bookmarks();
    void walkInOrder();
    void fieldsByName();
    void locateByIndex();
    void afterInsertAndEventsOff();
    void viewsAreTold();
    void updateRecordComesBeforePost();
    void suspendedViewsGetOneRefresh();
    void closeDropsEverything();
};

void tst_MemTable::recIdNumbering()
{
    Fixture f;
    f.add("a");
    f.add("b");
    f.add("c");
    QCOMPARE(f.table.recordOrder(), (std::vector<quint32>{1, 2, 3}));
    f.table.last();
    QCOMPARE(f.table.recIdField()->asInteger(), 3);
    f.table.remove();
    f.table.append();
    QCOMPARE(f.table.recIdField()->asInteger(), 4); // a deleted number is not given again
    f.table.post();
    QCOMPARE(f.table.recIdField()->asInteger(), 4);
    QCOMPARE(f.table.fieldByName("recid")->asString(), QString("4"));
}

void tst_MemTable::cancelledInsertLeavesNoTrace()
{
    Fixture f;
    f.add("a");
    f.table.append();
    f.name->setAsString("dropped");
    QCOMPARE(f.table.recordCount(), 1); // a pending new record does not count
    f.table.cancel();
    QCOMPARE(f.table.recordCount(), 1);
    QCOMPARE(f.names(), QStringList{"a"});
    QCOMPARE(f.name->asString(), QString("a"));
    f.add("b");
    QCOMPARE(f.table.recIdField()->asInteger(), 2);
}

void tst_MemTable::textIsCutAndCleaned_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("stored");
    QTest::newRow("as given") << "Ditta Esempio" << "Ditta Esempio";
    QTest::newRow("blanks kept") << "  x  " << "  x  ";
    QTest::newRow("tab") << "a\tb" << "a b";
    QTest::newRow("lf") << "a\nb" << "a b";
    QTest::newRow("cr") << "a\rb" << "a b";
    QTest::newRow("crlf is one blank") << "a\r\nb" << "a b";
    QTest::newRow("lf cr is two") << "a\n\rb" << "a  b";
    QTest::newRow("nul dropped") << QString("a") + QChar(0) + "b" << "ab";
    QTest::newRow("euro in the code page") << QString::fromUtf8("5 €") << QString::fromUtf8("5 €");
    QTest::newRow("accents") << QString::fromUtf8("Società Forlì") << QString::fromUtf8("Società Forlì");
    QTest::newRow("outside the code page") << QString::fromUtf8("Ωmega") << "?mega";
    QTest::newRow("surrogate pair is one character") << QString::fromUtf8("a😀b") << "a?b";
    QTest::newRow("cut to 70") << QString(80, 'x') << QString(70, 'x');
    QTest::newRow("cut after cleaning") << QString(69, 'x') + "\r\nyz" << QString(69, 'x') + " ";
}

void tst_MemTable::textIsCutAndCleaned()
{
    QFETCH(QString, input);
    Fixture f;
    f.table.append();
    f.name->setAsString(input);
    f.table.post();
    QTEST(f.name->asString(), "stored");
    QTEST(f.table.text(f.table.currentRecordId(), f.name), "stored");
}

void tst_MemTable::dateTimeKeepsMilliseconds()
{
    Fixture f;
    f.table.append();
    f.prov->setAsString("ABC");
    const QDateTime t(QDate(2024, 3, 25), QTime(9, 15, 30, 250));
    f.when->setAsDateTime(t);
    f.table.post();
    QCOMPARE(f.prov->asString(), QString("AB"));
    QCOMPARE(f.when->asDateTime(), t);
    QCOMPARE(f.when->asString(), QString("25/03/2024 09:15:30"));
    f.table.edit();
    f.when->setAsString("25/03/2024");
    f.table.post();
    QCOMPARE(f.when->asDateTime().time(), QTime(0, 0));
    QCOMPARE(f.when->asString(), QString("25/03/2024"));
    f.table.edit();
    f.when->setAsString(QString());
    QVERIFY(f.when->isNull());
    QCOMPARE(f.when->asString(), QString());
}

void tst_MemTable::unreadableDateIsRefused()
{
    Fixture f;
    f.table.append();
    f.when->setAsString("01/02/2024 10:00:00");
    try {
        f.when->setAsString("31/02/2024");
        QFAIL("accepted an impossible date");
    } catch (const DataError &e) {
        QCOMPARE(e.message(), QString("'31/02/2024' is not a valid date and time"));
    }
    QCOMPARE(f.when->asString(), QString("01/02/2024 10:00:00")); // the field keeps its value
}

void tst_MemTable::appendSavesOrDropsPending()
{
    Fixture f;
    f.add("a");
    f.table.edit();
    f.name->setAsString("changed");
    f.table.append(); // saves the modified edit first
    QCOMPARE(f.names(), QStringList{"changed"});
    f.table.append(); // the unmodified new record is dropped
    QCOMPARE(f.table.recordCount(), 1);
    f.name->setAsString("b");
    f.table.append(); // the modified new record is posted
    QCOMPARE(f.names(), (QStringList{"changed", "b"}));
    QCOMPARE(f.table.state(), MemTable::State::Insert);
    f.table.refresh(); // refresh drops the unmodified pending one too
    QCOMPARE(f.table.state(), MemTable::State::Browse);
    QCOMPARE(f.table.recordCount(), 2);
    QCOMPARE(f.name->asString(), QString("b"));
    f.table.post(); // with nothing pending, nothing happens
    f.table.cancel();
    QCOMPARE(f.table.recordCount(), 2);
}

void tst_MemTable::deleteMovesToFollowing()
{
    Fixture f;
    for (const char *n : {"a", "b", "c", "d"})
        f.add(n);
    f.table.moveTo(1);
    f.table.remove();
    QCOMPARE(f.name->asString(), QString("c"));
    QCOMPARE(f.names(), (QStringList{"a", "c", "d"}));
    f.table.last();
    f.table.remove();
    QCOMPARE(f.name->asString(), QString("c")); // the new last one
    f.table.first();
    f.table.edit();
    f.name->setAsString("x");
    f.table.remove(); // deleting while editing drops the changes with the record
    QCOMPARE(f.table.state(), MemTable::State::Browse);
    QCOMPARE(f.names(), QStringList{"c"});
}

void tst_MemTable::deleteWhileInsertingCancels()
{
    Fixture f;
    f.add("a");
    f.table.append();
    f.name->setAsString("new");
    f.table.remove();
    QCOMPARE(f.names(), QStringList{"a"});
    QCOMPARE(f.table.state(), MemTable::State::Browse);
}

void tst_MemTable::deleteOnEmptyIsRefused()
{
    Fixture f;
    try {
        f.table.remove();
        QFAIL("deleted from an empty table");
    } catch (const DataError &e) {
        QCOMPARE(e.message(), QString("Cannot perform this operation on an empty dataset"));
    }
}

void tst_MemTable::editOnEmptyInserts()
{
    Fixture f;
    f.table.edit();
    QCOMPARE(f.table.state(), MemTable::State::Insert);
}

void tst_MemTable::settingRequiresEditing()
{
    Fixture f;
    f.add("a");
    QVERIFY_THROWS_EXCEPTION(DataError, f.name->setAsString("x"));
    f.table.edit();
    QVERIFY_THROWS_EXCEPTION(DataError, f.table.recIdField()->setAsInteger(9));
    QVERIFY_THROWS_EXCEPTION(DataError, f.name->setAsDateTimeKey(0));
}

void tst_MemTable::bookmarks()
{
    Fixture f;
    QCOMPARE(f.table.recordCount(), 0);
    const Bookmark empty = f.table.bookmark();
    QVERIFY(empty.isEmpty());
    f.table.gotoBookmark(empty); // does nothing
    for (const char *n : {"a", "b", "c"})
        f.add(n);
    f.table.moveTo(1);
    const Bookmark b = f.table.bookmark();
    f.table.first();
    f.table.remove(); // positions shift, the bookmark holds
    f.table.last();
    f.table.gotoBookmark(b);
    QCOMPARE(f.name->asString(), QString("b"));
    f.table.remove();
    QVERIFY(!f.table.bookmarkValid(b));
    QVERIFY_THROWS_EXCEPTION(DataError, f.table.gotoBookmark(b));
}

void tst_MemTable::walkInOrder()
{
    Fixture f;
    f.table.first();
    QVERIFY(f.table.atEnd());
    for (const char *n : {"a", "b", "c"})
        f.add(n);
    QStringList seen;
    for (f.table.first(); !f.table.atEnd(); f.table.next())
        seen << f.name->asString();
    QCOMPARE(seen, (QStringList{"a", "b", "c"}));
}

void tst_MemTable::fieldsByName()
{
    Fixture f;
    QCOMPARE(f.table.fieldByName("NAME"), f.name);
    QCOMPARE(f.table.fieldByName("RecId"), f.table.recIdField());
    QCOMPARE(f.table.findField("nothing"), nullptr);
    QVERIFY_THROWS_EXCEPTION(DataError, f.table.fieldByName("nothing"));
    QCOMPARE(f.name->objectName(), QString("TName"));
    QVERIFY(f.table.recIdField()->isCalculated());
}

void tst_MemTable::locateByIndex()
{
    Fixture f;
    f.add("a", "240325143005");
    f.add("b", "240101000000");
    f.add("c", "240325143005"); // duplicates are accepted
    QVERIFY(f.table.locate("240101000000"));
    QCOMPARE(f.name->asString(), QString("b"));
    QVERIFY(f.table.locate("240325143005"));
    QCOMPARE(f.name->asString(), QString("a"));
    QVERIFY(!f.table.locate("2403251430"));
    f.table.moveTo(0);
    f.table.edit();
    f.num->setAsString("999");
    f.table.post();
    QVERIFY(f.table.locate("999")); // the index follows changes
    QCOMPARE(f.name->asString(), QString("a"));
}

void tst_MemTable::afterInsertAndEventsOff()
{
    Fixture f;
    int calls = 0;
    f.table.setAfterInsert([&] {
        ++calls;
        f.prov->setAsString("MI");
    });
    f.table.append();
    QCOMPARE(calls, 1);
    QCOMPARE(f.prov->asString(), QString("MI"));
    QVERIFY(f.table.isModified()); // the defaults count as a change: append posts them
    f.table.post();
    f.table.setEventsEnabled(false);
    f.table.append();
    QCOMPARE(calls, 1);
    QVERIFY(f.prov->isNull());
    f.table.post(); // an untouched record still posts when asked to
    QCOMPARE(f.table.recordCount(), 2);
}

void tst_MemTable::viewsAreTold()
{
    Fixture f;
    DataSource source;
    source.setTable(&f.table);
    Recorder r;
    r.setDataSource(&source);
    r.log.clear();
    f.table.append();
    QCOMPARE(r.log, (QStringList{"state", "scrolled"}));
    r.log.clear();
    f.name->setAsString("a");
    f.table.post();
    QCOMPARE(r.log, (QStringList{"field:Name", "update", "state", "inserted:0"}));
    r.log.clear();
    QVERIFY(r.edit()); // AutoEdit
    QCOMPARE(f.table.state(), MemTable::State::Edit);
    f.table.cancel();
    QCOMPARE(r.log, (QStringList{"state", "state", "record"}));
    r.log.clear();
    source.setAutoEdit(false);
    QVERIFY(!r.edit());
    QCOMPARE(f.table.state(), MemTable::State::Browse);
    f.add("b");
    r.log.clear();
    f.table.first();
    f.table.remove();
    QCOMPARE(r.log, (QStringList{"scrolled", "removed:0"}));
    r.log.clear();
    f.table.close();
    QCOMPARE(r.log, (QStringList{"active", "dataset"}));
}

void tst_MemTable::updateRecordComesBeforePost()
{
    Fixture f;
    DataSource source;
    source.setTable(&f.table);
    Recorder r;
    r.setDataSource(&source);
    f.table.append();
    r.pendingField = f.name;
    r.pendingValue = "typed in a control";
    f.table.post();
    QCOMPARE(f.names(), QStringList{"typed in a control"});
}

void tst_MemTable::suspendedViewsGetOneRefresh()
{
    Fixture f;
    DataSource source;
    source.setTable(&f.table);
    Recorder r;
    r.setDataSource(&source);
    r.log.clear();
    f.table.disableControls();
    f.table.disableControls();
    f.add("a");
    f.add("b");
    f.table.enableControls();
    r.log.removeAll("update"); // controls still write their values before a post
    QVERIFY(r.log.isEmpty());
    f.table.enableControls();
    QCOMPARE(r.log, QStringList{"dataset"});
}

void tst_MemTable::closeDropsEverything()
{
    Fixture f;
    f.add("a");
    f.table.append();
    f.table.close();
    QVERIFY(!f.table.isActive());
    QCOMPARE(f.table.recordCount(), 0);
    QVERIFY_THROWS_EXCEPTION(DataError, f.table.append());
    f.table.open();
    f.add("b");
    QCOMPARE(f.table.recIdField()->asInteger(), 1); // numbering starts again
}

QTEST_APPLESS_MAIN(tst_MemTable)
#include "tst_memtable.moc"
