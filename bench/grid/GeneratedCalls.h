#pragma once

// The generated calls the grid benchmarks run on: the visible columns of the call list with their
// places, and records of random but plausible values.

#include "platform/grid/GridBand.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridControl.h"
#include "platform/grid/GridLevel.h"
#include "platform/grid/GridStyle.h"
#include "platform/grid/GridSummaryGroup.h"
#include "platform/grid/GridViewOptions.h"
#include "platform/memdata/DateTimeKey.h"
#include "platform/memdata/FieldKind.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QByteArray>
#include <QDateTime>
#include <QRandomGenerator>
#include <algorithm>

namespace GeneratedCalls {

struct ColumnPlan
{
    const char *name;
    FieldKind kind;
    int size;
    const char *caption;
    int band, line, place, width;
    bool tip = false; // the tooltip-coloured cells
};

// The visible columns of the call list, with their places.
inline const ColumnPlan plan[] = {
    {"dataointervento", FieldKind::DateTime, 0, "D.H.Prev.INT.", 0, 0, 1, 138, true},
    {"Telefono1", FieldKind::Text, 30, "Telefono", 0, 0, 2, 166, true},
    {"espletata", FieldKind::Text, 1, "Espletata (E/N)", 0, 0, 3, 20, true},
    {"RagioneSociale", FieldKind::Text, 70, "Nome", 0, 1, 0, 147, true},
    {"Indirizzo", FieldKind::Text, 50, "", 0, 2, 0, 243},
    {"cap", FieldKind::Text, 9, "CAP", 0, 3, 0, 62},
    {"Localita", FieldKind::Text, 60, "", 0, 3, 1, 236},
    {"Provincia", FieldKind::Text, 2, "PR", 0, 3, 2, 41},
    {"dataorichiesta", FieldKind::DateTime, 0, "D.H.Richiesta", 1, 0, 3, 154},
    {"produttore", FieldKind::Text, 50, "Produttore", 1, 0, 4, 183},
    {"distributore", FieldKind::Text, 50, "Distributore", 1, 0, 5, 580},
    {"tipoarticolo", FieldKind::Text, 30, "Tipo Articolo", 1, 1, 0, 154},
    {"articolo", FieldKind::Text, 30, "Articolo", 1, 1, 1, 183},
    {"matricola", FieldKind::Text, 30, "Matricola", 1, 1, 2, 266},
    {"PartitaIva", FieldKind::Text, 16, "Partita Iva", 1, 1, 3, 144},
    {"CodiceFiscale", FieldKind::Text, 16, "Codice Fiscale", 1, 1, 4, 170},
    {"desproblema", FieldKind::Text, 300, "Descrizione del problema", 1, 2, 0, 509},
    {"ingaranzia", FieldKind::Text, 1, "In Garanzia (S/N)", 1, 3, 0, 20},
    {"dataacquisto", FieldKind::DateTime, 0, "Data Acquisto", 1, 3, 1, 134},
    {"desdifetto", FieldKind::Text, 300, "Descrizione del difetto", 1, 3, 2, 763},
};

inline const char *const provinces[] = {"MI", "TO", "RM", "NA", "BO", "FI", "VE", "GE", "PA", "BA", "CA", "TS", "PD", "VR", "BS"};
inline const char *const makers[] = {"Epson", "Canon", "HP", "Brother", "Samsung", "Lexmark", "Kyocera", "Ricoh", "Xerox", "Olivetti"};

inline QByteArray randomWord(QRandomGenerator &rng, int length)
{
    static const char letters[] = "abcdefghilmnoprstuvz";
    QByteArray w;
    w.append(char('A' + rng.bounded(26)));
    for (int i = 1; i < length; ++i)
        w.append(letters[rng.bounded(20)]);
    return w;
}

inline void fill(MemTable &table, int count)
{
    QRandomGenerator rng(20240325);
    table.disableControls();
    table.setEventsEnabled(false);
    const qint64 base = DateTimeKey::fromDateTime(QDateTime(QDate(2020, 1, 1), QTime(0, 0)));
    for (int i = 0; i < count; ++i) {
        table.append();
        for (int f = 1; f < table.fieldCount(); ++f) {
            MemField *field = table.field(f);
            const QString &n = field->fieldName();
            if (field->kind() == FieldKind::DateTime) {
                field->setAsDateTimeKey(base + qint64(rng.bounded(5 * 365)) * DateTimeKey::MsPerDay + rng.bounded(86400) * 1000);
            } else if (n == QLatin1String("Provincia")) {
                field->setAsAnsi(provinces[rng.bounded(15)]);
            } else if (n == QLatin1String("produttore")) {
                field->setAsAnsi(makers[rng.bounded(10)]);
            } else if (n == QLatin1String("RagioneSociale")) {
                field->setAsAnsi(QByteArray(randomWord(rng, 6) + ' ' + randomWord(rng, 7)));
            } else if (field->size() <= 2) {
                field->setAsAnsi(rng.bounded(2) ? "S" : "N");
            } else {
                field->setAsAnsi(randomWord(rng, std::min(field->size(), 3 + int(rng.bounded(10)))));
            }
        }
        table.post();
    }
    table.setEventsEnabled(true);
    table.first();
    table.enableControls();
}

// The call list's styles, as the program sets them.
struct CallListStyles
{
    GridStyle header, content, tip, footer;

    CallListStyles()
    {
        header.setFont(QStringLiteral("Tahoma"), 12, true);
        header.setTextColor(QColor(0, 0, 138));
        header.setBackground(QColor(227, 227, 227));
        content.setFont(QStringLiteral("HE_TERMINAL"), 12);
        content.setTextColor(QColor(0, 0, 138));
        tip.setFont(QStringLiteral("HE_TERMINAL"), 12);
        tip.setTextColor(QColor(0, 0, 138));
        tip.setBackground(QColor(255, 255, 225));
        footer.setFont(QStringLiteral("Tahoma"), 12, true);
        footer.setTextColor(QColor(0, 128, 0));
    }
};

inline void addFields(MemTable &table)
{
    for (const ColumnPlan &s : plan)
        table.addField(QString::fromLatin1(s.name), s.kind, s.size);
}

// A view laid out like the call list: its bands, columns, the count under Nome for PR, and its
// options. The caller binds it to data.
inline GridBandedTableView *createCallList(GridControl &grid, CallListStyles &styles)
{
    GridBandedTableView *view = grid.createLevel(QStringLiteral("level"))->createBandedTableView(QStringLiteral("view"));
    GridBand *b0 = view->createBand();
    b0->setWidth(324);
    b0->setFixed(GridBand::Fixed::Left);
    GridBand *b1 = view->createBand();
    b1->setWidth(917);
    b1->setCaption(QStringLiteral("CALLISTRO - Chiamate di assistenza tecnica (Versione freeware)"));
    for (const ColumnPlan &s : plan) {
        GridColumn *c = view->createColumn();
        c->setFieldName(QString::fromLatin1(s.name));
        c->setCaption(QString::fromLatin1(s.caption));
        c->setPosition(s.band, s.line, s.place);
        c->setWidth(s.width);
        c->setHeaderStyle(&styles.header);
        c->setContentStyle(s.tip ? &styles.tip : &styles.content);
    }
    GridColumn *nome = view->columnByField(QStringLiteral("RagioneSociale"));
    nome->setHeaderVerticalAlignment(Qt::AlignVCenter);
    GridSummaryGroup *summary = view->createSummaryGroup();
    summary->addLink(view->columnByField(QStringLiteral("Provincia")));
    summary->addItem(GridSummaryItem{QStringLiteral("RagioneSociale"), GridSummaryItem::Kind::Count, QStringLiteral("#####"), nome});
    GridViewOptions options;
    options.indicator = true;
    options.columnsQuickCustomization = true;
    options.groupFooters = GridViewOptions::GroupFooters::AlwaysVisible;
    view->setOptions(options);
    view->setFooterStyle(&styles.footer);
    return view;
}

} // namespace GeneratedCalls
