#include "data/UDM1.h"
#include "platform/editors/BevelPanel.h"
#include "platform/editors/CaptionBox.h"
#include "platform/editors/HyperLinkEdit.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "ProgramWindows.h"
#include "ui/CalStart.h"
#include "ui/UFMFSCAD.h"

#include "tests/support/AccessibilityOn.h"

#include <QAccessible>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace {

std::vector<QString> focusNames;

void listen(QAccessibleEvent *event)
{
    if (event->type() != QAccessible::Focus)
        return;
    if (QAccessibleInterface *iface = event->accessibleInterface())
        focusNames.push_back(iface->text(QAccessible::Name));
}

QString nameOf(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

} // namespace

// The program's windows as a screen reader reads them.
class tst_WindowsAccessible : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void paintedCaptionsOfTheMainWindow_data();
    void paintedCaptionsOfTheMainWindow();
    void movingThroughTheCallList();
    void statusCaptionsOfTheEditor();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ProgramWindows> m_program;
};

void tst_WindowsAccessible::initTestCase()
{
    QAccessible::installUpdateHandler(listen);
    QVERIFY(switchAccessibilityOn());
    m_program = std::make_unique<ProgramWindows>(m_dir.filePath("callistro"));
    FFMAIN->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFMAIN));
}

void tst_WindowsAccessible::cleanupTestCase()
{
    m_program.reset();
}

void tst_WindowsAccessible::paintedCaptionsOfTheMainWindow_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("name");
    QTest::newRow("banner") << "Image1" << "CALLISTRO";
    QTest::newRow("title") << "Panel9" << "Ch.Assistenza";
    QTest::newRow("version") << "Panel10" << "Versione free 1.0";
    QTest::newRow("credit") << "StaticText1" << TFFMAIN::MakerCredit;
    QTest::newRow("maker's address") << "cxHyperLinkEdit3" << TFFMAIN::MakerAddress;
}

void tst_WindowsAccessible::paintedCaptionsOfTheMainWindow()
{
    QFETCH(QString, object);
    QFETCH(QString, name);
    QWidget *widget = FFMAIN->findChild<QWidget *>(object);
    QVERIFY(widget);
    QCOMPARE(nameOf(widget), name);
}

void tst_WindowsAccessible::movingThroughTheCallList()
{
    const QStringList names{"ROSSI MARIO", "BIANCHI SRL", "VERDI & FIGLI"};
    for (const QString &n : names) {
        DM1->ScadData->append();
        DM1->ScadDataRagioneSociale->setAsString(n);
        DM1->ScadDataLocalita->setAsString(QStringLiteral("MILANO"));
        DM1->ScadDataProvincia->setAsString(QStringLiteral("MI"));
        DM1->ScadData->post();
    }
    DM1->ScadData->first();
    GridBandedTableView *view = FFMAIN->cxGrid1DBTableView1;
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(view);
    QCOMPARE(grid->role(), QAccessible::Table);
    QAccessibleTableInterface *table = grid->tableInterface();
    QCOMPARE(table->rowCount(), 3);
    int nome = -1;
    for (int c = 0; c < table->columnCount() && nome < 0; ++c) {
        if (table->columnDescription(c) == QLatin1String("Nome"))
            nome = c;
    }
    QVERIFY(nome >= 0);

    view->setFocus();
    focusNames.clear();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    QCOMPARE(int(focusNames.size()), 2);
    const QString second = table->cellAt(1, nome)->text(QAccessible::Name);
    const QString third = table->cellAt(2, nome)->text(QAccessible::Name);
    QVERIFY(focusNames[0].contains(QStringLiteral("Nome: ") + second));
    QVERIFY(focusNames[1].contains(QStringLiteral("Nome: ") + third));
    QVERIFY(focusNames[1].contains(QStringLiteral("PR: MI")));
    for (const QString &said : focusNames)
        qInfo("told: %s", qPrintable(said));

    // Grouped by province, the focused call's group opens and the reader hears the call again;
    // folded, its group row takes the focus.
    focusNames.clear();
    view->groupByColumn(view->columnByField(QStringLiteral("Provincia")), 0);
    QCOMPARE(grid->role(), QAccessible::Tree);
    QCOMPARE(grid->child(2)->text(QAccessible::Name), QStringLiteral("PR : MI"));
    QVERIFY(!focusNames.empty());
    QVERIFY(focusNames.back().contains(QStringLiteral("Nome: ") + third));
    focusNames.clear();
    view->controller()->setAllGroupsExpanded(false);
    for (const QString &said : focusNames)
        qInfo("told: %s", qPrintable(said));
    QVERIFY(!focusNames.empty());
    QCOMPARE(focusNames.back(), QStringLiteral("PR : MI"));
    view->ungroupColumn(view->columnByField(QStringLiteral("Provincia")));
}

void tst_WindowsAccessible::statusCaptionsOfTheEditor()
{
    for (const char *caption : {"DEspletat", "DInGaranzia"}) {
        auto *box = FMFSCAD->findChild<CaptionBox *>(QLatin1String(caption));
        QVERIFY2(box, caption);
        QVERIFY(!box->text().isEmpty());
        QCOMPARE(nameOf(box), box->text());
    }
}

QTEST_MAIN(tst_WindowsAccessible)
#include "tst_windowsaccessible.moc"
