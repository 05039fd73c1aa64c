// Loads and saves archives of realistic calls and prints the figures; the same file is imported
// by sqlite3 in the same run for comparison. Each size is made and then read in processes of their
// own, so that the peak resident memory is that of the reading alone.
//
//   bench_archive [count ...]      default: 10000 100000 1000000
#include "data/UDM1.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

namespace {

long statusKb(const char *key)
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLong();
    }
    return -1;
}

QByteArray readWhole(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString pick(QRandomGenerator &r, const QStringList &list) { return list[int(r.bounded(list.size()))]; }

QString words(QRandomGenerator &r, int minWords, int maxWords)
{
    static const QStringList w{"la", "stampante", "non", "si", "accende", "dopo", "aggiornamento", "carta",
                               "inceppata", "rumore", "forte", "durante", "stampa", "errore", "E05", "toner",
                               "esaurito", "cliente", "segnala", "display", "spento", "rullo", "usurato",
                               "sostituire", "scheda", "alimentazione", "guasta", "verificare", "cavo", "rete"};
    QString s;
    const int n = minWords + int(r.bounded(maxWords - minWords + 1));
    for (int i = 0; i < n; ++i)
        s += (i ? " " : "") + pick(r, w);
    return s;
}

void fill(TDM1 &dm, int count)
{
    QRandomGenerator r(42);
    const QStringList names{"Rossi Mario", "Bianchi Srl", "Ferri & Figli", "Studio Conti", "Ditta Esempio",
                            "Officina Neri", "Farmacia Centrale", "Hotel Miramare", "Comune di Forli'", "Bar Sport"};
    const QStringList towns{"Forli'", "Cesena", "Ravenna", "Rimini", "Bologna", "Faenza", "Imola"};
    const QStringList makers{"Canon", "Epson", "HP", "Brother", "Kyocera", "Ricoh", "Samsung"};
    const QStringList kinds{"Stampante", "Fotocopiatrice", "Fax", "Scanner", "Plotter"};
    const QDateTime base(QDate(2020, 1, 1), QTime(8, 0));
    MemTable *t = dm.ScadData;
    t->disableControls();
    t->setEventsEnabled(false);
    for (int i = 0; i < count; ++i) {
        t->append();
        const QDateTime when = base.addSecs(qint64(i) * 600 + r.bounded(600));
        dm.ScadDataRagioneSociale->setAsString(pick(r, names) + ' ' + QString::number(i % 997));
        dm.ScadDataIndirizzo->setAsString("Via " + pick(r, towns) + ' ' + QString::number(r.bounded(200)));
        dm.ScadDatacap->setAsString(QString::number(47000 + r.bounded(999)));
        dm.ScadDataLocalita->setAsString(pick(r, towns));
        dm.ScadDataProvincia->setAsString("FC");
        if (r.bounded(2))
            dm.ScadDataPartitaIva->setAsString(QString::number(10000000000ll + r.bounded(899999999)));
        dm.ScadDataRiferimento1->setAsString("Sig. " + pick(r, names).section(' ', 0, 0));
        dm.ScadDataTelefono1->setAsString("0543 " + QString::number(100000 + r.bounded(899999)));
        dm.ScadDataemail1->setAsString("info" + QString::number(i % 500) + "@esempio.it");
        dm.ScadDatadataorichiesta->setAsDateTime(when);
        dm.ScadDatadataointervento->setAsDateTime(when.addDays(2));
        dm.ScadDataproduttore->setAsString(pick(r, makers));
        dm.ScadDatadistributore->setAsString("Ingrosso " + pick(r, towns));
        dm.ScadDatatipoarticolo->setAsString(pick(r, kinds));
        dm.ScadDataarticolo->setAsString(pick(r, makers) + " M" + QString::number(r.bounded(900)));
        dm.ScadDatamatricola->setAsString("SN" + QString::number(r.bounded(99999999)));
        dm.ScadDatadataacquisto->setAsDateTime(QDateTime(when.date().addYears(-1), QTime(0, 0)));
        dm.ScadDataingaranzia->setAsString(r.bounded(3) ? "S" : "N");
        dm.ScadDatadesproblema->setAsString(words(r, 3, 25));
        if (r.bounded(2))
            dm.ScadDatadesdifetto->setAsString(words(r, 2, 12));
        dm.ScadDataespletata->setAsString(r.bounded(4) ? "E" : "N");
        dm.ScadDataNumScad->setAsString(when.toString("yyMMddHHmmss"));
        t->post();
    }
    t->setEventsEnabled(true);
    t->enableControls();
}

double sqliteImport(const QString &file)
{
    const QString sqlite = QStandardPaths::findExecutable("sqlite3");
    if (sqlite.isEmpty())
        return -1;
    QProcess p;
    QElapsedTimer timer;
    timer.start();
    p.start(sqlite, {":memory:"});
    p.write(QString(".mode tabs\n.import '%1' calls\nselect count(*) from calls;\n").arg(file).toUtf8());
    p.closeWriteChannel();
    p.waitForFinished(-1);
    return timer.nsecsElapsed() / 1e9;
}

int makeOne(int count, const QString &file)
{
    TDM1 source;
    source.ScadData->open();
    fill(source, count);
    source.SaveArchive(file);
    return 0;
}

// In a process of its own, so that the peak resident memory is that of loading and saving.
int runOne(int count, const QString &file)
{
    const double fileMb = QFileInfo(file).size() / 1048576.0;
    const long rssBefore = statusKb("VmRSS:");
    TDM1 dm;
    dm.ScadData->open();
    QElapsedTimer timer;
    timer.start();
    dm.LoadArchive(file);
    const double load = timer.nsecsElapsed() / 1e9;
    const long peakLoad = statusKb("VmHWM:");
    const long rssAfter = statusKb("VmRSS:");
    const double storeMb = (rssAfter - rssBefore) / 1024.0;

    const QString out = file + ".out";
    timer.restart();
    dm.SaveArchive(out);
    const double save = timer.nsecsElapsed() / 1e9;
    const bool same = readWhole(file) == readWhole(out);
    QFile::remove(out);
    const double peakMb = (peakLoad - rssBefore) / 1024.0;

    const double sqlite = sqliteImport(file);
    std::printf("%9d calls  file %7.1f MB  load %7.3f s  save %7.3f s  store %7.1f MB (%.2fx file)  "
                "peak RSS while loading %7.1f MB (%.2fx file)  sqlite3 import %7.3f s  (load %.2fx the import)%s\n",
                count, fileMb, load, save, storeMb, storeMb / fileMb, peakMb, peakMb / fileMb, sqlite,
                sqlite > 0 ? load / sqlite : 0.0, same ? "" : "  [round trip differs]");
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == "--make")
        return makeOne(args[1].toInt(), args[2]);
    if (args.size() == 3 && args[0] == "--one")
        return runOne(args[1].toInt(), args[2]);
    if (args.isEmpty())
        args = {"10000", "100000", "1000000"};
    qputenv("LC_ALL", "C");
    QTemporaryDir dir;
    for (const QString &count : args) {
        const QString file = dir.filePath("Chasdata-" + count + ".dat");
        for (const char *step : {"--make", "--one"}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(app.applicationFilePath(), {step, count, file});
            child.waitForFinished(-1);
        }
        QFile::remove(file);
    }
    return 0;
}
