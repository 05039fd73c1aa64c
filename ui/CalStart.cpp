#include "CalStart.h"

#include "ModalWindowFollower.h"
#include "UFMFSCAD.h"
#include "UFMINFO.h"
#include "app/ShellOpen.h"
#include "data/UDM1.h"
#include "platform/editors/BevelPanel.h"
#include "platform/editors/CommandGuard.h"
#include "platform/editors/FontFaces.h"
#include "platform/editors/HyperLinkEdit.h"
#include "platform/editors/MessageBoxes.h"
#include "platform/editors/OfficeButton.h"
#include "platform/editors/SplitDropDownButton.h"
#include "platform/grid/GridBand.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridControl.h"
#include "platform/grid/GridHtmlExport.h"
#include "platform/grid/GridLevel.h"
#include "platform/grid/GridStyle.h"
#include "platform/grid/GridStyleRepository.h"
#include "platform/grid/GridSummaryGroup.h"
#include "platform/grid/GridSummaryItem.h"
#include "platform/grid/GridViewOptions.h"
#include "platform/grid/GridDataController.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/DateTimeKey.h"
#include "platform/memdata/MemTable.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

TFFMAIN *FFMAIN = nullptr;

const QString TFFMAIN::MakerAddress = QStringLiteral("http://callistro.example");
const QString TFFMAIN::MakerCredit = QStringLiteral("Callistro - archivio delle chiamate di assistenza");

namespace {

using Bevel = BevelPanel::Bevel;

BevelPanel *panel(QWidget *parent, const char *name, int bevelWidth, QPalette::ColorRole colour,
                  Bevel inner = Bevel::Lowered, Bevel outer = Bevel::Raised)
{
    auto *p = new BevelPanel(parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setBevels(inner, outer);
    p->setBevelWidth(bevelWidth);
    p->setColor(parent->palette().color(colour));
    return p;
}

// Children of a panel lie inside its frame.
template<typename Layout> Layout *layoutInside(BevelPanel *p)
{
    auto *l = new Layout(p);
    const int m = p->frameWidth();
    l->setContentsMargins(m, m, m, m);
    l->setSpacing(0);
    return l;
}

QPixmap banner()
{
    QPixmap pixmap(742, 78);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(FontFaces::font(QStringLiteral("Tahoma"), 56));
    QFont f = p.font();
    f.setBold(true);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(QColor(0, 0, 200));
    p.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("CALLISTRO"));
    return pixmap;
}

} // namespace

TFFMAIN::TFFMAIN(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FFMAIN"));
    setWindowTitle(QStringLiteral("  CALLISTRO - Chiamate di assistenza tecnica (Versione freeware 1.0)   "));
    setFont(FontFaces::font(QStringLiteral("MS Sans Serif"), 11));
    setAutoFillBackground(true);
    resize(966, 587);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createTopBar();
    createWorkArea();
    createBottomBar();
    layout->addWidget(Panel1);
    layout->addWidget(Panel3, 1);
    layout->addWidget(Panel2);
    createCommands();
    new ModalWindowFollower(this);
}

TFFMAIN::~TFFMAIN() = default;

void TFFMAIN::createTopBar()
{
    Panel1 = panel(this, "Panel1", 3, QPalette::Midlight);
    Panel1->setFixedHeight(89);
    auto *row = layoutInside<QHBoxLayout>(Panel1);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(banner());
    Image1->setAccessibleName(QStringLiteral("CALLISTRO")); // the banner's painted title
    Image1->setMinimumWidth(1);
    Panel8 = panel(Panel1, "Panel8", 1, QPalette::Midlight);
    Panel8->setFixedWidth(168);
    row->addWidget(Image1, 1);
    row->addWidget(Panel8);

    auto *stack = layoutInside<QVBoxLayout>(Panel8);
    const QColor highlight = palette().color(QPalette::Highlight);
    Panel9 = panel(Panel8, "Panel9", 2, QPalette::Button);
    Panel9->setSingleBorder(true);
    Panel9->setFixedHeight(39);
    QFont bold = FontFaces::font(QStringLiteral("Tahoma"), 16);
    bold.setBold(true);
    Panel9->setFont(bold);
    Panel9->setCaption(QStringLiteral("Ch.Assistenza"));
    Panel9->setCaptionColor(highlight);
    Panel10 = panel(Panel8, "Panel10", 2, QPalette::Button);
    Panel10->setSingleBorder(true);
    Panel10->setFont(FontFaces::font(QStringLiteral("Tahoma"), 15));
    Panel10->setCaption(QStringLiteral("Versione free 1.0"));
    Panel10->setCaptionColor(highlight);
    stack->addWidget(Panel9);
    stack->addWidget(Panel10, 1);
}

void TFFMAIN::createBottomBar()
{
    Panel2 = panel(this, "Panel2", 3, QPalette::Midlight);
    Panel2->setFixedHeight(49);
    auto *row = layoutInside<QHBoxLayout>(Panel2);

    StaticText1 = panel(Panel2, "StaticText1", 1, QPalette::Button, Bevel::Lowered, Bevel::Raised);
    StaticText1->setFont(FontFaces::font(QStringLiteral("MS Sans Serif"), 16));
    StaticText1->setCaption(MakerCredit);
    StaticText1->setCaptionColor(Qt::black);

    Panel4 = panel(Panel2, "Panel4", 1, QPalette::Button, Bevel::Lowered, Bevel::None);
    Panel4->setFixedWidth(210);
    cxHyperLinkEdit3 = new HyperLinkEdit(Panel4);
    cxHyperLinkEdit3->setObjectName(QStringLiteral("cxHyperLinkEdit3"));
    cxHyperLinkEdit3->setGeometry(25, 4, 176, 28);
    cxHyperLinkEdit3->setFont(FontFaces::font(QStringLiteral("MS Sans Serif"), 16));
    cxHyperLinkEdit3->setText(MakerAddress);
    connect(cxHyperLinkEdit3, &HyperLinkEdit::activated, this,
            [](const QString &address) {
                CommandGuard::run([&address] { ShellOpen(address, QString(), QString(), ShowMaximized); });
            });

    StaticText2 = panel(Panel2, "StaticText2", 1, QPalette::Button, Bevel::None, Bevel::None);
    StaticText2->setFixedWidth(4);

    Panel7 = panel(Panel2, "Panel7", 1, QPalette::Button, Bevel::Lowered, Bevel::None);
    Panel7->setFixedWidth(170);
    QFont helpFont = FontFaces::font(QStringLiteral("Tahoma"), 15);
    helpFont.setBold(true);
    BBHelp = new OfficeButton(QStringLiteral("?"), Panel7);
    BBHelp->setObjectName(QStringLiteral("BBHelp"));
    BBHelp->setGeometry(8, 8, 73, 21);
    BBHelp->setFont(helpFont);
    BBHelp->setVisible(false);
    connect(BBHelp, &QPushButton::clicked, this, CommandGuard::slot(this, &TFFMAIN::BBHelpClick));
    QFont infoFont = FontFaces::font(QStringLiteral("Tahoma"), 16);
    infoFont.setBold(true);
    BBInforma = new OfficeButton(QStringLiteral("i"), Panel7);
    BBInforma->setObjectName(QStringLiteral("BBInforma"));
    BBInforma->setGeometry(96, 8, 65, 21);
    BBInforma->setFont(infoFont);
    BBInforma->setVisible(false);
    connect(BBInforma, &QPushButton::clicked, this, CommandGuard::slot(this, &TFFMAIN::BBInformaClick));

    row->addWidget(StaticText1, 1);
    row->addWidget(Panel4);
    row->addWidget(StaticText2);
    row->addWidget(Panel7);
}

void TFFMAIN::createWorkArea()
{
    Panel3 = panel(this, "Panel3", 3, QPalette::Midlight);
    Panel3->setBorderWidth(1);
    auto *fill = layoutInside<QHBoxLayout>(Panel3);
    Panel6 = panel(Panel3, "Panel6", 1, QPalette::Midlight, Bevel::Lowered, Bevel::Lowered);
    fill->addWidget(Panel6);
    auto *row = layoutInside<QHBoxLayout>(Panel6);
    createGrid();
    Panel5 = panel(Panel6, "Panel5", 2, QPalette::Midlight);
    Panel5->setSingleBorder(true);
    Panel5->setFixedWidth(142);
    row->addWidget(cxGrid1, 1);
    row->addWidget(Panel5);
}

void TFFMAIN::createStyles()
{
    cxStyleRepository1 = new GridStyleRepository(this);
    cxStyleRepository1->setObjectName(QStringLiteral("cxStyleRepository1"));
    const QPalette pal = palette();
    const QColor darkBlue(0, 0, 138);
    auto style = [this](const char *name, const QColor &background, const char *face, int pixels, bool bold,
                        const QColor &text) {
        GridStyle *s = cxStyleRepository1->createStyle(QString::fromLatin1(name));
        s->setBackground(background);
        s->setFont(QString::fromLatin1(face), pixels, bold);
        s->setTextColor(text);
        return s;
    };
    cxStyle1 = style("cxStyle1", pal.color(QPalette::Midlight), "MS Sans Serif", 11, false, pal.color(QPalette::WindowText));
    cxStyle3 = style("cxStyle3", pal.color(QPalette::Midlight), "Tahoma", 12, true, QColor(0, 128, 0));
    cxStyle10 = style("cxStyle10", pal.color(QPalette::Base), "HE_TERMINAL", 12, false, darkBlue);
    cxStyle13 = style("cxStyle13", pal.color(QPalette::Midlight), "Tahoma", 12, true, darkBlue);
    cxStyle14 = style("cxStyle14", pal.color(QPalette::ToolTipBase), "HE_TERMINAL", 12, false, darkBlue);
}

void TFFMAIN::createGrid()
{
    createStyles();
    cxGrid1 = new GridControl(Panel6);
    cxGrid1->setObjectName(QStringLiteral("cxGrid1"));
    cxGrid1Level1 = cxGrid1->createLevel(QStringLiteral("cxGrid1Level1"));
    cxGrid1DBTableView1 = cxGrid1Level1->createBandedTableView(QStringLiteral("cxGrid1DBTableView1"));
    GridBandedTableView *v = cxGrid1DBTableView1;

    GridBand *fixedBand = v->createBand();
    fixedBand->setWidth(324);
    fixedBand->setFixed(GridBand::Fixed::Left);
    GridBand *mainBand = v->createBand();
    mainBand->setWidth(917);
    mainBand->setCaption(QStringLiteral("CALLISTRO - Chiamate di assistenza tecnica (Versione freeware)") + u" - "
                         + MakerCredit + u" - " + MakerAddress);
    createColumns();

    GridViewOptions options;
    options.editing = false;
    options.inserting = false;
    options.deletingConfirmation = false;
    options.hideSelection = true;
    options.indicator = true;
    options.columnsQuickCustomization = true;
    options.groupFooters = GridViewOptions::GroupFooters::AlwaysVisible;
    v->setOptions(options);
    v->setFooterStyle(cxStyle3);
    v->setHeaderStyle(cxStyle1);
    v->setIndicatorStyle(cxStyle1);
    if (DM1)
        v->setDataSource(DM1->DSScad);
}

void TFFMAIN::createColumns()
{
    struct Column {
        const char *field;
        const char *caption; // null: the header shows the field's name
        int band, row, place, width;
        bool visible;
        GridStyle *content;
    };
    const int dflt = GridColumn::DefaultWidth;
    const Column columns[] = {
        {"RecId", nullptr, 0, 0, 0, dflt, false, nullptr},
        {"RagioneSociale", "Nome", 0, 1, 0, 147, true, cxStyle14},
        {"Indirizzo", nullptr, 0, 2, 0, 243, true, cxStyle10},
        {"cap", "CAP", 0, 3, 0, 62, true, cxStyle10},
        {"Localita", nullptr, 0, 3, 1, 236, true, cxStyle10},
        {"Provincia", "PR", 0, 3, 2, 41, true, cxStyle10},
        {"Riferimento1", "Riferimento", 1, 0, 0, 183, false, cxStyle10},
        {"Telefono1", "Telefono", 0, 0, 2, 166, true, cxStyle14},
        {"Fax1", "Fax 1", 1, 0, 1, 194, false, cxStyle10},
        {"CodiceFiscale", "Codice Fiscale", 1, 1, 4, 170, true, cxStyle10},
        {"PartitaIva", "Partita Iva", 1, 1, 3, 144, true, cxStyle10},
        {"NumScad", nullptr, 1, 0, 2, dflt, false, cxStyle10},
        {"dataorichiesta", "D.H.Richiesta", 1, 0, 3, 154, true, cxStyle10},
        {"dataointervento", "D.H.Prev.INT.", 0, 0, 1, 138, true, cxStyle14},
        {"produttore", "Produttore", 1, 0, 4, 183, true, cxStyle10},
        {"distributore", "Distributore", 1, 0, 5, 580, true, cxStyle10},
        {"tipoarticolo", "Tipo Articolo", 1, 1, 0, 154, true, cxStyle10},
        {"articolo", "Articolo", 1, 1, 1, 183, true, cxStyle10},
        {"matricola", "Matricola", 1, 1, 2, 266, true, cxStyle10},
        {"dataacquisto", "Data Acquisto", 1, 3, 1, 134, true, cxStyle10},
        {"ingaranzia", "In Garanzia (S/N)", 1, 3, 0, 20, true, cxStyle10},
        {"desproblema", "Descrizione del problema", 1, 2, 0, 509, true, cxStyle10},
        {"desdifetto", "Descrizione del difetto", 1, 3, 2, 763, true, cxStyle10},
        {"espletata", "Espletata (E/N)", 0, 0, 3, 20, true, cxStyle14},
    };
    GridBandedTableView *v = cxGrid1DBTableView1;
    for (const Column &c : columns) {
        const QString field = QString::fromLatin1(c.field);
        GridColumn *column = v->createColumn(QStringLiteral("cxGrid1DBTableView1") + field);
        column->setFieldName(field);
        if (c.caption)
            column->setCaption(QString::fromLatin1(c.caption));
        column->setPosition(c.band, c.row, c.place);
        column->setWidth(c.width);
        column->setVisible(c.visible);
        column->setHeaderStyle(cxStyle13);
        if (c.content)
            column->setContentStyle(c.content);
    }
    GridColumn *nome = v->columnByField(QStringLiteral("RagioneSociale"));
    nome->setHeaderVerticalAlignment(Qt::AlignVCenter);

    GridSummaryGroup *summary = v->createSummaryGroup(QStringLiteral("cxGrid1DBTableView1SummaryGroup"));
    for (const char *field : {"RagioneSociale", "cap", "Localita", "Provincia"})
        summary->addLink(v->columnByField(QString::fromLatin1(field)));
    summary->addItem(GridSummaryItem{QStringLiteral("NumScad"), GridSummaryItem::Kind::Count, QStringLiteral("#####"), nome});
}

void TFFMAIN::createCommands()
{
    const QFont font = FontFaces::font(QStringLiteral("Tahoma"), 15);
    auto command = [this, &font](OfficeButton *b, const char *name, int top) {
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(8, top, 121, 33);
        b->setFont(font);
        QPalette pal = b->palette();
        pal.setColor(QPalette::ButtonText, Qt::black);
        b->setPalette(pal);
        return b;
    };
    BBInserisci = command(new OfficeButton(QStringLiteral("Inserisci"), Panel5), "BBInserisci", 8);
    BBModifica = command(new OfficeButton(QStringLiteral("Modifica"), Panel5), "BBModifica", 40);
    BBCancella = command(new OfficeButton(QStringLiteral("Cancella"), Panel5), "BBCancella", 72);
    BBStampa = new SplitDropDownButton(QStringLiteral("Stampa"), Panel5);
    command(BBStampa, "BBStampa", 104);
    BBEsci = command(new OfficeButton(QStringLiteral("Esci"), Panel5), "BBEsci", 160);
    setTabOrder(BBInserisci, BBModifica);
    setTabOrder(BBModifica, BBCancella);
    setTabOrder(BBCancella, BBStampa);
    setTabOrder(BBStampa, BBEsci);
    connect(BBInserisci, &QPushButton::clicked, this, CommandGuard::slot(this, &TFFMAIN::BBInserisciClick));
    connect(BBModifica, &QPushButton::clicked, this, CommandGuard::slot(this, &TFFMAIN::BBModificaClick));
    connect(BBCancella, &QPushButton::clicked, this, CommandGuard::slot(this, &TFFMAIN::BBCancellaClick));
    connect(BBEsci, &QPushButton::clicked, this, CommandGuard::slot(this, &TFFMAIN::BBEsciClick));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    StampaHTMLselezione1 = PopupMenu1->addAction(QStringLiteral("Stampa HTML (lista selezione)"));
    StampaHTMLselezione1->setObjectName(QStringLiteral("StampaHTMLselezione1"));
    StampaHTMLSelezione2 = PopupMenu1->addAction(QStringLiteral("Stampa HTML (chiamata selezionata)"));
    StampaHTMLSelezione2->setObjectName(QStringLiteral("StampaHTMLSelezione2"));
    connect(StampaHTMLselezione1, &QAction::triggered, this, CommandGuard::slot(this, &TFFMAIN::StampaHTMLselezione1Click));
    connect(StampaHTMLSelezione2, &QAction::triggered, this, CommandGuard::slot(this, &TFFMAIN::StampaHTMLSelezione2Click));
    BBStampa->setDropDownMenu(PopupMenu1);
}

void TFFMAIN::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    CommandGuard::run([this] { FormShow(); });
}

void TFFMAIN::FormShow()
{
    BBInserisci->setFocus();
}

void TFFMAIN::BBInserisciClick()
{
    MemTable *store = DM1->ScadData;
    const Bookmark before = store->bookmark();
    FMFSCAD->OpenForInsert();
    store->gotoBookmark(before);
}

bool TFFMAIN::hasCurrentCall() const
{
    // The grid keeps the store's cursor on its focused call; a focused group row or an empty
    // list leaves the commands without one, as an empty store does.
    return DM1->ScadData->recordCount() > 0 && cxGrid1DBTableView1->controller()->hasCurrentRecord();
}

void TFFMAIN::BBModificaClick()
{
    MemTable *store = DM1->ScadData;
    if (!hasCurrentCall())
        return;
    const Bookmark before = store->bookmark();
    FMFSCAD->OpenForModify();
    store->gotoBookmark(before);
}

void TFFMAIN::BBCancellaClick()
{
    MemTable *store = DM1->ScadData;
    if (!hasCurrentCall())
        return;
    if (MessageBoxes::confirm(QStringLiteral("Confermi cancellazione nominativo ?"), this))
        store->remove();
}

void TFFMAIN::BBEsciClick()
{
    close();
}

void TFFMAIN::StampaHTMLselezione1Click()
{
    printHtml(true);
}

void TFFMAIN::StampaHTMLSelezione2Click()
{
    printHtml(false);
}

void TFFMAIN::printHtml(bool allRows)
{
    if (DM1->ScadData->recordCount() == 0)
        return;
    GridHtmlExport::exportToFile(ProgramFolder + PrintFileName, cxGrid1, true, allRows, QStringLiteral("html"),
                                 printHeading(allRows));
    ShellOpen(PrintFileName, QString(), ProgramFolder, ShowNormal);
}

QString TFFMAIN::printHeading(bool allRows) const
{
    const MemTable *store = DM1->ScadData;
    QStringList parts{QStringLiteral("Chiamate di assistenza tecnica"),
                      store->regionalSettings().format(DateTimeKey::fromDateTime(QDateTime::currentDateTime()))};
    const GridBandedTableView *v = cxGrid1DBTableView1;
    if (allRows) {
        const int calls = v->controller()->recordCount();
        parts << QString::number(calls) + (calls == 1 ? QStringLiteral(" chiamata") : QStringLiteral(" chiamate"));
    } else {
        parts << QStringLiteral("chiamata selezionata");
    }
    const QString filter = v->isFilterEnabled() ? v->filterText() : QString();
    if (!filter.isEmpty())
        parts << QStringLiteral("Filtro: ") + filter;
    return parts.join(QStringLiteral(" - "));
}

void TFFMAIN::BBHelpClick()
{
    openDocument(QStringLiteral("calhelp.pdf"));
}

void TFFMAIN::BBInformaClick()
{
    openDocument(QStringLiteral("calinfo.pdf"));
}

void TFFMAIN::openDocument(const QString &name)
{
    if (QFileInfo(ProgramFolder + name).isFile())
        ShellOpen(name, QString(), ProgramFolder, ShowNormal);
    else if (FFINFO)
        FFINFO->exec();
}
