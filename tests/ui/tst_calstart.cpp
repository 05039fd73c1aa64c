#include "app/ShellOpen.h"
#include "data/UDM1.h"
#include "platform/editors/BevelPanel.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridDataController.h"
#include "platform/grid/GridQuickCustomizationPopup.h"
#include "platform/editors/DBEdit.h"
#include "platform/editors/HyperLinkEdit.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/editors/OfficeButton.h"
#include "platform/editors/SplitDropDownButton.h"
#include "platform/memdata/DataError.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "ui/CalStart.h"
#include "ui/UFMFSCAD.h"
#include "tests/support/ModalWindow.h"
#include "ui/UFMINFO.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidgetItem>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class tst_CalStart : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void window();
    void commands_data();
    void commands();
    void focusGoesToInserisciOnShow();
    void stampaDropsDownOnlyFromItsStrip();
    void emptyStoreCommandsDoNothing();
    void inserisciReturnsToTheFocusedCall();
    void inserisciOnAnEmptyStore();
    void modificaChangesTheFocusedCall();
    void listColumns_data();
    void listColumns();
    void listFollowsTheStore();
    void delInTheListDeletesAtOnce();
    void groupCountsUnderNome_data();
    void groupCountsUnderNome();
    void cancellaThroughTheRealBox_data();
    void cancellaThroughTheRealBox();
    void shownColumnIsHiddenAgainAfterARestart();
    void printTheList();
    void printTheSelectedCall();
    void printThatCannotBeWritten();
    void commandErrorEndsInTheErrorBox();
    void editorThatCannotOpenShowsTheError();
    void printInARealBrowser();
    void cancella_data();
    void cancella();

private:
    void addCalls(int n);
    void closeWindows();

    std::unique_ptr<TDM1> m_dm;
    std::unique_ptr<TFFMAIN> m_main;
    std::unique_ptr<TFMFSCAD> m_editor;
    std::unique_ptr<TFFINFO> m_info;
    QTemporaryDir m_dir;
    QStringList m_boxes;
    QStringList m_opened;
    MessageBoxes::Answer m_answer = MessageBoxes::Answer::No;
};

void tst_CalStart::initTestCase()
{
    m_dm = std::make_unique<TDM1>();
    DM1 = m_dm.get();
    m_dm->setExecutablePath(m_dir.filePath("callistro"));
    m_dm->DataModuleCreate();
    setShellOpenWatcher([this](const QString &f, const QString &, const QString &, int) { m_opened << f; });
}

void tst_CalStart::cleanupTestCase()
{
    closeWindows();
    MessageBoxes::setAnswerer({});
    setShellOpenWatcher({});
    m_dm.reset();
    DM1 = nullptr;
}

// Each test starts on new windows over an empty store, whatever the one before left behind.
void tst_CalStart::init()
{
    closeWindows();
    m_boxes.clear();
    m_opened.clear();
    m_answer = MessageBoxes::Answer::No;
    MessageBoxes::setAnswerer([this](MessageBoxes::Kind, const QString &caption, const QString &text) {
        m_boxes << caption + u'|' + text;
        return m_answer;
    });
    DM1->ScadData->setAfterInsert([] { DM1->ScadDataAfterInsert(); });
    DM1->ScadData->close();
    DM1->ScadData->open();
    const QFileInfo print(ProgramFolder + PrintFileName);
    if (print.isDir())
        QVERIFY(QDir().rmdir(print.filePath()));
    m_main = std::make_unique<TFFMAIN>();
    FFMAIN = m_main.get();
    m_editor = std::make_unique<TFMFSCAD>();
    FMFSCAD = m_editor.get();
    m_info = std::make_unique<TFFINFO>();
    FFINFO = m_info.get();
    FFMAIN->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFMAIN));
}

void tst_CalStart::closeWindows()
{
    m_info.reset();
    m_editor.reset();
    m_main.reset();
    FFINFO = nullptr;
    FMFSCAD = nullptr;
    FFMAIN = nullptr;
}

void tst_CalStart::addCalls(int n)
{
    for (int i = 0; i < n; ++i) {
        DM1->ScadData->append();
        DM1->ScadDataRagioneSociale->setAsString(QString("Call %1").arg(i));
        DM1->ScadData->post();
    }
}

void tst_CalStart::window()
{
    QCOMPARE(FFMAIN->windowTitle(), QString("  CALLISTRO - Chiamate di assistenza tecnica (Versione freeware 1.0)   "));
    QCOMPARE(FFMAIN->Panel1->height(), 89);
    QCOMPARE(FFMAIN->Panel2->height(), 49);
    QCOMPARE(FFMAIN->Panel8->width(), 168);
    QCOMPARE(FFMAIN->Panel9->height(), 39);
    QCOMPARE(FFMAIN->Panel9->caption(), QString("Ch.Assistenza"));
    QCOMPARE(FFMAIN->Panel10->caption(), QString("Versione free 1.0"));
    QCOMPARE(FFMAIN->Panel5->width(), 142);
    QCOMPARE(FFMAIN->Panel7->width(), 170);
    QCOMPARE(FFMAIN->Panel4->width(), 210);
    QCOMPARE(FFMAIN->StaticText2->width(), 4);
    QCOMPARE(FFMAIN->cxHyperLinkEdit3->geometry(), QRect(25, 4, 176, 28));
    QCOMPARE(FFMAIN->Image1->pixmap().size(), QSize(742, 78));
    QVERIFY(!FFMAIN->BBHelp->isVisibleTo(FFMAIN));
    QVERIFY(!FFMAIN->BBInforma->isVisibleTo(FFMAIN));
    QCOMPARE(FFMAIN->PopupMenu1->actions(), (QList<QAction *>{FFMAIN->StampaHTMLselezione1, FFMAIN->StampaHTMLSelezione2}));
    QCOMPARE(FFMAIN->StampaHTMLselezione1->text(), QString("Stampa HTML (lista selezione)"));
    QCOMPARE(FFMAIN->StampaHTMLSelezione2->text(), QString("Stampa HTML (chiamata selezionata)"));
}

void tst_CalStart::commands_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("top");
    QTest::newRow("Inserisci") << "BBInserisci" << "Inserisci" << 8;
    QTest::newRow("Modifica") << "BBModifica" << "Modifica" << 40;
    QTest::newRow("Cancella") << "BBCancella" << "Cancella" << 72;
    QTest::newRow("Stampa") << "BBStampa" << "Stampa" << 104;
    QTest::newRow("Esci") << "BBEsci" << "Esci" << 160;
}

void tst_CalStart::commands()
{
    QFETCH(QString, name);
    QFETCH(int, top);
    auto *b = FFMAIN->Panel5->findChild<OfficeButton *>(name);
    QVERIFY(b);
    QTEST(b->text(), "caption");
    QCOMPARE(b->geometry(), QRect(8, top, 121, 33));
    QCOMPARE(b->font().pixelSize(), 15);
}

void tst_CalStart::focusGoesToInserisciOnShow()
{
    FFMAIN->BBEsci->setFocus();
    FFMAIN->hide();
    FFMAIN->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFMAIN));
    QCOMPARE(FFMAIN->focusWidget(), static_cast<QWidget *>(FFMAIN->BBInserisci));
    // The tab order follows the column.
    QList<QWidget *> order;
    QWidget *w = FFMAIN->BBInserisci;
    for (int i = 0; i < 5; ++i, w = w->nextInFocusChain()) {
        while (!qobject_cast<QPushButton *>(w))
            w = w->nextInFocusChain();
        order << w;
    }
    QCOMPARE(order, (QList<QWidget *>{FFMAIN->BBInserisci, FFMAIN->BBModifica, FFMAIN->BBCancella, FFMAIN->BBStampa, FFMAIN->BBEsci}));
}

void tst_CalStart::stampaDropsDownOnlyFromItsStrip()
{
    addCalls(1);
    FFMAIN->move(-300, 0); // room on the small test screen for the menu to open where it should
    SplitDropDownButton *b = FFMAIN->BBStampa;
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 16));
    QVERIFY(!FFMAIN->PopupMenu1->isVisible());
    QTest::keyClick(b, Qt::Key_Space);
    QTest::keyClick(b, Qt::Key_Return);
    QVERIFY(!FFMAIN->PopupMenu1->isVisible());
    QVERIFY(m_opened.isEmpty());

    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(121 - 7, 16));
    QTRY_VERIFY(FFMAIN->PopupMenu1->isVisible());
    const QRect menu = FFMAIN->PopupMenu1->geometry();
    const QPoint buttonBottom = b->mapToGlobal(QPoint(b->width() / 2, b->height()));
    QCOMPARE(menu.top(), buttonBottom.y());
    QVERIFY2(qAbs(menu.center().x() - buttonBottom.x()) <= 1, qPrintable(QString("%1 %2 %3").arg(menu.left()).arg(menu.width()).arg(buttonBottom.x())));
    FFMAIN->PopupMenu1->hide();

    b->setFocus();
    QTest::keyClick(b, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(FFMAIN->PopupMenu1->isVisible());
    FFMAIN->PopupMenu1->hide();
    QTest::keyClick(b, Qt::Key_Up, Qt::ShiftModifier);
    QTRY_VERIFY(FFMAIN->PopupMenu1->isVisible());
    FFMAIN->PopupMenu1->hide();
}

void tst_CalStart::emptyStoreCommandsDoNothing()
{
    bool dialogShown = false;
    QTimer::singleShot(200, [&] {
        if (QApplication::activeModalWidget())
            dialogShown = true;
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
    FFMAIN->BBModifica->click();
    FFMAIN->BBCancella->click();
    FFMAIN->StampaHTMLselezione1->trigger();
    FFMAIN->StampaHTMLSelezione2->trigger();
    QTest::qWait(250);
    QVERIFY(!dialogShown);
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(m_opened.isEmpty());
    QVERIFY(!QFile::exists(ProgramFolder + PrintFileName));
}

namespace {

// Runs driver inside the editor's modal loop.
void whileEditorOpen(const std::function<void()> &driver)
{
    whileModalOpen([driver](QWidget *window) {
        QCOMPARE(window, static_cast<QWidget *>(FMFSCAD));
        driver();
    }, FMFSCAD);
}

void enterCall(const QString &name)
{
    FMFSCAD->EDITRagioneSociale->setFocus();
    FMFSCAD->EDITRagioneSociale->selectAll();
    QTest::keyClicks(FMFSCAD->EDITRagioneSociale, name);
    QTest::mouseClick(FMFSCAD->BBInserisci, Qt::LeftButton);
}

QStringList names()
{
    QStringList out;
    for (quint32 id : DM1->ScadData->recordOrder())
        out << DM1->ScadData->text(id, DM1->ScadDataRagioneSociale);
    return out;
}

} // namespace

void tst_CalStart::inserisciReturnsToTheFocusedCall()
{
    addCalls(3);
    DM1->ScadData->moveTo(1);
    whileEditorOpen([] {
        enterCall("nuova uno");
        enterCall("nuova due");
        QTest::mouseClick(FMFSCAD->BBEsci, Qt::LeftButton);
    });
    FFMAIN->BBInserisci->click();
    QCOMPARE(names(), (QStringList{"Call 0", "Call 1", "Call 2", "NUOVA UNO", "NUOVA DUE"}));
    QCOMPARE(DM1->ScadData->state(), MemTable::State::Browse);
    QCOMPARE(DM1->ScadDataRagioneSociale->asString(), QString("Call 1"));
}

void tst_CalStart::inserisciOnAnEmptyStore()
{
    whileEditorOpen([] {
        enterCall("prima");
        QTest::mouseClick(FMFSCAD->BBEsci, Qt::LeftButton);
    });
    FFMAIN->BBInserisci->click();
    QCOMPARE(names(), QStringList{"PRIMA"});
    QCOMPARE(DM1->ScadDataRagioneSociale->asString(), QString("PRIMA")); // where the editor left it
}

void tst_CalStart::modificaChangesTheFocusedCall()
{
    addCalls(3);
    DM1->ScadData->moveTo(2);
    whileEditorOpen([] { enterCall("cambiata"); });
    FFMAIN->BBModifica->click();
    QCOMPARE(names(), (QStringList{"Call 0", "Call 1", "CAMBIATA"}));
    QCOMPARE(DM1->ScadData->currentPosition(), 2);
}

void tst_CalStart::listColumns_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("header");
    QTest::addColumn<bool>("visible");
    QTest::newRow("RecId") << "RecId" << "RecId" << false;
    QTest::newRow("Nome") << "RagioneSociale" << "Nome" << true;
    QTest::newRow("Indirizzo") << "Indirizzo" << "Indirizzo" << true;
    QTest::newRow("Riferimento") << "Riferimento1" << "Riferimento" << false;
    QTest::newRow("Fax") << "Fax1" << "Fax 1" << false;
    QTest::newRow("NumScad") << "NumScad" << "NumScad" << false;
    QTest::newRow("Espletata") << "espletata" << "Espletata (E/N)" << true;
    QTest::newRow("no column for email1") << "email1" << "" << false;
}

void tst_CalStart::listColumns()
{
    QFETCH(QString, field);
    QFETCH(QString, header);
    GridColumn *c = FFMAIN->cxGrid1DBTableView1->columnByField(field);
    if (header.isEmpty()) {
        QVERIFY(!c);
        return;
    }
    QVERIFY(c);
    QCOMPARE(c->objectName(), "cxGrid1DBTableView1" + field);
    QCOMPARE(c->displayCaption(), header);
    QTEST(c->isVisible(), "visible");
    QCOMPARE(FFMAIN->cxGrid1DBTableView1->columnCount(), 24);
}

void tst_CalStart::listFollowsTheStore()
{
    addCalls(3);
    GridDataController *list = FFMAIN->cxGrid1DBTableView1->controller();
    QCOMPARE(list->recordCount(), 3);
    DM1->ScadData->moveTo(2);
    QCOMPARE(list->focusedRecordId(), DM1->ScadData->currentRecordId());
    list->setFocusedRow(list->rowOfRecord(DM1->ScadData->recordOrder()[0]));
    QCOMPARE(DM1->ScadData->currentPosition(), 0); // the focus moves the cursor
    DM1->ScadData->first();
    DM1->ScadData->remove();
    QCOMPARE(list->recordCount(), 2);
}

void tst_CalStart::delInTheListDeletesAtOnce()
{
    addCalls(3);
    DM1->ScadData->moveTo(1);
    GridBandedTableView *v = FFMAIN->cxGrid1DBTableView1;
    v->setFocus();
    QTest::keyClick(v, Qt::Key_Insert); // the list creates nothing
    QCOMPARE(DM1->ScadData->recordCount(), 3);
    QTest::keyClick(v, Qt::Key_Delete);
    QCOMPARE(DM1->ScadData->recordCount(), 2);
    QTest::keyClick(v, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(DM1->ScadData->recordCount(), 1);
    QVERIFY(m_boxes.isEmpty()); // no question
    QCOMPARE(names(), QStringList{"Call 0"});
}

void tst_CalStart::groupCountsUnderNome_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("count");
    QTest::newRow("PR") << "Provincia" << "2";
    QTest::newRow("Localita") << "Localita" << "2";
    QTest::newRow("Produttore") << "produttore" << "";
}

void tst_CalStart::groupCountsUnderNome()
{
    QFETCH(QString, field);
    for (const char *v : {"FC", "FC", "RA"}) {
        DM1->ScadData->append();
        DM1->ScadDataProvincia->setAsString(v);
        DM1->ScadDataLocalita->setAsString(v);
        DM1->ScadDataproduttore->setAsString(v);
        DM1->ScadData->post();
    }
    GridBandedTableView *v = FFMAIN->cxGrid1DBTableView1;
    GridColumn *grouped = v->columnByField(field);
    v->groupByColumn(grouped, 0);
    GridDataController *list = v->controller();
    QCOMPARE(list->groupCount(), 2);
    QTEST(v->footerText(0, v->columnByField("RagioneSociale")), "count");
}

void tst_CalStart::cancellaThroughTheRealBox_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("Esc") << "esc";
    QTest::newRow("close box") << "close";
    QTest::newRow("No") << "no";
    QTest::newRow("Yes") << "yes";
}

void tst_CalStart::cancellaThroughTheRealBox()
{
    QFETCH(QString, answer);
    addCalls(2);
    MessageBoxes::setAnswerer({});
    QTimer::singleShot(0, [answer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        if (answer == "esc")
            QTest::keyClick(box, Qt::Key_Escape);
        else if (answer == "close")
            box->close();
        else
            QTest::mouseClick(box->button(answer == "yes" ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
    });
    FFMAIN->BBCancella->click();
    QCOMPARE(DM1->ScadData->recordCount(), answer == "yes" ? 1 : 2);
}

void tst_CalStart::shownColumnIsHiddenAgainAfterARestart()
{
    GridBandedTableView *v = FFMAIN->cxGrid1DBTableView1;
    v->showQuickCustomization();
    GridQuickCustomizationPopup *popup = v->quickCustomizationPopup();
    QTRY_VERIFY(popup->isVisible());
    QListWidgetItem *item = popup->itemForCaption("Riferimento");
    QVERIFY(item);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualItemRect(item).center());
    QVERIFY(v->columnByField("Riferimento1")->isVisible());
    popup->hide();

    TFFMAIN restarted; // nothing of the layout is stored
    QVERIFY(!restarted.cxGrid1DBTableView1->columnByField("Riferimento1")->isVisible());
}

namespace {

QByteArray printed()
{
    QFile f(ProgramFolder + PrintFileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

void tst_CalStart::printTheList()
{
    for (const char *name : {"Alfa", "<script>alert(1)</script> & Co", "Gamma"}) {
        DM1->ScadData->append();
        DM1->ScadDataRagioneSociale->setAsString(name);
        DM1->ScadDataProvincia->setAsString(name[0] == 'G' ? "RA" : "FC");
        DM1->ScadData->post();
    }
    GridBandedTableView *v = FFMAIN->cxGrid1DBTableView1;
    GridColumn *pr = v->columnByField("Provincia");
    v->groupByColumn(pr, 0);
    v->controller()->setAllGroupsExpanded(false);
    FFMAIN->StampaHTMLselezione1->trigger();
    QCOMPARE(m_opened, QStringList{"ChasLst.html"});
    const QByteArray page = printed();
    QVERIFY(page.contains("Alfa") && page.contains("Gamma"));
    QVERIFY(page.contains("&lt;script&gt;alert(1)&lt;/script&gt; &amp; Co"));
    QVERIFY(!page.contains("<script>"));
    QVERIFY(page.contains(QFile::encodeName(ProgramFolder + PrintFileName)));
    for (int g = 0; g < v->controller()->groupCount(); ++g)
        QVERIFY(v->controller()->isGroupExpanded(g)); // left expanded on screen
}

void tst_CalStart::printTheSelectedCall()
{
    addCalls(3);
    DM1->ScadData->moveTo(1);
    FFMAIN->StampaHTMLSelezione2->trigger();
    QCOMPARE(m_opened, QStringList{"ChasLst.html"});
    const QByteArray page = printed();
    QVERIFY(page.contains("Call 1"));
    QVERIFY(!page.contains("Call 0") && !page.contains("Call 2"));
}

void tst_CalStart::printThatCannotBeWritten()
{
    addCalls(1);
    QFile::remove(ProgramFolder + PrintFileName);
    QVERIFY(QDir().mkdir(ProgramFolder + PrintFileName));
    try {
        FFMAIN->StampaHTMLselezione1Click();
        QFAIL("the print was reported as written");
    } catch (const DataError &e) {
        QCOMPARE(e.message(), QString("Can't create the export output file"));
    }
    QVERIFY(m_opened.isEmpty()); // the desktop is not asked
}

void tst_CalStart::commandErrorEndsInTheErrorBox()
{
    addCalls(1);
    QFile::remove(ProgramFolder + PrintFileName);
    QVERIFY(QDir().mkdir(ProgramFolder + PrintFileName));
    FFMAIN->StampaHTMLselezione1->trigger();
    QCOMPARE(m_boxes, QStringList{"tst_calstart|Can't create the export output file."});
    QVERIFY(m_opened.isEmpty());
    // The program goes on: the next command works.
    QVERIFY(QDir().rmdir(ProgramFolder + PrintFileName));
    FFMAIN->StampaHTMLselezione1->trigger();
    QCOMPARE(m_opened, QStringList{"ChasLst.html"});
    QCOMPARE(m_boxes.size(), 1);
}

void tst_CalStart::editorThatCannotOpenShowsTheError()
{
    DM1->ScadData->setAfterInsert([] { throw DataError("Archivio pieno"); });
    QStringList boxesWhileOpen;
    whileEditorOpen([&] { boxesWhileOpen = m_boxes; });
    FFMAIN->BBInserisci->click();
    QCOMPARE(boxesWhileOpen, QStringList{"tst_calstart|Archivio pieno."});
    QVERIFY(!FMFSCAD->isVisible());
    QCOMPARE(DM1->ScadData->state(), MemTable::State::Browse);
    QCOMPARE(DM1->ScadData->recordCount(), 0);
}

void tst_CalStart::printInARealBrowser()
{
    const QString chromium = QStandardPaths::findExecutable("chromium");
    if (chromium.isEmpty())
        QSKIP("chromium is not installed (./test installs it)");
    addCalls(3);
    DM1->ScadData->append();
    DM1->ScadDataRagioneSociale->setAsString("<script>document.body.innerHTML='PWNED'</script>");
    DM1->ScadData->post();
    FFMAIN->StampaHTMLselezione1->trigger();

    QProcess browser;
    browser.start(chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--dump-dom",
                             QUrl::fromLocalFile(ProgramFolder + PrintFileName).toString()});
    QVERIFY(browser.waitForFinished(60000));
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    QVERIFY2(dom.contains("<table"), qPrintable(dom.left(300)));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(dom.count(QString(">Call %1<").arg(i)), 1);
    // The name is shown as text and its script never ran.
    QVERIFY(dom.contains("&lt;script&gt;document.body.innerHTML='PWNED'&lt;/script&gt;"));
    QVERIFY(!dom.contains("<body>PWNED"));
}

void tst_CalStart::cancella_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("No") << false;
    QTest::newRow("Yes") << true;
}

void tst_CalStart::cancella()
{
    QFETCH(bool, yes);
    addCalls(3);
    DM1->ScadData->moveTo(1);
    m_answer = yes ? MessageBoxes::Answer::Yes : MessageBoxes::Answer::No;
    FFMAIN->BBCancella->click();
    QCOMPARE(m_boxes, QStringList{"Confirm|Confermi cancellazione nominativo ?"});
    QCOMPARE(DM1->ScadData->recordCount(), yes ? 2 : 3);
    QCOMPARE(DM1->ScadDataRagioneSociale->asString(), QString(yes ? "Call 2" : "Call 1"));
}

QTEST_MAIN(tst_CalStart)
#include "tst_calstart.moc"
