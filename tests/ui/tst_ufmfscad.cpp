#include "ui/UFMFSCAD.h"

#include "data/UDM1.h"
#include "platform/editors/Beep.h"
#include "platform/editors/BevelPanel.h"
#include "platform/editors/CaptionBox.h"
#include "platform/editors/DBComboBox.h"
#include "platform/editors/DBDateEdit.h"
#include "platform/editors/DBEdit.h"
#include "platform/editors/MemoEdit.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/editors/OfficeButton.h"
#include "platform/editors/TextLabel.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/memdata/AnsiCodec.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "tests/support/ModalWindow.h"
#include "tests/support/TypedText.h"
#include "ui/CalStart.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

const QDateTime Clock(QDate(2024, 3, 25), QTime(14, 30, 5, 750));

// One data module and one dialog, as the program has them, with the message boxes answered.
struct Program
{
    TDM1 dm;
    std::unique_ptr<TFMFSCAD> dialog;
    QStringList messages;

    Program()
    {
        dm.setClock([] { return Clock; });
        dm.ScadData->open();
        DM1 = &dm;
        MessageBoxes::setAnswerer([this](MessageBoxes::Kind, const QString &, const QString &text) {
            messages << text;
            return MessageBoxes::Answer::Ok;
        });
    }
    ~Program()
    {
        dialog.reset();
        FFMAIN = nullptr;
        MessageBoxes::setAnswerer({});
        DM1 = nullptr;
    }

    TFMFSCAD &create()
    {
        dialog = std::make_unique<TFMFSCAD>();
        FMFSCAD = dialog.get();
        return *dialog;
    }

    // A posted call with the given name, status and warranty.
    void addCall(const QString &name, const QString &status, const QString &warranty = QStringLiteral("S"),
                 const QString &problem = QString())
    {
        MemTable *t = dm.ScadData;
        t->append();
        dm.ScadDataRagioneSociale->setAsString(name);
        dm.ScadDataespletata->setAsString(status);
        dm.ScadDataingaranzia->setAsString(warranty);
        dm.ScadDatadesproblema->setAsString(problem);
        t->post();
    }

    // Runs driver inside the dialog's modal loop once it is open.
    static void whileOpen(TFMFSCAD *d, const std::function<void()> &driver)
    {
        whileModalOpen([driver](QWidget *) { driver(); }, d);
    }

    // Opens the dialog modally and runs driver inside its loop.
    void run(void (TFMFSCAD::*open)(), const std::function<void()> &driver)
    {
        TFMFSCAD *d = dialog.get();
        whileOpen(d, driver);
        (d->*open)();
        QCoreApplication::sendPostedEvents(d, QEvent::MetaCall);   // no stale close for the next opening
    }

    // The program's main window, over this data module and dialog.
    std::unique_ptr<TFFMAIN> mainWindow()
    {
        auto main = std::make_unique<TFFMAIN>();
        FFMAIN = main.get();
        return main;
    }

    // Reads the store from the archive in folder, as the program starts.
    void start(const QTemporaryDir &folder)
    {
        dm.setExecutablePath(folder.filePath(QStringLiteral("Callistro")));
        dm.DataModuleCreate();
    }

    // Writes the store to the archive, as the program ends, and gives the file's bytes.
    QByteArray end(const QTemporaryDir &folder)
    {
        dialog.reset();
        FMFSCAD = nullptr;
        dm.DataModuleDestroy();
        QFile file(folder.filePath(QStringLiteral("Chasdata.dat")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString field(const char *name) const { return dm.ScadData->fieldByName(QString::fromLatin1(name))->asString(); }
};

bool hasFocus(const TFMFSCAD &d, const QWidget *w)
{
    const QWidget *f = d.focusWidget();
    return f && (f == w || w->isAncestorOf(f) || f->focusProxy() == w);
}

void typeInto(QWidget *w, const QString &text)
{
    if (auto *combo = qobject_cast<QComboBox *>(w))
        w = combo->lineEdit();
    if (auto *line = qobject_cast<QLineEdit *>(w))
        line->selectAll();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(w))
        memo->selectAll();
    QTest::keyClicks(w, text);
}

void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

QList<QWidget *> statusControls(const TFMFSCAD &d)
{
    return {d.EDITRagioneSociale, d.EDITINDIRIZZO, d.EDITCAP, d.EDITLOCALITA, d.EDITPR,
            d.EDataORichiesta, d.MENote};
}

QList<QWidget *> alwaysEnabled(const TFMFSCAD &d)
{
    return {d.EDITPIVA, d.EDITCFISCALE, d.EDITRif1, d.EditTelefono1, d.EDITFax1, d.EDITEMAIL1,
            d.EProduttore, d.EDistributore, d.ETipoArticolo, d.EArticolo, d.EMatricola,
            d.EDataOIntervento, d.EDataAcq, d.CBInGaranzia, d.CBEspletata};
}

// The enabled states of the status rule for a call to be done (toDo) or done.
void checkStatusStates(const TFMFSCAD &d, bool toDo)
{
    for (const QWidget *w : statusControls(d))
        QVERIFY2(w->isEnabled() == toDo, qPrintable(w->objectName()));
    QCOMPARE(d.MENote1->isEnabled(), !toDo);
    for (const QWidget *w : alwaysEnabled(d))
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
}

} // namespace

class TestUFMFSCAD : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Insert mode.
    void insertOpeningShowsAFreshCall();
    void callsAreEnteredOneAfterAnother();
    void nameIsRequired_data();
    void nameIsRequired();
    void nameCheckWithTheNameBoxDisabled();
    void aDoneCallConfirmedLeavesTheNextToBeDone();
    void aLowerCaseLetterSelectsTheItem_data();
    void aLowerCaseLetterSelectsTheItem();
    void aLetterTypedOverTheShownOneReplacesIt_data();
    void aLetterTypedOverTheShownOneReplacesIt();
    void editsAndMemosTakeWhatTheArchiveHolds_data();
    void editsAndMemosTakeWhatTheArchiveHolds();
    void foreignTextTypedIntoAChoiceFallsBack_data();
    void foreignTextTypedIntoAChoiceFallsBack();
    void insertKeyConfirms_data();
    void insertKeyConfirms();
    void insertKeyIsNotConsumed();
    void memoTakes300AndEnterStartsNoLine();
    void enterAndEscapeDoNothingOfTheDialogsOwn();

    // Modify mode.
    void modifyConfirmSavesAndCloses();
    void modifyLeavingKeepsTheOldValues_data();
    void modifyLeavingKeepsTheOldValues();
    void modifyCaptions();
    void modifyInsertKeySavesAndCloses();
    void aConfirmingKeyAddsNothingAfterTheConfirm_data();
    void aConfirmingKeyAddsNothingAfterTheConfirm();
    void failedPostShowsErrorePost();
    void aValueThatCannotBeWrittenShowsErrorePost();
    void failedModifyOpeningShowsRigaNonDisponibile();

    // The rules follow the store also while the dialog is hidden.
    void creationRunsNoRule();
    void anOpeningWithoutAModeSetsNothingUp();
    void rulesRunWhileHidden();
    void fieldSetThroughTheStoreRunsTheRule();
    void foreignValueInTheStoreIsShownAsTheFirstItem_data();
    void foreignValueInTheStoreIsShownAsTheFirstItem();
    void browsingInTheListLeavesTheArchiveAsItWas_data();
    void browsingInTheListLeavesTheArchiveAsItWas();
    void modifyOnADoneCallReachedByMoving();

    // Layout.
    void windowAndNames();
    void geometry_data();
    void geometry();
    void labelsGrowIntoNoControl();
    void tabOrder();
    void fontsAndColours();

    void callsReachTheArchiveFile();
};

void TestUFMFSCAD::insertOpeningShowsAFreshCall()
{
    Program p;
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        QCOMPARE(d.EditorMode, int(TFMFSCAD::emInsert));
        QCOMPARE(p.dm.ScadData->state(), MemTable::State::Insert);
        QCOMPARE(d.CBEspletata->shownText(), QStringLiteral("N"));
        QCOMPARE(d.DEspletat->text(), QStringLiteral(">>CHIAMATA DA ESPLETARE<<"));
        QCOMPARE(d.CBInGaranzia->shownText(), QStringLiteral("S"));
        QCOMPARE(d.DInGaranzia->text(), QStringLiteral("IN GARANZIA"));
        QCOMPARE(d.MENote->text(), QString());
        QCOMPARE(d.MENote1->text(), QString());
        checkStatusStates(d, true);
        QVERIFY(hasFocus(d, d.CBEspletata));
        QCOMPARE(d.EDataORichiesta->displayText(), QStringLiteral("25/03/2024 14:30:05"));
        QCOMPARE(d.EDataOIntervento->displayText(), QStringLiteral("25/03/2024 14:30:05"));
        QCOMPARE(d.EDataAcq->displayText(), QStringLiteral("25/03/2024"));
        QCOMPARE(d.FErrorText, QString());
        click(d.BBEsci);
    });
    QCOMPARE(d.result(), int(TFMFSCAD::mrCancel));
    QCOMPARE(p.dm.ScadData->recordCount(), 0);
}

void TestUFMFSCAD::callsAreEnteredOneAfterAnother()
{
    Program p;
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        typeInto(d.EDITRagioneSociale, QStringLiteral("rossi mario"));
        typeInto(d.EDITEMAIL1, QStringLiteral("Mario@Rossi.IT"));
        typeInto(d.CBInGaranzia, QStringLiteral("N"));
        typeInto(d.MENote, QStringLiteral("non parte"));
        typeInto(d.CBEspletata, QStringLiteral("E"));
        typeInto(d.MENote1, QStringLiteral("alimentatore"));
        click(d.BBInserisci);
        QCOMPARE(p.dm.ScadData->recordCount(), 1);
        QCOMPARE(p.dm.ScadData->state(), MemTable::State::Insert);
        QVERIFY(hasFocus(d, d.EDataORichiesta));
        QCOMPARE(d.CBEspletata->shownText(), QStringLiteral("N"));
        QCOMPARE(d.CBInGaranzia->shownText(), QStringLiteral("S"));
        QCOMPARE(d.DInGaranzia->text(), QStringLiteral("IN GARANZIA"));
        QCOMPARE(d.EDITRagioneSociale->text(), QString());
        QCOMPARE(d.MENote->text(), QStringLiteral("non parte"));   // kept for the next call
        QCOMPARE(d.MENote1->text(), QStringLiteral("alimentatore"));
        QVERIFY(!d.MENote1->isEnabled());
        typeInto(d.EDITRagioneSociale, QStringLiteral("bianchi"));
        click(d.BBInserisci);
        QCOMPARE(p.dm.ScadData->recordCount(), 2);
        typeInto(d.EDITRagioneSociale, QStringLiteral("never saved"));
        click(d.BBEsci);
    });
    QVERIFY(!d.isVisible());
    MemTable *t = p.dm.ScadData;
    QCOMPARE(t->state(), MemTable::State::Browse);
    QCOMPARE(t->recordCount(), 2);
    t->first();
    QCOMPARE(p.field("RagioneSociale"), QStringLiteral("ROSSI MARIO"));
    QCOMPARE(p.field("email1"), QStringLiteral("mario@rossi.it"));
    QCOMPARE(p.field("ingaranzia"), QStringLiteral("N"));
    QCOMPARE(p.field("espletata"), QStringLiteral("E"));
    QCOMPARE(p.field("desproblema"), QStringLiteral("non parte"));
    QCOMPARE(p.field("desdifetto"), QStringLiteral("alimentatore"));
    QCOMPARE(p.field("NumScad"), QStringLiteral("240325143005"));
    t->next();
    QCOMPARE(p.field("RagioneSociale"), QStringLiteral("BIANCHI"));
    QCOMPARE(p.field("ingaranzia"), QStringLiteral("S"));
    QCOMPARE(p.field("espletata"), QStringLiteral("N"));
    QCOMPARE(p.field("desproblema"), QStringLiteral("non parte"));
    QCOMPARE(p.field("desdifetto"), QStringLiteral("alimentatore"));
}

void TestUFMFSCAD::nameIsRequired_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks") << QStringLiteral("   ");
    QTest::newRow("blanks and a tab") << QStringLiteral(" \t ");
}

void TestUFMFSCAD::nameIsRequired()
{
    QFETCH(QString, name);
    Program p;
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        if (!name.isEmpty())
            d.EDITRagioneSociale->insert(name);
        d.EDITPIVA->setFocus();
        click(d.BBInserisci);
        QCOMPARE(p.messages, QStringList(QStringLiteral("Nominativo richiesto !")));
        QCOMPARE(d.FErrorText, QStringLiteral("Nominativo richiesto !"));
        QCOMPARE(d.FErrorControl, static_cast<QWidget *>(d.EDITRagioneSociale));
        QVERIFY(hasFocus(d, d.EDITRagioneSociale));
        QVERIFY(d.isVisible());
        QCOMPARE(p.dm.ScadData->state(), MemTable::State::Insert);
        click(d.BBEsci);
    });
    QCOMPARE(p.dm.ScadData->recordCount(), 0);
}

void TestUFMFSCAD::nameCheckWithTheNameBoxDisabled()
{
    Program p;
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        d.CBEspletata->setFocus();
        typeInto(d.CBEspletata, QStringLiteral("E"));
        QCOMPARE(d.DEspletat->text(), QStringLiteral(">>CHIAMATA ESPLETATA<<"));
        checkStatusStates(d, false);
        d.EDITRif1->setFocus();
        QTest::keyClick(d.EDITRif1, Qt::Key_Insert);
        QCOMPARE(p.messages, QStringList(QStringLiteral("Nominativo richiesto !")));
        QVERIFY(hasFocus(d, d.EDITRif1));
        QCOMPARE(p.dm.ScadData->recordCount(), 0);
        typeInto(d.CBEspletata, QStringLiteral("N"));
        QVERIFY(d.EDITRagioneSociale->isEnabled());
        click(d.BBEsci);
    });
}

void TestUFMFSCAD::aDoneCallConfirmedLeavesTheNextToBeDone()
{
    Program p;
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        typeInto(d.EDITRagioneSociale, QStringLiteral("verdi"));
        typeInto(d.CBEspletata, QStringLiteral("E"));
        checkStatusStates(d, false);
        click(d.BBInserisci);
        QCOMPARE(d.CBEspletata->shownText(), QStringLiteral("N"));
        checkStatusStates(d, true);
        QVERIFY(d.EDataORichiesta->isEnabled());
        QVERIFY(hasFocus(d, d.EDataORichiesta));
        click(d.BBEsci);
    });
    p.dm.ScadData->first();
    QCOMPARE(p.field("espletata"), QStringLiteral("E"));
}

void TestUFMFSCAD::aLowerCaseLetterSelectsTheItem_data()
{
    QTest::addColumn<bool>("status");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("item");
    QTest::newRow("e in the status") << true << QStringLiteral("e") << QStringLiteral("E");
    QTest::newRow("n in the status") << true << QStringLiteral("n") << QStringLiteral("N");
    QTest::newRow("n in the warranty") << false << QStringLiteral("n") << QStringLiteral("N");
    QTest::newRow("s in the warranty") << false << QStringLiteral("s") << QStringLiteral("S");
}

void TestUFMFSCAD::aLowerCaseLetterSelectsTheItem()
{
    QFETCH(bool, status);
    QFETCH(QString, typed);
    QFETCH(QString, item);
    Program p;
    TFMFSCAD &d = p.create();
    DBComboBox *box = status ? d.CBEspletata : d.CBInGaranzia;
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        typeInto(d.EDITRagioneSociale, QStringLiteral("rosa"));
        typeInto(box, typed);
        QCOMPARE(box->shownText(), item);
        if (status) {
            const bool done = item == QLatin1String("E");
            QCOMPARE(d.DEspletat->text(), done ? QStringLiteral(">>CHIAMATA ESPLETATA<<") : QStringLiteral(">>CHIAMATA DA ESPLETARE<<"));
            checkStatusStates(d, !done);
        } else {
            QCOMPARE(d.DInGaranzia->text(), item == QLatin1String("S") ? QStringLiteral("IN GARANZIA") : QStringLiteral("FUORI GARANZIA"));
        }
        click(d.BBInserisci);
        click(d.BBEsci);
    });
    p.dm.ScadData->first();
    QCOMPARE(p.field(status ? "espletata" : "ingaranzia"), item);
}

void TestUFMFSCAD::aLetterTypedOverTheShownOneReplacesIt_data()
{
    QTest::addColumn<bool>("status");
    QTest::addColumn<QString>("typed");
    QTest::newRow("E over N in the status") << true << QStringLiteral("E");
    QTest::newRow("N over S in the warranty") << false << QStringLiteral("N");
}

void TestUFMFSCAD::aLetterTypedOverTheShownOneReplacesIt()
{
    QFETCH(bool, status);
    QFETCH(QString, typed);
    Program p;
    p.addCall(QStringLiteral("PRIMO"), QStringLiteral("N"), QStringLiteral("S"));
    TFMFSCAD &d = p.create();
    DBComboBox *box = status ? d.CBEspletata : d.CBInGaranzia;
    p.run(&TFMFSCAD::OpenForModify, [&] {
        box->lineEdit()->end(false);                   // behind the shown letter, nothing selected
        QTest::keyClicks(box->lineEdit(), typed);
        QCOMPARE(box->shownText(), typed);
        if (status)
            QCOMPARE(d.DEspletat->text(), QStringLiteral(">>CHIAMATA ESPLETATA<<"));
        else
            QCOMPARE(d.DInGaranzia->text(), QStringLiteral("FUORI GARANZIA"));
        click(d.BBInserisci);
    });
    QCOMPARE(d.result(), int(TFMFSCAD::mrOk));
    QCOMPARE(p.field(status ? "espletata" : "ingaranzia"), typed);
}

void TestUFMFSCAD::editsAndMemosTakeWhatTheArchiveHolds_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("beeps");
    QTest::newRow("problem memo, base letters") << "MENote" << "desproblema" << QStringLiteral("Łódź") << QStringLiteral(" Őrség") << QStringLiteral("Lódz Orség") << 0;
    QTest::newRow("address, base letters") << "EDITINDIRIZZO" << "Indirizzo" << QStringLiteral("Łódź") << QStringLiteral(" Őrség") << QStringLiteral("LÓDZ ORSÉG") << 0;
    QTest::newRow("e-mail, base letters") << "EDITEMAIL1" << "email1" << QStringLiteral("Ł@") << QStringLiteral("Ő.it") << QStringLiteral("l@o.it") << 0;
    QTest::newRow("town, refused") << "EDITLOCALITA" << "Localita" << QStringLiteral("\u03A9") << QStringLiteral("ROMA\u2192") << QStringLiteral("ROMA") << 2;
    QTest::newRow("problem memo, refused") << "MENote" << "desproblema" << QStringLiteral("a\u4E2D") << QStringLiteral("\U0001F600b") << QStringLiteral("ab") << 2;
    // Upper case keeps the length and the code page.
    QTest::newRow("address, sharp s and micro") << "EDITINDIRIZZO" << "Indirizzo" << QStringLiteral("straße µ") << QString() << QStringLiteral("STRAßE µ") << 0;
    QTest::newRow("town, y with diaeresis") << "EDITLOCALITA" << "Localita" << QStringLiteral("ÿ") << QStringLiteral("ÿ") << QStringLiteral("ŸŸ") << 0;
}

void TestUFMFSCAD::editsAndMemosTakeWhatTheArchiveHolds()
{
    QFETCH(QString, control);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, stored);
    QFETCH(int, beeps);
    int heard = 0;
    Beep::setListener([&heard] { ++heard; });
    const auto quiet = qScopeGuard([] { Beep::setListener({}); });
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    Program p;
    p.start(folder);
    TFMFSCAD &d = p.create();
    QWidget *box = d.findChild<QWidget *>(control);
    QVERIFY(box);
    auto shown = [box] {
        if (auto *memo = qobject_cast<MemoEdit *>(box))
            return memo->text();
        return qobject_cast<DBEdit *>(box)->text();
    };
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        typeInto(d.EDITRagioneSociale, QStringLiteral("nome"));
        typeText(box, typed);
        if (!pasted.isEmpty()) {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(shown(), stored);
        QCOMPARE(heard, beeps);
        click(d.BBInserisci);
        click(d.BBEsci);
    });
    p.dm.ScadData->first();
    QCOMPARE(p.dm.ScadData->fieldByName(field)->asString(), stored);
    const QByteArray archive = p.end(folder);
    const QByteArray value = '\t' + AnsiCodec::fromUnicode(stored) + '\t';
    QVERIFY2(archive.contains(value), archive.constData());
}

void TestUFMFSCAD::foreignTextTypedIntoAChoiceFallsBack_data()
{
    QTest::addColumn<bool>("status");
    QTest::addColumn<QString>("typed");
    QTest::newRow("status, a foreign letter") << true << QStringLiteral("x");
    QTest::newRow("status, cleared") << true << QString();
    QTest::newRow("warranty, a foreign letter") << false << QStringLiteral("x");
    QTest::newRow("warranty, cleared") << false << QString();
}

void TestUFMFSCAD::foreignTextTypedIntoAChoiceFallsBack()
{
    QFETCH(bool, status);
    QFETCH(QString, typed);
    Program p;
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        DBComboBox *box = status ? d.CBEspletata : d.CBInGaranzia;
        typeInto(box, status ? QStringLiteral("E") : QStringLiteral("N"));
        QCOMPARE(box->itemIndex(), 1);
        box->lineEdit()->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
        else
            QTest::keyClicks(box->lineEdit(), typed);
        QCOMPARE(box->shownText(), status ? QStringLiteral("N") : QStringLiteral("S"));
        if (status) {
            QCOMPARE(d.DEspletat->text(), QStringLiteral(">>CHIAMATA DA ESPLETARE<<"));
            checkStatusStates(d, true);
        } else {
            QCOMPARE(d.DInGaranzia->text(), QStringLiteral("IN GARANZIA"));
        }
        click(d.BBEsci);
    });
}

void TestUFMFSCAD::insertKeyConfirms_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("saved");
    QTest::newRow("telephone") << QStringLiteral("EditTelefono1") << int(Qt::NoModifier) << 1;
    QTest::newRow("telephone, shift") << QStringLiteral("EditTelefono1") << int(Qt::ShiftModifier) << 1;
    QTest::newRow("telephone, ctrl") << QStringLiteral("EditTelefono1") << int(Qt::ControlModifier) << 1;
    QTest::newRow("serial number, alt") << QStringLiteral("EMatricola") << int(Qt::AltModifier) << 1;
    QTest::newRow("e-mail") << QStringLiteral("EDITEMAIL1") << int(Qt::NoModifier) << 1;
    QTest::newRow("name") << QStringLiteral("EDITRagioneSociale") << int(Qt::NoModifier) << 0;
    QTest::newRow("tax code") << QStringLiteral("EDITCFISCALE") << int(Qt::NoModifier) << 0;
    QTest::newRow("purchase date") << QStringLiteral("EDataAcq") << int(Qt::NoModifier) << 0;
    QTest::newRow("status") << QStringLiteral("CBEspletata") << int(Qt::NoModifier) << 0;
    QTest::newRow("problem memo") << QStringLiteral("MENote") << int(Qt::NoModifier) << 0;
}

void TestUFMFSCAD::insertKeyConfirms()
{
    QFETCH(QString, edit);
    QFETCH(int, modifiers);
    QFETCH(int, saved);
    Program p;
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        typeInto(d.EDITRagioneSociale, QStringLiteral("neri"));
        QWidget *target = d.findChild<QWidget *>(edit);
        QVERIFY(target);
        if (auto *combo = qobject_cast<QComboBox *>(target))
            target = combo->lineEdit();
        QTest::keyClick(target, Qt::Key_Insert, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(p.dm.ScadData->recordCount(), saved);
        QCOMPARE(p.dm.ScadData->state(), MemTable::State::Insert);
        QVERIFY(d.isVisible());
        click(d.BBEsci);
    });
    QCOMPARE(p.dm.ScadData->recordCount(), saved);
}

void TestUFMFSCAD::insertKeyIsNotConsumed()
{
    Program p;
    TFMFSCAD &d = p.create();
    p.addCall(QStringLiteral("A"), QStringLiteral("N"));
    QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    QVERIFY(!static_cast<QObject &>(d).eventFilter(d.EditTelefono1, &insert));
}

void TestUFMFSCAD::memoTakes300AndEnterStartsNoLine()
{
    Program p;
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        typeInto(d.EDITRagioneSociale, QStringLiteral("gialli"));
        QTest::keyClicks(d.MENote, QString(150, u'a'));
        QTest::keyClick(d.MENote, Qt::Key_Return);
        QTest::keyClicks(d.MENote, QString(160, u'b'));
        QCOMPARE(d.MENote->text(), QString(150, u'a') + QString(150, u'b'));
        QVERIFY(d.isVisible());
        click(d.BBInserisci);
        click(d.BBEsci);
    });
    p.dm.ScadData->first();
    QCOMPARE(p.field("desproblema"), QString(150, u'a') + QString(150, u'b'));
}

void TestUFMFSCAD::enterAndEscapeDoNothingOfTheDialogsOwn()
{
    Program p;
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        typeInto(d.EDITRagioneSociale, QStringLiteral("viola"));
        d.BBInserisci->setFocus();
        QTest::keyClick(d.EDITRagioneSociale, Qt::Key_Return);
        QTest::keyClick(&d, Qt::Key_Escape);
        QTest::keyClick(&d, Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(p.dm.ScadData->recordCount(), 0);
        click(d.BBEsci);
    });
}

void TestUFMFSCAD::modifyConfirmSavesAndCloses()
{
    Program p;
    p.addCall(QStringLiteral("PRIMO"), QStringLiteral("N"), QStringLiteral("S"), QStringLiteral("vecchio"));
    p.addCall(QStringLiteral("SECONDO"), QStringLiteral("N"));
    p.dm.ScadData->first();
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForModify, [&] {
        QCOMPARE(p.dm.ScadData->state(), MemTable::State::Edit);
        QCOMPARE(d.EDITRagioneSociale->text(), QStringLiteral("PRIMO"));
        QCOMPARE(d.MENote->text(), QStringLiteral("vecchio"));
        typeInto(d.EDITRagioneSociale, QStringLiteral("primo bis"));
        typeInto(d.MENote, QStringLiteral("nuovo"));
        click(d.BBInserisci);
    });
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(TFMFSCAD::mrOk));
    MemTable *t = p.dm.ScadData;
    QCOMPARE(t->state(), MemTable::State::Browse);
    QCOMPARE(t->recordCount(), 2);
    QCOMPARE(t->currentPosition(), 0);
    QCOMPARE(p.field("RagioneSociale"), QStringLiteral("PRIMO BIS"));
    QCOMPARE(p.field("desproblema"), QStringLiteral("nuovo"));
}

void TestUFMFSCAD::modifyLeavingKeepsTheOldValues_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Esci") << false;
    QTest::newRow("close box") << true;
}

void TestUFMFSCAD::modifyLeavingKeepsTheOldValues()
{
    QFETCH(bool, closeBox);
    Program p;
    p.addCall(QStringLiteral("PRIMO"), QStringLiteral("N"), QStringLiteral("S"), QStringLiteral("vecchio"));
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForModify, [&] {
        typeInto(d.EDITRagioneSociale, QStringLiteral("altro"));
        typeInto(d.CBInGaranzia, QStringLiteral("N"));
        typeInto(d.MENote, QStringLiteral(" e nuovo"));
        if (closeBox)
            d.close();
        else
            click(d.BBEsci);
    });
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(TFMFSCAD::mrCancel));
    QCOMPARE(p.dm.ScadData->state(), MemTable::State::Browse);
    QCOMPARE(p.field("RagioneSociale"), QStringLiteral("PRIMO"));
    QCOMPARE(p.field("ingaranzia"), QStringLiteral("S"));
    QCOMPARE(p.field("desproblema"), QStringLiteral("vecchio"));
    QCOMPARE(d.EDITRagioneSociale->text(), QStringLiteral("PRIMO"));
}

void TestUFMFSCAD::modifyCaptions()
{
    Program p;
    p.addCall(QStringLiteral("PRIMO"), QStringLiteral("N"), QStringLiteral("N"));
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForModify, [&] {
        QCOMPARE(d.DEspletat->text(), QStringLiteral(">>CHIAMATA NON ESPLETATA<<"));
        QCOMPARE(d.DInGaranzia->text(), QStringLiteral("FUORI GARANZIA"));
        typeInto(d.CBEspletata, QStringLiteral("E"));
        QCOMPARE(d.DEspletat->text(), QStringLiteral(">>CHIAMATA ESPLETATA<<"));
        typeInto(d.CBEspletata, QStringLiteral("N"));
        QCOMPARE(d.DEspletat->text(), QStringLiteral(">>CHIAMATA DA ESPLETARE<<"));
        typeInto(d.CBInGaranzia, QStringLiteral("S"));
        QCOMPARE(d.DInGaranzia->text(), QStringLiteral("IN GARANZIA"));
        click(d.BBEsci);
    });
}

void TestUFMFSCAD::modifyInsertKeySavesAndCloses()
{
    Program p;
    p.addCall(QStringLiteral("PRIMO"), QStringLiteral("N"));
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForModify, [&] {
        typeInto(d.EditTelefono1, QStringLiteral("0612345"));
        QTest::keyClick(d.EditTelefono1, Qt::Key_Insert);
    });
    QCOMPARE(d.result(), int(TFMFSCAD::mrOk));
    QCOMPARE(p.field("Telefono1"), QStringLiteral("0612345"));
    QCOMPARE(p.dm.ScadData->recordCount(), 1);
}

void TestUFMFSCAD::aConfirmingKeyAddsNothingAfterTheConfirm_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::newRow("shift, which pastes") << int(Qt::ShiftModifier);
    QTest::newRow("plain") << int(Qt::NoModifier);
    QTest::newRow("ctrl") << int(Qt::ControlModifier);
    QTest::newRow("alt") << int(Qt::AltModifier);
}

void TestUFMFSCAD::aConfirmingKeyAddsNothingAfterTheConfirm()
{
    QFETCH(int, modifiers);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    Program p;
    p.start(folder);
    p.addCall(QStringLiteral("PRIMO"), QStringLiteral("N"));
    const auto main = p.mainWindow();
    TFMFSCAD &d = p.create();
    QGuiApplication::clipboard()->setText(QStringLiteral("PASTED"));
    Program::whileOpen(&d, [&] {
        typeInto(d.EditTelefono1, QStringLiteral("02 1234567"));
        QTest::keyClick(d.EditTelefono1, Qt::Key_Insert, Qt::KeyboardModifiers(modifiers));
    });
    main->BBModifica->click();                         // opens, and returns to the call afterwards
    QCOMPARE(d.result(), int(TFMFSCAD::mrOk));
    QVERIFY(!d.isVisible());
    QCOMPARE(p.dm.ScadData->state(), MemTable::State::Browse);
    QCOMPARE(p.field("Telefono1"), QStringLiteral("02 1234567"));
    QCOMPARE(d.EditTelefono1->text(), QStringLiteral("02 1234567"));
    QVERIFY(p.end(folder).contains("\t02 1234567\t"));
}

void TestUFMFSCAD::failedPostShowsErrorePost()
{
    Program p;
    p.addCall(QStringLiteral("PRIMO"), QStringLiteral("N"));
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForModify, [&] {
        p.dm.ScadData->cancel();                      // the call is no longer in editing
        click(d.BBInserisci);
        QCOMPARE(p.messages, QStringList(QStringLiteral("errore post")));
        QVERIFY(d.isVisible());
        click(d.BBEsci);
    });
    QCOMPARE(d.result(), int(TFMFSCAD::mrCancel));
}

void TestUFMFSCAD::aValueThatCannotBeWrittenShowsErrorePost()
{
    Program p;
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        typeInto(d.EDITRagioneSociale, QStringLiteral("blu"));
        typeInto(d.MENote, QStringLiteral("rumore"));
        d.EDataOIntervento->selectAll();
        QTest::keyClick(d.EDataOIntervento, Qt::Key_Delete);
        d.EDataOIntervento->home(false);
        QTest::keyClicks(d.EDataOIntervento, QStringLiteral("0102"));   // half a date
        click(d.BBInserisci);
        QCOMPARE(p.messages, QStringList(QStringLiteral("errore post")));
        QVERIFY(d.isVisible());
        QCOMPARE(p.dm.ScadData->state(), MemTable::State::Insert);
        QCOMPARE(p.dm.ScadData->recordCount(), 0);
        QCOMPARE(p.field("desproblema"), QStringLiteral("rumore"));   // written before the post failed
        QCOMPARE(d.EDITRagioneSociale->text(), QStringLiteral("BLU"));
        click(d.BBEsci);
    });
    QCOMPARE(p.dm.ScadData->recordCount(), 0);
}

void TestUFMFSCAD::failedModifyOpeningShowsRigaNonDisponibile()
{
    Program p;
    TFMFSCAD &d = p.create();
    d.MENote->setText(QStringLiteral("da prima"));
    p.dm.ScadData->close();                           // nothing can be put into editing
    p.run(&TFMFSCAD::OpenForModify, [&] {
        QCOMPARE(p.messages, QStringList(QStringLiteral("Riga non disponibile !")));
        QVERIFY(d.isVisible());
        QCOMPARE(d.MENote->text(), QStringLiteral("da prima"));
        click(d.BBEsci);
    });
    QVERIFY(!d.isVisible());
}

void TestUFMFSCAD::creationRunsNoRule()
{
    Program p;
    p.addCall(QStringLiteral("FATTA"), QStringLiteral("E"), QStringLiteral("N"));
    TFMFSCAD &d = p.create();
    QCOMPARE(d.CBEspletata->shownText(), QStringLiteral("E"));
    QCOMPARE(d.DEspletat->text(), QStringLiteral("DEspletata"));
    QCOMPARE(d.DInGaranzia->text(), QStringLiteral("DInGaranzia"));
    QCOMPARE(d.MENote->text(), QStringLiteral("MENote"));
    QCOMPARE(d.MENote1->text(), QStringLiteral("MENote"));
    QCOMPARE(d.EditorMode, 0);
    for (const QWidget *w : statusControls(d) + alwaysEnabled(d) + QList<QWidget *>{d.MENote1})
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));

    // Opened in modify mode before the status ever changed: everything stays enabled.
    p.run(&TFMFSCAD::OpenForModify, [&] {
        QVERIFY(d.EDITRagioneSociale->isEnabled());
        QVERIFY(d.MENote1->isEnabled());
        QCOMPARE(d.DEspletat->text(), QStringLiteral(">>CHIAMATA ESPLETATA<<"));
        QCOMPARE(d.DInGaranzia->text(), QStringLiteral("FUORI GARANZIA"));
        click(d.BBEsci);
    });
}

void TestUFMFSCAD::anOpeningWithoutAModeSetsNothingUp()
{
    Program p;
    p.addCall(QStringLiteral("A"), QStringLiteral("N"));
    TFMFSCAD &d = p.create();
    d.show();
    QCOMPARE(p.dm.ScadData->state(), MemTable::State::Browse);
    QCOMPARE(p.dm.ScadData->recordCount(), 1);
    QCOMPARE(d.DEspletat->text(), QStringLiteral("DEspletata"));
    QCOMPARE(d.MENote->text(), QStringLiteral("MENote"));
    QVERIFY(p.messages.isEmpty());
    d.hide();
}

void TestUFMFSCAD::rulesRunWhileHidden()
{
    Program p;
    p.addCall(QStringLiteral("DA FARE"), QStringLiteral("N"), QStringLiteral("S"));
    p.addCall(QStringLiteral("FATTA"), QStringLiteral("E"), QStringLiteral("N"));
    p.dm.ScadData->first();
    TFMFSCAD &d = p.create();
    QVERIFY(!d.isVisible());
    p.dm.ScadData->next();
    checkStatusStates(d, false);
    QCOMPARE(d.DEspletat->text(), QStringLiteral(">>CHIAMATA ESPLETATA<<"));
    QCOMPARE(d.DInGaranzia->text(), QStringLiteral("FUORI GARANZIA"));
    p.dm.ScadData->prior();
    checkStatusStates(d, true);
    QCOMPARE(d.DEspletat->text(), QStringLiteral(">>CHIAMATA DA ESPLETARE<<"));
    QCOMPARE(d.DInGaranzia->text(), QStringLiteral("IN GARANZIA"));
    QCOMPARE(p.dm.ScadData->state(), MemTable::State::Browse);
    QVERIFY(p.messages.isEmpty());
}

void TestUFMFSCAD::fieldSetThroughTheStoreRunsTheRule()
{
    Program p;
    p.addCall(QStringLiteral("DA FARE"), QStringLiteral("N"));
    TFMFSCAD &d = p.create();
    MemTable *t = p.dm.ScadData;
    t->edit();
    p.dm.ScadDataespletata->setAsString(QStringLiteral("E"));
    checkStatusStates(d, false);
    t->cancel();                                      // the change is dropped: "N" again
    checkStatusStates(d, true);
    t->append();                                      // a new call while hidden
    QCOMPARE(d.CBEspletata->shownText(), QStringLiteral("N"));
    checkStatusStates(d, true);
    t->cancel();
    QCOMPARE(t->recordCount(), 1);
    t->remove();                                      // the last call goes: no call takes its place
    QCOMPARE(t->recordCount(), 0);
    QCOMPARE(t->state(), MemTable::State::Browse);
    QCOMPARE(d.CBEspletata->shownText(), QStringLiteral("N"));
    checkStatusStates(d, true);
}

void TestUFMFSCAD::foreignValueInTheStoreIsShownAsTheFirstItem_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("warranty");
    QTest::addColumn<QString>("shownStatus");
    QTest::addColumn<QString>("shownWarranty");
    QTest::newRow("foreign status") << QStringLiteral("X") << QStringLiteral("S") << QStringLiteral("N") << QStringLiteral("S");
    QTest::newRow("empty status") << QString() << QStringLiteral("N") << QStringLiteral("N") << QStringLiteral("N");
    QTest::newRow("foreign warranty") << QStringLiteral("E") << QStringLiteral("?") << QStringLiteral("E") << QStringLiteral("S");
    QTest::newRow("empty warranty") << QStringLiteral("N") << QString() << QStringLiteral("N") << QStringLiteral("S");
    QTest::newRow("lower-case status") << QStringLiteral("e") << QStringLiteral("S") << QStringLiteral("e") << QStringLiteral("S");
}

void TestUFMFSCAD::foreignValueInTheStoreIsShownAsTheFirstItem()
{
    QFETCH(QString, status);
    QFETCH(QString, warranty);
    QFETCH(QString, shownStatus);
    QFETCH(QString, shownWarranty);
    Program p;
    p.addCall(QStringLiteral("A"), QStringLiteral("N"));
    p.addCall(QStringLiteral("B"), status, warranty);
    p.addCall(QStringLiteral("C"), QStringLiteral("N"));
    TFMFSCAD &d = p.create();
    MemTable *t = p.dm.ScadData;
    t->prior();                                       // onto B, as the list would move
    QCOMPARE(t->state(), MemTable::State::Browse);
    QCOMPARE(d.CBEspletata->shownText(), shownStatus);
    QCOMPARE(d.CBInGaranzia->shownText(), shownWarranty);
    t->next();                                        // moving on saves nothing
    t->prior();
    QCOMPARE(t->state(), MemTable::State::Browse);
    QCOMPARE(t->changeCount(), quint64(3));
    QCOMPARE(p.field("espletata"), status);
    QCOMPARE(p.field("ingaranzia"), warranty);

    // Left with Esci, the call keeps what it holds.
    p.run(&TFMFSCAD::OpenForModify, [&] { click(d.BBEsci); });
    QCOMPARE(p.field("espletata"), status);
    QCOMPARE(p.field("ingaranzia"), warranty);
    QCOMPARE(d.CBInGaranzia->shownText(), shownWarranty);

    // Confirmed, it holds what the dialog showed.
    p.run(&TFMFSCAD::OpenForModify, [&] {
        QCOMPARE(d.CBEspletata->shownText(), shownStatus);
        QCOMPARE(d.CBInGaranzia->shownText(), shownWarranty);
        QCOMPARE(d.DInGaranzia->text(), shownWarranty == QLatin1String("S") ? QStringLiteral("IN GARANZIA")
                                                                            : QStringLiteral("FUORI GARANZIA"));
        click(d.BBInserisci);
        QVERIFY2(p.messages.isEmpty(), qPrintable(p.messages.join(u'|')));
    });
    QCOMPARE(d.result(), int(TFMFSCAD::mrOk));
    QCOMPARE(p.field("RagioneSociale"), QStringLiteral("B"));
    QCOMPARE(p.field("espletata"), shownStatus);
    QCOMPARE(p.field("ingaranzia"), shownWarranty);
}

void TestUFMFSCAD::browsingInTheListLeavesTheArchiveAsItWas_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("warranty");
    QTest::newRow("empty warranty") << QStringLiteral("N") << QString();
    QTest::newRow("foreign warranty") << QStringLiteral("E") << QStringLiteral("x");
    QTest::newRow("empty status") << QString() << QStringLiteral("S");
    QTest::newRow("foreign status") << QStringLiteral("?") << QStringLiteral("N");
}

void TestUFMFSCAD::browsingInTheListLeavesTheArchiveAsItWas()
{
    QFETCH(QString, status);
    QFETCH(QString, warranty);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QByteArray before;
    {
        Program first;
        first.start(folder);
        first.addCall(QStringLiteral("PRIMO"), QStringLiteral("N"));
        first.addCall(QStringLiteral("SECONDO"), status, warranty);
        first.addCall(QStringLiteral("TERZO"), QStringLiteral("E"), QStringLiteral("N"));
        before = first.end(folder);
    }
    QVERIFY(before.contains("\r\nSECONDO\t"));

    // The program's windows in their order; the list moves Down, Down.
    Program p;
    p.start(folder);
    const auto main = p.mainWindow();
    TFMFSCAD &d = p.create();
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
    GridBandedTableView *list = main->cxGrid1DBTableView1;
    list->setFocus();
    QCOMPARE(p.dm.ScadData->currentPosition(), 0);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(p.field("RagioneSociale"), QStringLiteral("SECONDO"));
    QVERIFY(d.CBEspletata->itemIndex() >= 0);          // the rules ran and show an item
    QVERIFY(d.CBInGaranzia->itemIndex() >= 0);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(p.field("RagioneSociale"), QStringLiteral("TERZO"));
    QCOMPARE(p.dm.ScadData->state(), MemTable::State::Browse);
    QCOMPARE(p.end(folder), before);
}

void TestUFMFSCAD::modifyOnADoneCallReachedByMoving()
{
    Program p;
    p.addCall(QStringLiteral("DA FARE"), QStringLiteral("N"));
    p.addCall(QStringLiteral("FATTA"), QStringLiteral("E"));
    p.dm.ScadData->first();
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] { click(d.BBEsci); });
    p.dm.ScadData->first();
    p.dm.ScadData->next();
    p.run(&TFMFSCAD::OpenForModify, [&] {
        checkStatusStates(d, false);
        QCOMPARE(d.DEspletat->text(), QStringLiteral(">>CHIAMATA ESPLETATA<<"));
        click(d.BBEsci);
    });
}

void TestUFMFSCAD::windowAndNames()
{
    Program p;
    TFMFSCAD &d = p.create();
    QCOMPARE(d.objectName(), QStringLiteral("FMFSCAD"));
    QCOMPARE(d.windowTitle(), QStringLiteral("INSERIMENTO/MODIFICA CHIAMATA DI ASSISTENZA"));
    QCOMPARE(d.size(), QSize(683, 642));
    QCOMPARE(d.Panel2->geometry(), QRect(0, 0, 683, 642));
    QCOMPARE(d.DataSource1->objectName(), QStringLiteral("DataSource1"));
    QCOMPARE(d.DataSource1->table(), p.dm.ScadData);
    QVERIFY(d.DataSource1->autoEdit());
    QCOMPARE(FMFSCAD, &d);
    QVERIFY(!d.BBInserisci->autoDefault());
    QVERIFY(!d.BBEsci->autoDefault());
    QCOMPARE(d.BBInserisci->text(), QStringLiteral("Conferma"));
    QCOMPARE(d.BBEsci->text(), QStringLiteral("Esci"));
    QCOMPARE(d.Label6->text(), QStringLiteral("Cap/Località/Pr."));
    QCOMPARE(d.Label9->text(), QStringLiteral("Stato chiamata (N=Da espletare E=Espletata)"));
    QCOMPARE(d.EDITRagioneSociale->dataField(), QStringLiteral("RagioneSociale"));
    QCOMPARE(d.EDITRagioneSociale->maxLength(), 70);
    QCOMPARE(d.EDITPR->maxLength(), 2);
    QCOMPARE(d.EDITEMAIL1->charCase(), DBEdit::CharCase::Lower);
    QCOMPARE(d.EDataAcq->kind(), DBDateEdit::Kind::Date);
    QCOMPARE(d.EDataORichiesta->kind(), DBDateEdit::Kind::DateTime);
    QCOMPARE(d.MENote->maxLength(), 300);
    d.resize(900, 800);                               // the controls keep their places
    QCOMPARE(d.EDITRagioneSociale->geometry(), QRect(128, 64, 545, 23));
}

void TestUFMFSCAD::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("Label9") << QStringLiteral("Label9") << QRect(8, 14, 301, 15);
    QTest::newRow("Label2") << QStringLiteral("Label2") << QRect(376, 208, 21, 15);
    QTest::newRow("CBEspletata") << QStringLiteral("CBEspletata") << QRect(336, 8, 41, 23);
    QTest::newRow("DEspletat") << QStringLiteral("DEspletat") << QRect(384, 9, 281, 19);
    QTest::newRow("EDataORichiesta") << QStringLiteral("EDataORichiesta") << QRect(128, 40, 169, 23);
    QTest::newRow("EDITLOCALITA") << QStringLiteral("EDITLOCALITA") << QRect(200, 112, 433, 23);
    QTest::newRow("EDITFax1") << QStringLiteral("EDITFax1") << QRect(408, 201, 265, 23);
    QTest::newRow("EDataAcq") << QStringLiteral("EDataAcq") << QRect(128, 368, 105, 23);
    QTest::newRow("DInGaranzia") << QStringLiteral("DInGaranzia") << QRect(456, 371, 217, 19);
    QTest::newRow("MENote1") << QStringLiteral("MENote1") << QRect(8, 508, 665, 69);
    QTest::newRow("Panel4") << QStringLiteral("Panel4") << QRect(-8, 584, 697, 9);
    QTest::newRow("BBInserisci") << QStringLiteral("BBInserisci") << QRect(424, 600, 121, 33);
    QTest::newRow("BBEsci") << QStringLiteral("BBEsci") << QRect(552, 600, 121, 33);
}

void TestUFMFSCAD::geometry()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    Program p;
    TFMFSCAD &d = p.create();
    QWidget *w = d.Panel2->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
    QVERIFY(w);
    if (qobject_cast<TextLabel *>(w)) {
        // Labels are sized to their text: never narrower than laid out, and the text fits.
        QCOMPARE(w->pos(), rect.topLeft());
        QCOMPARE(w->height(), rect.height());
        QVERIFY(w->width() >= rect.width());
        QVERIFY(w->width() >= w->sizeHint().width());
    } else {
        QCOMPARE(w->geometry(), rect);
    }
}

void TestUFMFSCAD::labelsGrowIntoNoControl()
{
    Program p;
    TFMFSCAD &d = p.create();
    const QList<TextLabel *> labels = d.Panel2->findChildren<TextLabel *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(labels.size(), 19);
    const QList<QWidget *> controls = statusControls(d) + alwaysEnabled(d)
        + QList<QWidget *>{d.MENote1, d.DEspletat, d.DInGaranzia, d.BBInserisci, d.BBEsci};
    for (const TextLabel *label : labels) {
        for (const QWidget *control : controls)
            QVERIFY2(!label->geometry().intersects(control->geometry()),
                     qPrintable(label->objectName() + u' ' + control->objectName()));
    }
}

void TestUFMFSCAD::tabOrder()
{
    Program p;
    TFMFSCAD &d = p.create();
    const QList<QWidget *> expected = {
        d.CBEspletata, d.EDataORichiesta, d.EDataOIntervento, d.EDITRagioneSociale, d.EDITINDIRIZZO,
        d.EDITCAP, d.EDITLOCALITA, d.EDITPR, d.EDITPIVA, d.EDITCFISCALE, d.EDITRif1, d.EditTelefono1,
        d.EDITFax1, d.EDITEMAIL1, d.EProduttore, d.EDistributore, d.ETipoArticolo, d.EArticolo,
        d.EMatricola, d.EDataAcq, d.CBInGaranzia, d.MENote, d.MENote1, d.BBInserisci, d.BBEsci};
    QList<QWidget *> chain;
    QWidget *w = d.CBEspletata;
    do {
        if (expected.contains(w) && !chain.contains(w))
            chain << w;
        w = w->nextInFocusChain();
    } while (w != d.CBEspletata);
    QCOMPARE(chain, expected);
    QCOMPARE(d.DEspletat->focusPolicy(), Qt::NoFocus);
    QCOMPARE(d.DInGaranzia->focusPolicy(), Qt::NoFocus);

    // Tab walks the chain, skipping what is disabled.
    p.addCall(QStringLiteral("FATTA"), QStringLiteral("E"));
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    d.CBEspletata->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(hasFocus(d, d.EDataOIntervento));
    d.hide();
}

void TestUFMFSCAD::fontsAndColours()
{
    Program p;
    TFMFSCAD &d = p.create();
    struct Look { QWidget *w; QString family; int pixels; QPalette::ColorRole role; QColor color; };
    const QList<Look> looks = {
        {d.Label4, QStringLiteral("Liberation Mono"), 12, QPalette::WindowText, QColor(0, 128, 0)},
        {d.EDITRagioneSociale, QStringLiteral("Liberation Mono"), 12, QPalette::Text, QColor(0, 0, 138)},
        {d.CBEspletata, QStringLiteral("Liberation Mono"), 12, QPalette::Text, QColor(0, 0, 128)},
        {d.EDataAcq, QStringLiteral("Liberation Mono"), 12, QPalette::Text, QColor(0, 0, 128)},
        {d.MENote, QStringLiteral("Liberation Mono"), 12, QPalette::Text, QColor(0, 0, 128)},
        {d.DEspletat, QStringLiteral("Liberation Mono"), 12, QPalette::WindowText, QColor(0, 0, 128)},
        {d.BBInserisci, QStringLiteral("Tahoma"), 15, QPalette::ButtonText, QColor()},
    };
    for (const Look &l : looks) {
        QCOMPARE(l.w->font().family(), l.family);
        QCOMPARE(l.w->font().pixelSize(), l.pixels);
        if (l.color.isValid())
            QCOMPARE(l.w->palette().color(QPalette::Active, l.role), l.color);
    }
    QCOMPARE(d.Label4->palette().color(QPalette::Window), QColor(244, 243, 234));
    QVERIFY(d.Label4->autoFillBackground());
    QCOMPARE(d.DEspletat->palette().color(QPalette::Window), QColor(Qt::white));
    for (QWidget *w : {static_cast<QWidget *>(d.MENote), static_cast<QWidget *>(d.MENote1),
                       static_cast<QWidget *>(d.EDataORichiesta)})
        QCOMPARE(w->palette().color(QPalette::Disabled, QPalette::Base), QColor(Qt::white));
    QVERIFY(d.EDITRagioneSociale->palette().color(QPalette::Disabled, QPalette::Base) != QColor(Qt::white)
            || d.EDITRagioneSociale->palette().color(QPalette::Disabled, QPalette::Text)
                   != d.EDITRagioneSociale->palette().color(QPalette::Active, QPalette::Text));
}

void TestUFMFSCAD::callsReachTheArchiveFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    Program p;
    p.dm.ScadData->close();
    p.dm.setExecutablePath(folder.filePath(QStringLiteral("Callistro")));
    p.dm.DataModuleCreate();
    TFMFSCAD &d = p.create();
    p.run(&TFMFSCAD::OpenForInsert, [&] {
        typeInto(d.EDITRagioneSociale, QStringLiteral("primo cliente"));
        click(d.BBInserisci);
        typeInto(d.EDITRagioneSociale, QStringLiteral("secondo cliente"));
        click(d.BBInserisci);
        click(d.BBEsci);
    });
    p.dialog.reset();
    p.dm.DataModuleDestroy();
    QFile file(folder.filePath(QStringLiteral("Chasdata.dat")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 4);                         // header, two calls, nothing after the last CR LF
    QVERIFY(lines[1].startsWith("PRIMO CLIENTE\t"));
    QVERIFY(lines[2].startsWith("SECONDO CLIENTE\t"));
}

QTEST_MAIN(TestUFMFSCAD)
#include "tst_ufmfscad.moc"
