#include "TestTable.h"

#include "platform/editors/DBComboBox.h"
#include "platform/editors/DBDateEdit.h"
#include "platform/editors/DBEdit.h"
#include "platform/editors/DataBoundEditor.h"
#include "platform/editors/MemoEdit.h"

#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>

using MakeEditor = std::function<QWidget *()>;
Q_DECLARE_METATYPE(MakeEditor)

// Each bound editor is bound through the one interface its owners see.
class TestDataBoundEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boundThroughTheInterface_data();
    void boundThroughTheInterface();
    void unboundControlsAreNotEditors();
};

void TestDataBoundEditor::boundThroughTheInterface_data()
{
    QTest::addColumn<MakeEditor>("make");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("shown");
    QTest::newRow("DBEdit") << MakeEditor([] { return new DBEdit; }) << "Name" << "ROSSI";
    QTest::newRow("DBComboBox") << MakeEditor([] {
        auto *c = new DBComboBox;
        c->addItems({"N", "E"});
        return c;
    }) << "Status" << "E";
    QTest::newRow("DBDateEdit") << MakeEditor([] { return new DBDateEdit; }) << "When" << "05/01/2023 00:00:00";
}

void TestDataBoundEditor::boundThroughTheInterface()
{
    QFETCH(MakeEditor, make);
    QFETCH(QString, field);
    TestTable t;
    t.add("BIANCHI", "N");
    t.add("ROSSI", "E", QDateTime(QDate(2023, 1, 5), QTime(0, 0)));
    t.table.first();
    std::unique_ptr<QWidget> widget(make());
    auto *editor = qobject_cast<DataBoundEditor *>(widget.get());
    QVERIFY(editor);
    editor->setDataField(field);
    editor->setDataSource(&t.source);
    QCOMPARE(editor->dataField(), field);
    QCOMPARE(editor->dataSource(), &t.source);
    t.table.last();
    QLineEdit *line = qobject_cast<QLineEdit *>(widget.get());
    if (!line)
        line = widget->findChild<QLineEdit *>();
    QVERIFY(line);
    QTEST(line->text(), "shown");
    editor->setDataSource(nullptr);
    QVERIFY(!editor->dataSource());
}

void TestDataBoundEditor::unboundControlsAreNotEditors()
{
    MemoEdit memo;
    QLineEdit plain;
    QVERIFY(!qobject_cast<DataBoundEditor *>(&memo));
    QVERIFY(!qobject_cast<DataBoundEditor *>(&plain));
}

QTEST_MAIN(TestDataBoundEditor)
#include "tst_databoundeditor.moc"
