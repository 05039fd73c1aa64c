// What the change journal costs: the time it adds to one Conferma (a post) and one Del (a
// removal) in a store of 100,000 calls, each flushed to the disk of the folder given; the time
// to replay 1,000 changes at start-up; and the time to hash the archive's bytes.
//
//   bench_journal [folder]      default: a new folder in the working folder
#include "data/ArchiveIdentity.h"
#include "data/UDM1.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Calls = 100000;
constexpr int Samples = 200;
constexpr int ReplayChanges = 1000;

QByteArray archiveOf(int count)
{
    QByteArray a = "RagioneSociale\tIndirizzo\tcap\tLocalita\tProvincia\tPartitaIva\tCodiceFiscale\tRiferimento1\t"
                   "Telefono1\tFax1\temail1\tdataorichiesta\tdataointervento\tproduttore\tdistributore\ttipoarticolo\t"
                   "articolo\tmatricola\tdataacquisto\tingaranzia\tdesproblema\tdesdifetto\tespletata\tNumScad\r\n";
    for (int i = 0; i < count; ++i) {
        a += "Ditta Esempio " + QByteArray::number(i) + "\tVia Roma " + QByteArray::number(i % 200)
           + "\t47121\tForli'\tFC\t01234567890\t\tSig. Rossi\t0543 123456\t\tinfo@esempio.it\t"
             "25/03/2024 14:30:05\t27/03/2024 09:00:00\tEpson\tIngrosso Cesena\tStampante\tEpson M12\tSN12345678\t"
             "25/03/2023\tS\tla stampante non si accende dopo aggiornamento carta inceppata\ttoner esaurito\tN\t"
           + QByteArray::number(240325000000ll + i) + "\r\n";
    }
    return a;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void conferma(TDM1 &dm, int i)
{
    dm.ScadData->append();
    dm.ScadDataRagioneSociale->setAsString(QStringLiteral("Nuova chiamata %1").arg(i));
    dm.ScadDatadesproblema->setAsString(QStringLiteral("non stampa, carta inceppata nel cassetto due"));
    dm.ScadData->post();
}

// Median milliseconds of one Conferma and one Del, with the journal recording or not.
void measure(TDM1 &dm, double *post, double *del)
{
    QRandomGenerator r(7);
    std::vector<double> posts, dels;
    QElapsedTimer t;
    for (int i = 0; i < Samples; ++i) {
        t.start();
        conferma(dm, i);
        posts.push_back(t.nsecsElapsed() / 1e6);
        dm.ScadData->moveTo(int(r.bounded(dm.ScadData->recordCount())));
        t.start();
        dm.ScadData->remove();
        dels.push_back(t.nsecsElapsed() / 1e6);
    }
    *post = median(posts);
    *del = median(dels);
}

std::unique_ptr<TDM1> startOn(const QString &folder)
{
    auto dm = std::make_unique<TDM1>();
    dm->setExecutablePath(folder + QStringLiteral("/callistro"));
    dm->DataModuleCreate();
    return dm;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QTemporaryDir dir(base + QStringLiteral("/bench-journal-XXXXXX"));
    const QString archive = dir.filePath(QStringLiteral("Chasdata.dat"));
    const QByteArray bytes = archiveOf(Calls);
    QFile f(archive);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return 1;
    f.close();
    std::printf("archive: %d calls, %.1f MB, in %s\n", Calls, bytes.size() / 1048576.0, qPrintable(dir.path()));

    double postBare = 0, delBare = 0, postJournal = 0, delJournal = 0;
    {
        auto dm = startOn(dir.path());
        measure(*dm, &postBare, &delBare);
    }
    {
        auto dm = startOn(dir.path());
        dm->OpenJournal();
        measure(*dm, &postJournal, &delJournal);
        QFile::remove(dm->journalFileName());
    }
    std::printf("Conferma: %.3f ms without the journal, %.3f ms with it: %.3f ms added (median of %d)\n", postBare,
                postJournal, postJournal - postBare, Samples);
    std::printf("Del:      %.3f ms without the journal, %.3f ms with it: %.3f ms added (median of %d)\n", delBare,
                delJournal, delJournal - delBare, Samples);

    {
        // A run of 1,000 changes, as a day's work: mostly new calls, some changed, some deleted.
        auto dm = startOn(dir.path());
        dm->OpenJournal();
        QRandomGenerator r(11);
        for (int i = 0; i < ReplayChanges; ++i) {
            const int kind = int(r.bounded(10));
            if (kind < 6) {
                conferma(*dm, i);
            } else if (kind < 9) {
                dm->ScadData->moveTo(int(r.bounded(dm->ScadData->recordCount())));
                dm->ScadData->edit();
                dm->ScadDataespletata->setAsString(QStringLiteral("E"));
                dm->ScadData->post();
            } else {
                dm->ScadData->moveTo(int(r.bounded(dm->ScadData->recordCount())));
                dm->ScadData->remove();
            }
        }
    }
    {
        QElapsedTimer t;
        t.start();
        auto dm = startOn(dir.path());
        const double load = t.nsecsElapsed() / 1e6;
        t.start();
        const QString told = dm->OpenJournal();
        const double replay = t.nsecsElapsed() / 1e6;
        std::printf("start-up: %.1f ms reading the archive, %.1f ms replaying %d changes (%s)\n", load, replay,
                    ReplayChanges, qPrintable(told.left(40)));
        QFile::remove(dm->journalFileName());
    }

    QByteArray big(400 * 1048576, 'x');
    for (qsizetype i = 0; i < big.size(); i += 4096)
        big[i] = char(i / 4096);
    QElapsedTimer t;
    t.start();
    const quint64 h = ArchiveIdentity::hash(big);
    std::printf("identity: %.1f ms to hash 400 MB (%016llx)\n", t.nsecsElapsed() / 1e6, static_cast<unsigned long long>(h));
    return 0;
}
