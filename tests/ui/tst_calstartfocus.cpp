// The main window's commands act on the row the user sees: the focused call, or nothing on a
// group row or an empty list.

#include "app/ShellOpen.h"
#include "data/UDM1.h"
#include "platform/editors/DBEdit.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/editors/OfficeButton.h"
#include "platform/filter/FilterCriteria.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridDataController.h"
#include "platform/grid/GridFilterDropDown.h"
#include "platform/grid/GridStyle.h"
#include "platform/grid/GridQuickCustomizationPopup.h"
#include "platform/editors/SplitDropDownButton.h"
#include "platform/editors/BevelPanel.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "ProgramWindows.h"
#include "ui/CalStart.h"
#include "ui/UFMFSCAD.h"
#include "ui/UFMINFO.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using RowKind = GridDataController::RowKind;

class tst_CalStartFocus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void groupRowFocused_data();
    void groupRowFocused();
    void nothingListed_data();
    void nothingListed();
    void callEditedOutOfTheFilter();
    void deleteInASortedList();
    void printsLeaveAGroupRowFocused();
    void countUnderANomeGrouping();
    void headersKeepTheirFilterButton_data();
    void headersKeepTheirFilterButton();
    void popupsLetGo_data();
    void popupsLetGo();
    void columnListTicksFromTheKeyboard();

private:
    GridBandedTableView *view() const { return FFMAIN->cxGrid1DBTableView1; }
    GridDataController *list() const { return view()->controller(); }
    void addCall(const QString &name, const QString &prov, const QString &town = QString());
    QString focusedText() const;
    void clickRow(int row);

    std::unique_ptr<ProgramWindows> m_program;
    QTemporaryDir m_dir;
    QStringList m_boxes;
    MessageBoxes::Answer m_answer = MessageBoxes::Answer::Yes;
};

namespace {

QStringList names()
{
    QStringList out;
    for (quint32 id : DM1->ScadData->recordOrder())
        out << DM1->ScadData->text(id, DM1->ScadDataRagioneSociale);
    return out;
}

// True when a modal window showed up while work ran; it is closed again.
bool opensAModalWindow(const std::function<void()> &work)
{
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            shown = true;
            w->close();
        }
    });
    work();
    QTest::qWait(20);
    return shown;
}

QByteArray printed()
{
    QFile f(ProgramFolder + PrintFileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

void tst_CalStartFocus::initTestCase()
{
    m_program = std::make_unique<ProgramWindows>(m_dir.filePath("callistro"));
    MessageBoxes::setAnswerer([this](MessageBoxes::Kind, const QString &caption, const QString &text) {
        m_boxes << caption + u'|' + text;
        return m_answer;
    });
    setShellOpenWatcher([](const QString &, const QString &, const QString &, int) {});
    QApplication::setQuitOnLastWindowClosed(false);
    FFMAIN->show();
    FFMAIN->move(-300, 0); // room on the small test screen for the menus to open where they should
    QVERIFY(QTest::qWaitForWindowExposed(FFMAIN));
}

void tst_CalStartFocus::cleanupTestCase()
{
    MessageBoxes::setAnswerer({});
    setShellOpenWatcher({});
    m_program.reset();
}

void tst_CalStartFocus::init()
{
    m_boxes.clear();
    m_answer = MessageBoxes::Answer::Yes;
    DM1->ScadData->close();
    DM1->ScadData->open();
}

void tst_CalStartFocus::cleanup()
{
    // Each case starts from the list as the program opens it.
    GridBandedTableView *v = view();
    v->clearFilter();
    list()->setGroupKeys({});
    list()->setSortKeys({});
}

void tst_CalStartFocus::addCall(const QString &name, const QString &prov, const QString &town)
{
    DM1->ScadData->append();
    DM1->ScadDataRagioneSociale->setAsString(name);
    DM1->ScadDataProvincia->setAsString(prov);
    DM1->ScadDataLocalita->setAsString(town);
    DM1->ScadData->post();
}

QString tst_CalStartFocus::focusedText() const
{
    const int row = list()->focusedRow();
    if (row < 0)
        return QString();
    if (list()->rowKind(row) == RowKind::Group)
        return view()->groupRowText(list()->rowGroup(row));
    return DM1->ScadData->text(list()->rowRecordId(row), DM1->ScadDataRagioneSociale);
}

// A real click on the middle of a row on screen.
void tst_CalStartFocus::clickRow(int row)
{
    for (const GridLayout::RowGeometry &g : view()->rowsOnScreen()) {
        if (g.row == row) {
            QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, QPoint(200, g.top + g.height / 2));
            return;
        }
    }
    QFAIL("the row is not on screen");
}

void tst_CalStartFocus::groupRowFocused_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Modifica") << "modifica";
    QTest::newRow("Cancella") << "cancella";
    QTest::newRow("Del") << "del";
}

void tst_CalStartFocus::groupRowFocused()
{
    QFETCH(QString, command);
    addCall("ALFA", "AA");
    addCall("GAMMA", "XX");
    DM1->ScadData->first(); // ALFA is the store's current call
    view()->groupByColumn(view()->columnByField("Provincia"), 0);
    list()->setAllGroupsExpanded(false);
    // [PR : AA] /1 [PR : XX] /1: the group that holds only GAMMA.
    clickRow(2);
    QCOMPARE(focusedText(), QString("PR : XX"));
    QVERIFY(!list()->hasCurrentRecord());

    bool opened = false;
    if (command == "modifica") {
        opened = opensAModalWindow([] { FFMAIN->BBModifica->click(); });
    } else if (command == "cancella") {
        FFMAIN->BBCancella->click();
    } else {
        view()->setFocus();
        QTest::keyClick(view(), Qt::Key_Delete);
    }
    QVERIFY(!opened);
    QVERIFY(m_boxes.isEmpty()); // not even the question
    QCOMPARE(names(), (QStringList{"ALFA", "GAMMA"}));
    QCOMPARE(focusedText(), QString("PR : XX"));
}

void tst_CalStartFocus::nothingListed_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Modifica") << "modifica";
    QTest::newRow("Cancella") << "cancella";
}

void tst_CalStartFocus::nothingListed()
{
    QFETCH(QString, command);
    addCall("ALFA", "AA");
    addCall("BETA", "BB");
    FilterCriteria criteria;
    const int pr = view()->filterColumnOf(view()->columnByField("Provincia"));
    criteria.root().addCondition(FilterCondition(pr, FilterOperator::Equal, {FilterValue("ZZ")}));
    view()->setFilterCriteria(criteria);
    QCOMPARE(list()->rowCount(), 0);

    bool opened = false;
    if (command == "modifica")
        opened = opensAModalWindow([] { FFMAIN->BBModifica->click(); });
    else
        FFMAIN->BBCancella->click();
    QVERIFY(!opened);
    QVERIFY(m_boxes.isEmpty());
    QCOMPARE(names(), (QStringList{"ALFA", "BETA"}));
}

void tst_CalStartFocus::callEditedOutOfTheFilter()
{
    addCall("ALFA", "MI", "MILANO");
    addCall("BETA", "RM", "ROMA");
    addCall("GAMMA", "MI", "MILANO");
    addCall("DELTA", "MI", "MILANO");
    FilterCriteria criteria;
    const int town = view()->filterColumnOf(view()->columnByField("Localita"));
    criteria.root().addCondition(FilterCondition(town, FilterOperator::Equal, {FilterValue("MILANO")}));
    view()->setFilterCriteria(criteria);
    clickRow(0);
    QCOMPARE(focusedText(), QString("ALFA"));

    // Modifica moves ALFA to Lodi, out of the list.
    QTimer::singleShot(0, FMFSCAD, [] {
        FMFSCAD->EDITLOCALITA->setFocus();
        FMFSCAD->EDITLOCALITA->selectAll();
        QTest::keyClicks(FMFSCAD->EDITLOCALITA, "LODI");
        QTest::mouseClick(FMFSCAD->BBInserisci, Qt::LeftButton);
        if (FMFSCAD->isVisible())
            FMFSCAD->reject();
    });
    FFMAIN->BBModifica->click();
    QCOMPARE(DM1->ScadData->text(DM1->ScadData->recordOrder()[0], DM1->ScadDataLocalita), QString("LODI"));
    QCOMPARE(focusedText(), QString("GAMMA"));
    QCOMPARE(DM1->ScadDataRagioneSociale->asString(), QString("GAMMA"));

    // The next Modifica opens GAMMA, and Cancella deletes it.
    QString shown;
    QTimer::singleShot(0, FMFSCAD, [&shown] {
        shown = FMFSCAD->EDITRagioneSociale->text();
        FMFSCAD->reject();
    });
    FFMAIN->BBModifica->click();
    QCOMPARE(shown, QString("GAMMA"));
    FFMAIN->BBCancella->click();
    QCOMPARE(names(), (QStringList{"ALFA", "BETA", "DELTA"}));
    QCOMPARE(focusedText(), QString("DELTA"));
}

void tst_CalStartFocus::deleteInASortedList()
{
    for (const char *name : {"ALFA", "DELTA", "BETA", "GAMMA"})
        addCall(QString::fromLatin1(name), "MI");
    view()->sortByColumn(view()->columnByField("RagioneSociale"), {});
    clickRow(0);
    QCOMPARE(focusedText(), QString("ALFA"));
    FFMAIN->BBCancella->click();
    // Next on screen is BETA; next in the store would be DELTA.
    QCOMPARE(focusedText(), QString("BETA"));
    QCOMPARE(DM1->ScadDataRagioneSociale->asString(), QString("BETA"));
    view()->setFocus();
    QTest::keyClick(view(), Qt::Key_End);
    QTest::keyClick(view(), Qt::Key_Delete);
    // The last row went: the one above.
    QCOMPARE(names(), (QStringList{"DELTA", "BETA"}));
    QCOMPARE(focusedText(), QString("DELTA"));
    QCOMPARE(DM1->ScadDataRagioneSociale->asString(), QString("DELTA"));
}

void tst_CalStartFocus::printsLeaveAGroupRowFocused()
{
    addCall("ALFA", "AA");
    addCall("BETA", "AA");
    addCall("GAMMA", "XX");
    DM1->ScadData->first();
    view()->groupByColumn(view()->columnByField("Provincia"), 0);
    list()->setAllGroupsExpanded(false);
    clickRow(2);
    QCOMPARE(focusedText(), QString("PR : XX"));

    FFMAIN->StampaHTMLselezione1->trigger();
    QCOMPARE(focusedText(), QString("PR : XX"));
    for (int pass = 0; pass < 2; ++pass) {
        FFMAIN->StampaHTMLSelezione2->trigger();
        QCOMPARE(focusedText(), QString("PR : XX"));
        const QByteArray page = printed();
        QVERIFY2(page.contains("GAMMA") && !page.contains("ALFA"), "the same group, each time");
    }
    QVERIFY(!list()->hasCurrentRecord());
}

void tst_CalStartFocus::countUnderANomeGrouping()
{
    addCall("ALFA", "AA");
    addCall("ALFA", "BB");
    addCall("BETA", "AA");
    GridBandedTableView *v = view();
    GridColumn *nome = v->columnByField("RagioneSociale");
    GridColumn *first = v->columnByField("dataointervento");
    v->groupByColumn(nome, 0);
    // Nome left the rows: the count stands in the first cell of its band, under D.H.Prev.INT.
    QCOMPARE(v->footerColumnOf(nome), first);
    QCOMPARE(list()->groupCount(), 2);
    QCOMPARE(v->footerText(0, first), QString("2"));
    QCOMPARE(v->footerText(1, first), QString("1"));
    QVERIFY(v->footerText(0, nome).isNull());
    int index = -1;
    for (int c = 0; c < v->columnCount(); ++c) {
        if (v->column(c) == first)
            index = c;
    }
    QVERIFY(!v->gridLayout().footerCellRect(index, 0, 0).isEmpty()); // a cell on screen
    // Grouped by PR the count stays under Nome.
    v->ungroupColumn(nome);
    v->groupByColumn(v->columnByField("Provincia"), 0);
    QCOMPARE(v->footerText(0, nome), QString("2"));
    QVERIFY(v->footerText(0, first).isNull());
}

namespace {
QWindow *mainWindow();
QPoint inMainWindow(const QWidget *w, QPoint pos);
void clickInMainWindow(QPoint pos);
} // namespace

void tst_CalStartFocus::headersKeepTheirFilterButton_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("captionFits");
    QTest::newRow("Espletata (E/N)") << "espletata" << false;
    QTest::newRow("In Garanzia (S/N)") << "ingaranzia" << false;
    QTest::newRow("PR") << "Provincia" << true;
    QTest::newRow("CAP") << "cap" << true;
    QTest::newRow("Nome") << "RagioneSociale" << true;
}

void tst_CalStartFocus::headersKeepTheirFilterButton()
{
    QFETCH(QString, field);
    QFETCH(bool, captionFits);
    addCall("ALFA", "AA");
    GridBandedTableView *v = view();
    GridColumn *column = v->columnByField(field);
    int index = -1;
    for (int c = 0; c < v->columnCount(); ++c) {
        if (v->column(c) == column)
            index = c;
    }
    const QRect header = v->gridLayout().columnHeaderRect(index);
    const QRect button = v->filterButtonRect(index);
    QVERIFY2(!button.isEmpty(), qPrintable(QString("header %1 px wide").arg(header.width())));
    QVERIFY(header.contains(button));
    // Clear of the sizing edge, so a press in its middle opens the drop-down.
    clickInMainWindow(inMainWindow(v->viewport(), button.center()));
    QTRY_VERIFY(v->filterDropDown()->isVisible());
    QTest::keyClick(mainWindow(), Qt::Key_Escape);
    QTRY_VERIFY(!v->filterDropDown()->isVisible());
    if (captionFits) {
        // Where the caption fits beside the button it is laid out there, uncovered.
        const QFont font = column->headerStyle()->font();
        const int caption = QFontMetrics(font).horizontalAdvance(column->displayCaption());
        QVERIFY2(header.left() + 3 + caption < button.left(),
                 qPrintable(QString("caption %1 px, header %2..%3, button from %4")
                                .arg(caption).arg(header.left()).arg(header.right()).arg(button.left())));
    }
}

namespace {

QWindow *mainWindow() { return FFMAIN->windowHandle(); }

// Where a point of a widget lies in the main window, for events sent through the window system.
QPoint inMainWindow(const QWidget *w, QPoint pos) { return w->mapTo(FFMAIN, pos); }

void clickInMainWindow(QPoint pos)
{
    QTest::mouseClick(mainWindow(), Qt::LeftButton, {}, pos);
}

} // namespace

void tst_CalStartFocus::popupsLetGo_data()
{
    QTest::addColumn<QString>("popup");
    QTest::addColumn<QString>("how");
    for (const char *popup : {"column list", "filter drop-down", "Stampa menu"}) {
        for (const char *how : {"Esc", "outside click", "opener again", "close box"})
            QTest::addRow("%s, %s", popup, how) << QString(popup) << QString(how);
    }
}

void tst_CalStartFocus::popupsLetGo()
{
    QFETCH(QString, popup);
    QFETCH(QString, how);
    addCall("ALFA", "AA");
    GridBandedTableView *v = view();
    QWidget *shown = nullptr;
    QPoint opener;
    if (popup == "column list") {
        shown = v->quickCustomizationPopup();
        opener = inMainWindow(v->viewport(), v->quickCustomizationButtonRect().center());
    } else if (popup == "filter drop-down") {
        shown = v->filterDropDown();
        int column = -1;
        for (int c = 0; c < v->columnCount(); ++c) {
            if (v->column(c) == v->columnByField("RagioneSociale"))
                column = c;
        }
        opener = inMainWindow(v->viewport(), v->filterButtonRect(column).center());
    } else {
        shown = FFMAIN->PopupMenu1;
        opener = inMainWindow(FFMAIN->BBStampa, FFMAIN->BBStampa->arrowStrip().center());
    }
    clickInMainWindow(opener);
    QTRY_VERIFY(shown->isVisible());

    if (how == "Esc") {
        QTest::keyClick(mainWindow(), Qt::Key_Escape);
    } else if (how == "outside click") {
        clickInMainWindow(inMainWindow(FFMAIN->Panel1, QPoint(20, 20)));
    } else if (how == "opener again") {
        clickInMainWindow(opener);
    } else {
        FFMAIN->close();
        QVERIFY(!FFMAIN->isVisible());
        FFMAIN->show();
        QVERIFY(QTest::qWaitForWindowExposed(FFMAIN));
    }
    QTRY_VERIFY(!shown->isVisible());
    QTest::qWait(50);
    QVERIFY2(!shown->isVisible(), "it opened again");

    // The main window takes input again: Esci closes it.
    clickInMainWindow(inMainWindow(FFMAIN->BBEsci, FFMAIN->BBEsci->rect().center()));
    QTRY_VERIFY(!FFMAIN->isVisible());
    FFMAIN->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFMAIN));
}

void tst_CalStartFocus::columnListTicksFromTheKeyboard()
{
    GridBandedTableView *v = view();
    GridColumn *recId = v->columnByField("RecId");
    GridColumn *rif = v->columnByField("Riferimento1");
    QVERIFY(!recId->isVisible() && !rif->isVisible());
    clickInMainWindow(inMainWindow(v->viewport(), v->quickCustomizationButtonRect().center()));
    QTRY_VERIFY(v->quickCustomizationPopup()->isVisible());
    // The list opens on its first line, RecId; Riferimento is the seventh.
    QTest::keyClick(mainWindow(), Qt::Key_Space);
    QVERIFY(recId->isVisible());
    QTest::keyClick(mainWindow(), Qt::Key_Return);
    QVERIFY(!recId->isVisible());
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(mainWindow(), Qt::Key_Down);
    QTest::keyClick(mainWindow(), Qt::Key_Space);
    QVERIFY(rif->isVisible());
    QVERIFY(v->quickCustomizationPopup()->isVisible()); // it stays open while the user ticks
    QTest::keyClick(mainWindow(), Qt::Key_Escape);
    QTRY_VERIFY(!v->quickCustomizationPopup()->isVisible());
    rif->setVisible(false);
}

QTEST_MAIN(tst_CalStartFocus)
#include "tst_calstartfocus.moc"
