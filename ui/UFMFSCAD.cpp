#include "UFMFSCAD.h"

#include "data/UDM1.h"
#include "platform/editors/BevelPanel.h"
#include "platform/editors/CaptionBox.h"
#include "platform/editors/CommandGuard.h"
#include "platform/editors/DataBoundEditor.h"
#include "platform/editors/DBComboBox.h"
#include "platform/editors/DBDateEdit.h"
#include "platform/editors/DBEdit.h"
#include "platform/editors/FontFaces.h"
#include "platform/editors/MemoEdit.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/editors/OfficeButton.h"
#include "platform/editors/TextLabel.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <algorithm>

TFMFSCAD *FMFSCAD = nullptr;

namespace {

const QColor LabelText(0, 128, 0);
const QColor LabelBackground(244, 243, 234);
const QColor EditText(0, 0, 138);
const QColor BoxText(0, 0, 128);

QFont terminalFont() { return FontFaces::font(QStringLiteral("HE_TERMINAL"), 12); }

void setTextColor(QWidget *w, const QColor &color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Active, QPalette::Text, color);
    p.setColor(QPalette::Inactive, QPalette::Text, color);
    w->setPalette(p);
}

// The memos and the call date stay white while disabled; the rest keep the platform's look.
void keepWhiteWhenDisabled(QWidget *w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Disabled, QPalette::Base, Qt::white);
    w->setPalette(p);
}

template<typename W>
W *place(W *w, const char *name, int left, int top, int width, int height)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(left, top, width, height);
    return w;
}

// Trims blanks and control characters at both ends, as the name check wants.
QString trimmedOfControls(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= u' ')
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

TFMFSCAD::TFMFSCAD(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FMFSCAD"));
    setWindowTitle(QStringLiteral("INSERIMENTO/MODIFICA CHIAMATA DI ASSISTENZA"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    resize(683, 642);

    DataSource1 = new DataSource(this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->setAutoEdit(true);

    createControls();
    setTabOrder();
    bindControls();

    // Connected last: filling the choices while the dialog is built runs neither rule.
    connect(CBEspletata, &DBComboBox::changed, this,
            [this] { CommandGuard::run([this] { CBEspletataPropertiesChange(CBEspletata); }); });
    connect(CBInGaranzia, &DBComboBox::changed, this,
            [this] { CommandGuard::run([this] { CBInGaranziaPropertiesChange(CBInGaranzia); }); });
    connect(BBInserisci, &QPushButton::clicked, this, [this] { CommandGuard::run([this] { Button1Click(BBInserisci); }); });
    connect(BBEsci, &QPushButton::clicked, this, [this] { CommandGuard::run([this] { Button2Click(BBEsci); }); });
}

TFMFSCAD::~TFMFSCAD()
{
    // The controls go before their data source, so that its farewell runs no rule.
    delete Panel2;
    if (FMFSCAD == this)
        FMFSCAD = nullptr;
}

void TFMFSCAD::createControls()
{
    Panel2 = place(new BevelPanel(this), "Panel2", 0, 0, 683, 642);
    Panel2->setBevels(BevelPanel::Bevel::Lowered, BevelPanel::Bevel::Raised);
    Panel2->setBorderWidth(2);
    Panel2->setColor(QApplication::palette().color(QPalette::Midlight));

    auto label = [this](const char *name, const QString &text, int l, int t, int w, int h) {
        TextLabel *lab = place(new TextLabel(text, Panel2), name, l, t, w, h);
        lab->setFont(terminalFont());
        lab->setColors(LabelText, LabelBackground);
        // Sized to its text: the stand-in face is a little wider than the terminal face, and a
        // label must never cut its text. Only widening is needed, and no label grows into a control.
        lab->resize(std::max(w, lab->sizeHint().width()), h);
        return lab;
    };
    auto edit = [this](const char *name, const char *field, DBEdit::CharCase charCase, int l, int t, int w, int h) {
        DBEdit *e = place(new DBEdit(Panel2), name, l, t, w, h);
        e->setFont(terminalFont());
        setTextColor(e, EditText);
        e->setCharCase(charCase);
        e->setDataField(QString::fromLatin1(field));
        return e;
    };
    auto choice = [this](const char *name, const char *field, const QStringList &items, int l, int t, int w, int h) {
        DBComboBox *c = place(new DBComboBox(Panel2), name, l, t, w, h);
        c->setFont(terminalFont());
        setTextColor(c, BoxText);
        c->addItems(items);
        c->setDataField(QString::fromLatin1(field));
        return c;
    };
    auto date = [this](const char *name, const char *field, DBDateEdit::Kind kind, int l, int t, int w, int h) {
        DBDateEdit *d = place(new DBDateEdit(Panel2), name, l, t, w, h);
        d->setFont(terminalFont());
        setTextColor(d, BoxText);
        d->setKind(kind);
        d->setDataField(QString::fromLatin1(field));
        return d;
    };
    auto caption = [this](const char *name, const char *text, int l, int t, int w, int h) {
        CaptionBox *c = place(new CaptionBox(Panel2), name, l, t, w, h);
        c->setFixedSize(w, h);
        c->setFont(terminalFont());
        c->setColors(BoxText, Qt::white);
        c->setText(QString::fromLatin1(text));
        return c;
    };
    auto memo = [this](const char *name, int l, int t, int w, int h) {
        MemoEdit *m = place(new MemoEdit(Panel2), name, l, t, w, h);
        m->setFont(terminalFont());
        setTextColor(m, BoxText);
        keepWhiteWhenDisabled(m);
        m->setMaxLength(300);
        m->setText(QStringLiteral("MENote"));
        return m;
    };
    auto button = [this](const char *name, const char *text, int l, int t, int w, int h) {
        OfficeButton *b = place(new OfficeButton(QString::fromLatin1(text), Panel2), name, l, t, w, h);
        b->setFont(FontFaces::font(QStringLiteral("Tahoma"), 15));
        return b;
    };
    const auto Upper = DBEdit::CharCase::Upper;
    const auto DateTime = DBDateEdit::Kind::DateTime;

    Label9 = label("Label9", QStringLiteral("Stato chiamata (N=Da espletare E=Espletata)"), 8, 14, 301, 15);
    CBEspletata = choice("CBEspletata", "espletata", {QStringLiteral("N"), QStringLiteral("E")}, 336, 8, 41, 23);
    DEspletat = caption("DEspletat", "DEspletata", 384, 9, 281, 19);
    Label20 = label("Label20", QStringLiteral("Data chiamata"), 8, 46, 91, 15);
    EDataORichiesta = date("EDataORichiesta", "dataorichiesta", DateTime, 128, 40, 169, 23);
    keepWhiteWhenDisabled(EDataORichiesta);
    Label21 = label("Label21", QStringLiteral("Data [prevista] intervento"), 312, 46, 182, 15);
    EDataOIntervento = date("EDataOIntervento", "dataointervento", DateTime, 504, 40, 169, 23);
    Label4 = label("Label4", QStringLiteral("Nominativo"), 8, 70, 70, 15);
    EDITRagioneSociale = edit("EDITRagioneSociale", "RagioneSociale", Upper, 128, 64, 545, 23);
    Label7 = label("Label7", QStringLiteral("Indirizzo"), 8, 94, 63, 15);
    EDITINDIRIZZO = edit("EDITINDIRIZZO", "Indirizzo", Upper, 128, 88, 545, 23);
    Label6 = label("Label6", QStringLiteral("Cap/Località/Pr."), 8, 119, 112, 15);
    EDITCAP = edit("EDITCAP", "cap", Upper, 128, 112, 73, 23);
    EDITLOCALITA = edit("EDITLOCALITA", "Localita", Upper, 200, 112, 433, 23);
    EDITPR = edit("EDITPR", "Provincia", Upper, 632, 112, 41, 23);
    Label18 = label("Label18", QStringLiteral("P.Iva/C.Fiscale"), 8, 143, 105, 15);
    EDITPIVA = edit("EDITPIVA", "PartitaIva", Upper, 128, 136, 217, 23);
    EDITCFISCALE = edit("EDITCFISCALE", "CodiceFiscale", Upper, 352, 136, 217, 23);
    Label1 = label("Label1", QStringLiteral("Rifer./Telefono"), 8, 184, 105, 15);
    EDITRif1 = edit("EDITRif1", "Riferimento1", Upper, 128, 176, 265, 23);
    EditTelefono1 = edit("EditTelefono1", "Telefono1", Upper, 408, 176, 265, 23);
    Label2 = label("Label2", QStringLiteral("Fax"), 376, 208, 21, 15);
    EDITFax1 = edit("EDITFax1", "Fax1", Upper, 408, 201, 265, 23);
    Label5 = label("Label5", QStringLiteral("E-mail"), 80, 233, 42, 15);
    EDITEMAIL1 = edit("EDITEMAIL1", "email1", DBEdit::CharCase::Lower, 128, 226, 545, 23);
    Label3 = label("Label3", QStringLiteral("Produttore"), 8, 264, 70, 15);
    EProduttore = edit("EProduttore", "produttore", Upper, 128, 256, 545, 23);
    Label11 = label("Label11", QStringLiteral("Distributore"), 8, 288, 84, 15);
    EDistributore = edit("EDistributore", "distributore", Upper, 128, 280, 545, 23);
    Label19 = label("Label19", QStringLiteral("Tipo Articolo"), 128, 305, 91, 15);
    ETipoArticolo = edit("ETipoArticolo", "tipoarticolo", Upper, 128, 321, 265, 23);
    Label22 = label("Label22", QStringLiteral("Articolo"), 408, 305, 56, 15);
    EArticolo = edit("EArticolo", "articolo", Upper, 408, 321, 265, 23);
    Label10 = label("Label10", QStringLiteral("Matricola"), 328, 353, 63, 15);
    EMatricola = edit("EMatricola", "matricola", Upper, 408, 345, 265, 23);
    Label23 = label("Label23", QStringLiteral("Data acquisto"), 8, 376, 91, 15);
    EDataAcq = date("EDataAcq", "dataacquisto", DBDateEdit::Kind::Date, 128, 368, 105, 23);
    Label24 = label("Label24", QStringLiteral("Prodotto in garanzia"), 256, 376, 140, 15);
    CBInGaranzia = choice("CBInGaranzia", "ingaranzia", {QStringLiteral("S"), QStringLiteral("N")}, 408, 369, 41, 23);
    DInGaranzia = caption("DInGaranzia", "DInGaranzia", 456, 371, 217, 19);
    Label17 = label("Label17", QStringLiteral("Descrizione problema"), 8, 404, 140, 15);
    MENote = memo("MENote", 8, 420, 665, 69);
    Label8 = label("Label8", QStringLiteral("Descrizione difetto"), 8, 492, 133, 15);
    MENote1 = memo("MENote1", 8, 508, 665, 69);

    Panel4 = place(new BevelPanel(Panel2), "Panel4", -8, 584, 697, 9);
    Panel4->setBevels(BevelPanel::Bevel::Lowered, BevelPanel::Bevel::Lowered);
    Panel4->setColor(QApplication::palette().color(QPalette::Highlight));
    Panel4->setFocusPolicy(Qt::NoFocus);

    BBInserisci = button("BBInserisci", "Conferma", 424, 600, 121, 33);
    BBEsci = button("BBEsci", "Esci", 552, 600, 121, 33);

    m_insertKeyEdits = {EDITRif1, EditTelefono1, EDITFax1, EDITEMAIL1, EProduttore,
                        EDistributore, ETipoArticolo, EArticolo, EMatricola};
    for (QWidget *w : std::as_const(m_insertKeyEdits))
        w->installEventFilter(this);
}

void TFMFSCAD::setTabOrder()
{
    const QList<QWidget *> order = {
        CBEspletata, EDataORichiesta, EDataOIntervento, EDITRagioneSociale, EDITINDIRIZZO,
        EDITCAP, EDITLOCALITA, EDITPR, EDITPIVA, EDITCFISCALE, EDITRif1, EditTelefono1,
        EDITFax1, EDITEMAIL1, EProduttore, EDistributore, ETipoArticolo, EArticolo, EMatricola,
        EDataAcq, CBInGaranzia, MENote, MENote1, BBInserisci, BBEsci};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TFMFSCAD::bindControls()
{
    if (DM1)
        DataSource1->setTable(DM1->ScadData);
    const QList<QWidget *> bound = Panel2->findChildren<QWidget *>();
    for (QWidget *w : bound) {
        if (auto *editor = qobject_cast<DataBoundEditor *>(w))
            editor->setDataSource(DataSource1);
    }
}

void TFMFSCAD::OpenForInsert()
{
    EditorMode = emInsert;
    centreOnScreen();
    exec();
}

void TFMFSCAD::OpenForModify()
{
    EditorMode = emModify;
    centreOnScreen();
    exec();
}

void TFMFSCAD::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void TFMFSCAD::FormShow(QObject *)
{
    MemTable *store = DM1->ScadData;
    if (EditorMode == emInsert) {
        store->refresh();
        store->append();
        CBEspletata->setItemIndex(0);
        CBInGaranzia->setItemIndex(0);
        DInGaranzia->setText(QStringLiteral("IN GARANZIA"));
        DEspletat->setText(QStringLiteral(">>CHIAMATA NON ESPLETATA<<"));
        MENote->setText(DM1->ScadDatadesproblema->asString());
        MENote1->setText(DM1->ScadDatadesdifetto->asString());
        CBEspletataPropertiesChange(this);
        CBEspletata->setFocus();
        ValidateInput(false);
    } else if (EditorMode == emModify) {
        try {
            store->edit();
            MENote->setText(DM1->ScadDatadesproblema->asString());
            MENote1->setText(DM1->ScadDatadesdifetto->asString());
            DInGaranzia->setText(DM1->ScadDataingaranzia->asString() == QLatin1String("S")
                                     ? QStringLiteral("IN GARANZIA") : QStringLiteral("FUORI GARANZIA"));
            DEspletat->setText(DM1->ScadDataespletata->asString() == QLatin1String("N")
                                   ? QStringLiteral(">>CHIAMATA NON ESPLETATA<<") : QStringLiteral(">>CHIAMATA ESPLETATA<<"));
            CBInGaranziaPropertiesChange(this);
            CBEspletata->setFocus();
            ValidateInput(false);
        } catch (const std::exception &) {
            MessageBoxes::showMessage(QStringLiteral("Riga non disponibile !"), this);
        }
    }
}

void TFMFSCAD::FormClose(QObject *)
{
    if (!DM1)
        return;
    MemTable *store = DM1->ScadData;
    if (store->state() == MemTable::State::Edit || store->state() == MemTable::State::Insert)
        store->cancel();
}

bool TFMFSCAD::canTakeFocus(const QWidget *control) const
{
    return control && control->isEnabled() && control->isVisibleTo(this) && control->focusPolicy() != Qt::NoFocus;
}

void TFMFSCAD::Button1Click(QObject *)
{
    if (!ValidateInput(true)) {
        MessageBoxes::showMessage(FErrorText, this);
        if (canTakeFocus(FErrorControl))
            FErrorControl->setFocus();
        return;
    }
    try {
        DM1->ScadDatadesproblema->setAsString(MENote->text());
        DM1->ScadDatadesdifetto->setAsString(MENote1->text());
        DM1->ScadData->post();
    } catch (const std::exception &) {
        MessageBoxes::showMessage(QStringLiteral("errore post"), this);
        return;
    }
    if (EditorMode == emInsert) {
        DM1->ScadData->append();
        EDataORichiesta->setFocus();
        ValidateInput(false);
    } else if (EditorMode == emModify) {
        done(mrOk);
    }
}

void TFMFSCAD::Button2Click(QObject *)
{
    try {
        DM1->ScadData->cancel();
    } catch (const std::exception &) {
        // Leaving must always work; a failed cancel leaves nothing to keep.
    }
    done(mrCancel);
}

void TFMFSCAD::DBComboBox3KeyDown(QObject *Sender, int &Key, Qt::KeyboardModifiers)
{
    if (Key == Qt::Key_Insert)
        Button1Click(Sender);
}

bool TFMFSCAD::ValidateInput(bool check)
{
    FErrorText.clear();
    if (!check)
        return true;
    if (trimmedOfControls(EDITRagioneSociale->text()).isEmpty()) {
        FErrorText = QStringLiteral("Nominativo richiesto !");
        FErrorControl = EDITRagioneSociale;
        return false;
    }
    return true;
}

void TFMFSCAD::setStatusStates(bool toDo)
{
    for (QWidget *w : {static_cast<QWidget *>(EDITRagioneSociale), static_cast<QWidget *>(EDITINDIRIZZO),
                       static_cast<QWidget *>(EDITCAP), static_cast<QWidget *>(EDITLOCALITA),
                       static_cast<QWidget *>(EDITPR), static_cast<QWidget *>(EDataORichiesta),
                       static_cast<QWidget *>(MENote)})
        w->setEnabled(toDo);
    MENote1->setEnabled(!toDo);
    for (QWidget *w : {static_cast<QWidget *>(EDITPIVA), static_cast<QWidget *>(EDITCFISCALE),
                       static_cast<QWidget *>(EDITRif1), static_cast<QWidget *>(EditTelefono1),
                       static_cast<QWidget *>(EDITFax1), static_cast<QWidget *>(EDITEMAIL1),
                       static_cast<QWidget *>(EProduttore), static_cast<QWidget *>(EDistributore),
                       static_cast<QWidget *>(ETipoArticolo), static_cast<QWidget *>(EArticolo),
                       static_cast<QWidget *>(EMatricola), static_cast<QWidget *>(EDataOIntervento),
                       static_cast<QWidget *>(EDataAcq), static_cast<QWidget *>(CBInGaranzia),
                       static_cast<QWidget *>(CBEspletata)})
        w->setEnabled(true);
    DEspletat->setText(toDo ? QStringLiteral(">>CHIAMATA DA ESPLETARE<<") : QStringLiteral(">>CHIAMATA ESPLETATA<<"));
}

void TFMFSCAD::CBEspletataPropertiesChange(QObject *)
{
    switch (CBEspletata->itemIndex()) {
    case 0: setStatusStates(true); break;
    case 1: setStatusStates(false); break;
    default: CBEspletata->setItemIndex(0); break;
    }
}

void TFMFSCAD::CBInGaranziaPropertiesChange(QObject *)
{
    switch (CBInGaranzia->itemIndex()) {
    case 0: DInGaranzia->setText(QStringLiteral("IN GARANZIA")); break;
    case 1: DInGaranzia->setText(QStringLiteral("FUORI GARANZIA")); break;
    default: CBInGaranzia->setItemIndex(0); break;
    }
}

void TFMFSCAD::done(int result)
{
    if (m_keyInFlight) {
        // A confirming key still goes on to its edit: close, and drop whatever it typed or
        // pasted, once it has been handled, as when the loop regains control.
        QMetaObject::invokeMethod(this, [this, result, opening = m_openings] {
            if (opening == m_openings && isVisible())
                done(result);
        }, Qt::QueuedConnection);
        return;
    }
    // A close that fails leaves the dialog open, with the error shown.
    if (CommandGuard::run([this] { FormClose(this); }))
        QDialog::done(result);
}

void TFMFSCAD::reject()
{
    // The close box closes like Esci's result, without Esci's own cancel.
    done(mrCancel);
}

void TFMFSCAD::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        ++m_openings;
        CommandGuard::run([this] { FormShow(this); });
    }
}

void TFMFSCAD::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    Panel2->resize(size());
}

void TFMFSCAD::keyPressEvent(QKeyEvent *event)
{
    // Enter and Esc do nothing of the dialog's own.
    QWidget::keyPressEvent(event);
}

bool TFMFSCAD::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_insertKeyEdits.contains(qobject_cast<QWidget *>(watched))) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        int key = keyEvent->key();
        const QScopedValueRollback inFlight(m_keyInFlight, true);
        CommandGuard::run([&] { DBComboBox3KeyDown(watched, key, keyEvent->modifiers()); });
    }
    return QDialog::eventFilter(watched, event);
}
