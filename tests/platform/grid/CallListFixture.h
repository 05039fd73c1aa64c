#pragma once

#include "GridFixture.h"

#include "platform/grid/GridBand.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridControl.h"
#include "platform/grid/GridLevel.h"
#include "platform/grid/GridStyle.h"
#include "platform/grid/GridSummaryGroup.h"
#include "platform/grid/GridViewOptions.h"

#include <QTest>

// A handful of calls of several provinces and towns, with a blank date among them.
inline const QStringList sampleCalls = {
    "rossi|MI|Milano|2024-03-01|Anna", "Bianchi|TO|Torino|2023-01-05|", "verdi|MI|Monza|2024-01-01|",
    "alfa|RM|Roma|2022-12-31|",        "neri|TO|Torino||",             "bianchi|MI|Milano|2024-03-01|",
};

// A grid laid out like the call list on a small table: a fixed band and a scrolling one, four
// lines a record, the count under Nome for the linked columns; styled like the program's list
// when asked, plain otherwise.
struct CallListFixture
{
    enum class Look { Plain, Styled };

    GridFixture data;
    GridControl grid;
    GridBandedTableView *view;
    GridColumn *nome, *prov, *town, *when, *contact;
    GridStyle header, content, tip, footer;

    explicit CallListFixture(const QStringList &records = sampleCalls, Look look = Look::Plain) : data(records)
    {
        const bool styled = look == Look::Styled;
        if (styled) {
            header.setFont(QStringLiteral("Tahoma"), 12, true);
            header.setTextColor(QColor(0, 0, 138));
            content.setFont(QStringLiteral("HE_TERMINAL"), 12);
            content.setTextColor(QColor(0, 0, 138));
            tip.setFont(QStringLiteral("HE_TERMINAL"), 12);
            tip.setTextColor(QColor(0, 0, 138));
            tip.setBackground(QColor(255, 255, 225));
            footer.setFont(QStringLiteral("Tahoma"), 12, true);
            footer.setTextColor(QColor(0, 128, 0));
        }
        grid.setObjectName("cxGrid1");
        view = grid.createLevel("cxGrid1Level1")->createBandedTableView("cxGrid1DBTableView1");
        GridBand *b0 = view->createBand();
        b0->setWidth(324);
        b0->setFixed(GridBand::Fixed::Left);
        GridBand *b1 = view->createBand();
        b1->setWidth(917);
        b1->setCaption("Band one");
        GridStyle *cells = styled ? &content : nullptr;
        nome = column("Nome", "Nome", 0, 1, 0, 147, styled ? &tip : nullptr);
        prov = column("PR", "PR", 0, 3, 2, 41, cells);
        town = column("Localita", QString(), 0, 3, 1, 236, cells);
        when = column("Quando", "Quando", 1, 0, 0, 154, cells);
        contact = column("Riferimento1", "Riferimento", 1, 0, 1, 183, cells);
        contact->setVisible(false);
        nome->setHeaderVerticalAlignment(Qt::AlignVCenter);

        GridSummaryGroup *summary = view->createSummaryGroup();
        summary->addLink(nome);
        summary->addLink(prov);
        summary->addLink(town);
        summary->addItem(GridSummaryItem{"Nome", GridSummaryItem::Kind::Count, "#####", nome});

        GridViewOptions o;
        o.editing = false;
        o.inserting = false;
        o.deletingConfirmation = false;
        o.hideSelection = true;
        o.indicator = true;
        o.columnsQuickCustomization = true;
        o.groupFooters = GridViewOptions::GroupFooters::AlwaysVisible;
        view->setOptions(o);
        if (styled)
            view->setFooterStyle(&footer);
        view->setDataSource(&data.source);
        grid.resize(900, 500);
        grid.show();
        view->setFocus();
        if (!QTest::qWaitForWindowExposed(&grid))
            qWarning("grid not exposed");
    }

    GridColumn *column(const QString &field, const QString &caption, int band, int line, int place, int width,
                       GridStyle *style = nullptr)
    {
        GridColumn *c = view->createColumn("cxGrid1DBTableView1" + field);
        c->setFieldName(field);
        c->setCaption(caption);
        c->setPosition(band, line, place);
        c->setWidth(width);
        if (style) {
            c->setHeaderStyle(&header);
            c->setContentStyle(style);
        }
        return c;
    }

    int indexOf(const GridColumn *c) const
    {
        for (int i = 0; i < view->columnCount(); ++i) {
            if (view->column(i) == c)
                return i;
        }
        return -1;
    }
};
