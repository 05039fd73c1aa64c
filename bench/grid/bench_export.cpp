// Figures for the HTML print on generated calls: the list print ungrouped and grouped by PR, the
// selected-call print, the page's size per call and the memory the print adds at its peak.
// Usage: bench_export [record counts...] [--page file]   (default 100000 1000000)
// --page writes a grouped list print of the first count to file, to look at in a browser.

#include "platform/grid/GridBand.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridControl.h"
#include "platform/grid/GridHtmlExport.h"
#include "platform/grid/GridLevel.h"
#include "platform/grid/GridStyle.h"
#include "platform/grid/GridSummaryGroup.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/DateTimeKey.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include "GeneratedCalls.h"

#include <functional>

using namespace GeneratedCalls;

namespace {

qint64 statusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Runs work and gives its time and how far it raised the resident memory at its peak.
struct Figure
{
    double ms;
    qint64 peakKb;
};

Figure measure(const std::function<void()> &work)
{
    // Writing 5 to clear_refs starts the peak afresh from what is resident now.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    const qint64 before = statusKb("VmRSS:");
    QElapsedTimer t;
    t.start();
    work();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    return Figure{ms, statusKb("VmHWM:") - before};
}

void report(const char *what, int count, const Figure &f, qint64 bytes)
{
    std::printf("  %-40s %9d  %9.1f ms  peak +%7lld kB  page %7.1f MB, %6.1f bytes a call\n", what, count, f.ms,
                qlonglong(f.peakKb), double(bytes) / 1e6, double(bytes) / count);
    std::fflush(stdout);
}

void run(int count, const QString &keepPage)
{
    MemTable table;
    addFields(table);
    table.open();
    fill(table, count);
    DataSource source;
    source.setTable(&table);

    GridControl grid;
    CallListStyles styles;
    GridBandedTableView *view = createCallList(grid, styles);
    view->setDataSource(&source);
    grid.resize(1280, 800);
    grid.show();
    QApplication::processEvents();

    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("ChasLst.html"));
    auto size = [&] { return QFileInfo(page).size(); };
    std::printf("%d records\n", count);
    Figure f = measure([&] { GridHtmlExport::exportToFile(page, &grid, true, true, QStringLiteral("html")); });
    report("list print, ungrouped", count, f, size());
    f = measure([&] { GridHtmlExport::exportToFile(page, &grid, true, false, QStringLiteral("html")); });
    report("selected-call print", count, f, size());
    view->groupByColumn(view->columnByField(QStringLiteral("Provincia")), 0);
    f = measure([&] { GridHtmlExport::exportToFile(page, &grid, true, true, QStringLiteral("html")); });
    report("list print, grouped by PR, groups opened", count, f, size());
    f = measure([&] { GridHtmlExport::exportToFile(page, &grid, true, true, QStringLiteral("html")); });
    report("the same again (groups already open)", count, f, size());
    if (!keepPage.isEmpty()) {
        QFile::remove(keepPage);
        QFile::copy(page, keepPage);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> counts;
    QString keepPage;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--page") && i + 1 < args.size())
            keepPage = args[++i];
        else if (args[i].toInt() > 0)
            counts << args[i].toInt();
    }
    if (counts.isEmpty())
        counts = {100000, 1000000};
    for (int i = 0; i < counts.size(); ++i)
        run(counts[i], i == 0 ? keepPage : QString());
    return 0;
}
