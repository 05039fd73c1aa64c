// Figures for the grid on generated calls: building the rows, sorting, grouping, moving the focus,
// painting a screen, filtering, opening a filter drop-down, and the same sort and filters through
// QSortFilterProxyModel for comparison.
// Usage: bench_grid [record counts...] [--no-proxy] [--png file-prefix]   (default 100000 1000000)

#include "platform/grid/GridBand.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridControl.h"
#include "platform/grid/GridLevel.h"
#include "platform/grid/GridStyle.h"
#include "platform/grid/GridSummaryGroup.h"
#include "platform/grid/GridFilterDropDown.h"
#include "platform/grid/GridFilterValueModel.h"
#include "platform/filter/FilterCriteria.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/DateTimeKey.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <QSortFilterProxyModel>
#include <cstdio>
#include "GeneratedCalls.h"

#include <functional>
#include <memory>

using namespace GeneratedCalls;

namespace {

// The peer: a plain table model over the same records, sorted by a proxy.
class TableModel : public QAbstractTableModel
{
public:
    explicit TableModel(const MemTable *table) : m_table(table) {}
    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_table->recordCount(); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_table->fieldCount(); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        const MemField *field = m_table->field(index.column());
        const quint32 id = m_table->recordOrder()[size_t(index.row())];
        // Date-times as their plain number: the cheapest form a proxy can compare.
        if (field->kind() == FieldKind::DateTime)
            return m_table->dateTimeKey(id, field);
        return m_table->text(id, field);
    }

private:
    const MemTable *m_table;
};

double timeMs(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

void report(const char *what, int count, double ms)
{
    std::printf("  %-52s %9d  %10.2f ms\n", what, count, ms);
    std::fflush(stdout);
}

void benchFilters(MemTable &table, GridBandedTableView *view, bool withProxy);

void run(int count, const QString &png, bool withProxy)
{
    MemTable table;
    addFields(table);
    table.open();
    std::printf("%d records\n", count);
    report("fill the table (not the grid)", count, timeMs([&] { fill(table, count); }));
    const qsizetype tableBytes = table.bytesReserved();

    DataSource source;
    source.setTable(&table);
    GridControl grid;
    CallListStyles styles;
    GridBandedTableView *view = createCallList(grid, styles);
    grid.resize(1280, 800);
    grid.show();
    QApplication::processEvents();

    GridDataController *c = view->controller();
    const MemField *name = table.fieldByName(QStringLiteral("RagioneSociale"));
    const MemField *date = table.fieldByName(QStringLiteral("dataorichiesta"));
    const MemField *prov = table.fieldByName(QStringLiteral("Provincia"));
    const MemField *maker = table.fieldByName(QStringLiteral("produttore"));

    report("bind the grid (rows in store order)", count, timeMs([&] { view->setDataSource(&source); }));
    report("sort by Nome (text)", count, timeMs([&] { c->setSortKeys({{name, Qt::AscendingOrder}}); }));
    report("sort by Nome, other way", count, timeMs([&] { c->changeSort(name, GridDataController::SortChange::Replace); }));
    report("sort by D.H.Richiesta (date)", count, timeMs([&] { c->setSortKeys({{date, Qt::AscendingOrder}}); }));
    report("sort by PR, then Nome (shift)", count, timeMs([&] {
               c->setSortKeys({{prov, Qt::AscendingOrder}, {name, Qt::AscendingOrder}});
           }));
    c->setSortKeys({{name, Qt::AscendingOrder}});
    report("group by PR", count, timeMs([&] { c->groupBy(prov, 0); }));
    report("expand every group", count, timeMs([&] { c->setAllGroupsExpanded(true); }));
    report("regroup by Produttore", count, timeMs([&] { c->setGroupKeys({{maker, Qt::AscendingOrder}}); }));
    report("cursor to the last record, its group opens", count, timeMs([&] { table.last(); }));
    report("focus the first row, cursor stays", count, timeMs([&] { c->setFocusedRow(0); }));
    const qsizetype gridBytes = c->bytesUsed();

    std::printf("  %-52s %9d  %10.1f bytes a record (table %.1f)\n", "memory held by the grid's rows", count,
                double(gridBytes) / count, double(tableBytes) / count);

    QImage image(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    view->viewport()->render(&image); // warm up fonts and caches
    const int frames = 30;
    const double paint = timeMs([&] {
        for (int i = 0; i < frames; ++i) {
            view->setTopRow(view->topRow() + 7);
            view->viewport()->render(&image);
        }
    });
    report("scroll and paint one screen (mean of 30)", count, paint / frames);
    if (!png.isEmpty())
        image.save(png + QStringLiteral("-grouped.png"));
    report("ungroup", count, timeMs([&] { c->setGroupKeys({}); }));
    report("focus the last record (Ctrl+End), cursor follows", count, timeMs([&] { c->setFocusedRow(c->rowCount() - 1); }));
    report("cursor to the first record, focus follows", count, timeMs([&] { table.first(); }));
    view->setTopRow(count / 2);
    report("paint one screen, ungrouped, mid-table", count, timeMs([&] { view->viewport()->render(&image); }));
    if (!png.isEmpty())
        image.save(png + QStringLiteral("-rows.png"));
    benchFilters(table, view, withProxy);

    if (!withProxy)
        return;
    TableModel model(&table);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    report("QSortFilterProxyModel: set source", count, timeMs([&] { proxy.sort(-1); }));
    report("QSortFilterProxyModel: sort by Nome", count, timeMs([&] { proxy.sort(name->index(), Qt::AscendingOrder); }));
    report("QSortFilterProxyModel: sort by date", count, timeMs([&] { proxy.sort(date->index(), Qt::AscendingOrder); }));

}

// The peer of the grid's filter: a proxy whose filterAcceptsRow asks the model, as an ordinary
// item view would.
class FilterProxy : public QSortFilterProxyModel
{
public:
    using Accepts = std::function<bool(const QAbstractItemModel *model, int row)>;
    void setAccepts(Accepts accepts)
    {
        m_accepts = std::move(accepts);
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &) const override { return !m_accepts || m_accepts(sourceModel(), row); }

private:
    Accepts m_accepts;
};

void benchFilters(MemTable &table, GridBandedTableView *view, bool withProxy)
{
    const int count = table.recordCount();
    GridDataController *c = view->controller();
    c->setSortKeys({});
    const MemField *name = table.fieldByName(QStringLiteral("RagioneSociale"));
    const MemField *date = table.fieldByName(QStringLiteral("dataorichiesta"));
    const int nameColumn = view->filterColumnOf(view->columnByField(name->fieldName()));
    const int dateColumn = view->filterColumnOf(view->columnByField(date->fieldName()));
    const QDate low(2021, 1, 1), high(2021, 6, 30);

    FilterCriteria contains;
    contains.root().addCondition(FilterCondition(nameColumn, FilterOperator::Like, {FilterValue(QStringLiteral("%ab%"))}));
    FilterCriteria range;
    range.root().addCondition(FilterCondition(dateColumn, FilterOperator::Between, {FilterValue(low), FilterValue(high)}));

    report("filter: Nome contains 'ab'", count, timeMs([&] { view->setFilterCriteria(contains); }));
    const int containsCount = c->recordCount();
    report("filter: D.H.Richiesta between two dates", count, timeMs([&] { view->setFilterCriteria(range); }));
    const int rangeCount = c->recordCount();
    report("filter: switched off", count, timeMs([&] { view->setFilterEnabled(false); }));
    report("filter: switched on", count, timeMs([&] { view->setFilterEnabled(true); }));
    report("filter: cleared", count, timeMs([&] { view->clearFilter(); }));
    std::printf("  %-52s %9d  %10d / %d records pass\n", "(filters let through)", count, containsCount, rangeCount);

    const int nameViewColumn = [&] {
        for (int i = 0; i < view->columnCount(); ++i)
            if (view->column(i)->field() == name)
                return i;
        return -1;
    }();
    const double open = timeMs([&] {
        view->showFilterDropDown(nameViewColumn);
        QApplication::processEvents();
    });
    report(qPrintable(QStringLiteral("open the Nome drop-down (%1 distinct values)")
                          .arg(view->filterDropDown()->model()->valueCount())),
           count, open);
    view->filterDropDown()->hide();

    if (!withProxy)
        return;
    TableModel model(&table);
    FilterProxy proxy;
    proxy.setSourceModel(&model);
    const int nameIndex = name->index();
    const int dateIndex = date->index();
    const qint64 lowKey = DateTimeKey::fromDateTime(QDateTime(low, QTime(0, 0)));
    const qint64 highKey = DateTimeKey::fromDateTime(QDateTime(high.addDays(1), QTime(0, 0)));
    report("QSortFilterProxyModel: Nome contains 'ab'", count, timeMs([&] {
               proxy.setAccepts([nameIndex](const QAbstractItemModel *m, int row) {
                   return m->data(m->index(row, nameIndex)).toString().contains(QLatin1String("ab"), Qt::CaseInsensitive);
               });
               (void)proxy.rowCount(); // the proxy filters when first asked
           }));
    const int proxyContains = proxy.rowCount();
    report("QSortFilterProxyModel: date between", count, timeMs([&] {
               proxy.setAccepts([dateIndex, lowKey, highKey](const QAbstractItemModel *m, int row) {
                   const QVariant v = m->data(m->index(row, dateIndex));
                   const qint64 key = v.toLongLong();
                   return v.isValid() && key >= lowKey && key < highKey;
               });
               (void)proxy.rowCount();
           }));
    std::printf("  %-52s %9d  %10d / %d records pass\n", "(proxy lets through)", count, proxyContains, proxy.rowCount());
}

// A column whose every value differs: what its filter drop-down costs to open.
void benchDropDown(int distinct)
{
    MemTable table;
    MemField *name = table.addField(QStringLiteral("RagioneSociale"), FieldKind::Text, 70);
    table.open();
    QRandomGenerator rng(7);
    table.disableControls();
    table.setEventsEnabled(false);
    for (int i = 0; i < distinct; ++i) {
        table.append();
        name->setAsAnsi(QByteArray(randomWord(rng, 6) + ' ' + QByteArray::number(i)));
        table.post();
    }
    table.setEventsEnabled(true);
    table.first();
    table.enableControls();
    DataSource source;
    source.setTable(&table);
    GridControl grid;
    GridBandedTableView *view = grid.createLevel(QStringLiteral("level"))->createBandedTableView(QStringLiteral("view"));
    view->createBand()->setWidth(400);
    GridColumn *column = view->createColumn();
    column->setFieldName(name->fieldName());
    column->setWidth(400);
    view->setDataSource(&source);
    grid.resize(800, 600);
    grid.show();
    QApplication::processEvents();
    for (int pass = 0; pass < 2; ++pass) {
        const double ms = timeMs([&] {
            view->showFilterDropDown(0);
            QApplication::processEvents();
        });
        report(qPrintable(QStringLiteral("open a drop-down of %1 distinct values%2")
                              .arg(view->filterDropDown()->model()->valueCount())
                              .arg(pass ? QStringLiteral(", again") : QString())),
               distinct, ms);
        view->filterDropDown()->hide();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> counts;
    QString png;
    bool withProxy = true;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--no-proxy"))
            withProxy = false;
        else if (args[i] == QLatin1String("--png") && i + 1 < args.size())
            png = args[++i];
        else if (args[i].toInt() > 0)
            counts << args[i].toInt();
    }
    if (counts.isEmpty())
        counts = {100000, 1000000};
    for (int n : counts)
        run(n, png, withProxy);
    std::printf("filter drop-down\n");
    benchDropDown(100000);
    return 0;
}
