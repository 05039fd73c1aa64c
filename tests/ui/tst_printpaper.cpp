#include "app/ShellOpen.h"
#include "data/UDM1.h"
#include "platform/filter/FilterCriteria.h"
#include "platform/grid/GridBandedTableView.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridDataController.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "ProgramWindows.h"
#include "ui/CalStart.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QXmlStreamReader>
#include <map>

namespace {

// A printed PDF read back word by word, page by page.
struct Paper
{
    struct Word
    {
        QString text;
        double left, right;
    };
    struct Page
    {
        double width = 0, height = 0;
        std::vector<Word> words;
        QString text() const
        {
            QStringList out;
            for (const Word &w : words)
                out << w.text;
            return out.join(u' ');
        }
    };
    std::vector<Page> pages;
    QString error;

    // Which page holds a word, -1 when none, -2 when more than one does. A word may end one
    // that pdftotext joined to the clipped text of the cell before it.
    int pageOf(const QString &word) const
    {
        int found = -1;
        for (size_t p = 0; p < pages.size(); ++p) {
            for (const Word &w : pages[p].words) {
                if (w.text.endsWith(word))
                    found = found == -1 ? int(p) : -2;
            }
        }
        return found;
    }

    static Paper read(const QByteArray &xhtml)
    {
        Paper paper;
        QXmlStreamReader xml(xhtml);
        while (!xml.atEnd()) {
            if (!xml.readNext() || !xml.isStartElement())
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == QLatin1String("page")) {
                paper.pages.push_back(Page{a.value("width").toDouble(), a.value("height").toDouble(), {}});
            } else if (xml.name() == QLatin1String("word") && !paper.pages.empty()) {
                const double left = a.value("xMin").toDouble();
                const double right = a.value("xMax").toDouble();
                paper.pages.back().words.push_back(Word{xml.readElementText(), left, right});
            }
        }
        if (xml.hasError())
            paper.error = xml.errorString();
        return paper;
    }
};

QString numbered(const char *prefix, int i)
{
    return QString::fromLatin1(prefix) + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
}

} // namespace

class tst_PrintPaper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void listOnPaper_data();
    void listOnPaper();
    void selectedCallOnPaper();

private:
    Paper printToPaper(QAction *entry);
    void filterProvince(const QString &province);

    QString m_chromium;
    QString m_pdftotext;
    std::unique_ptr<ProgramWindows> m_program;
    QTemporaryDir m_dir;
};

void tst_PrintPaper::initTestCase()
{
    m_chromium = QStandardPaths::findExecutable("chromium");
    m_pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (m_chromium.isEmpty() || m_pdftotext.isEmpty())
        QSKIP("chromium or pdftotext is not installed (scripts/deps --test installs them)");
    m_program = std::make_unique<ProgramWindows>(m_dir.filePath("callistro"));
    setShellOpenWatcher([](const QString &, const QString &, const QString &, int) {});
    FFMAIN->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFMAIN));

    // Every value of a call is one word of its own, so each can be found on paper.
    MemTable *store = DM1->ScadData;
    for (int i = 0; i < 300; ++i) {
        store->append();
        DM1->ScadDataRagioneSociale->setAsString(numbered("Cliente", i));
        DM1->ScadDataIndirizzo->setAsString(numbered("Via", i));
        DM1->ScadDatacap->setAsString(QStringLiteral("4%1").arg(i % 10000, 4, 10, QLatin1Char('0')));
        DM1->ScadDataLocalita->setAsString(numbered("Citta", i));
        DM1->ScadDataProvincia->setAsString(i % 3 == 0 ? QStringLiteral("FC") : QStringLiteral("RA"));
        DM1->ScadDataCodiceFiscale->setAsString(numbered("CFXXXXXXXXXX", i));
        DM1->ScadDatadesproblema->setAsString(numbered("Problema", i));
        DM1->ScadDatadesdifetto->setAsString(numbered("Difetto", i));
        store->post();
    }
}

void tst_PrintPaper::cleanupTestCase()
{
    setShellOpenWatcher({});
    m_program.reset();
}

Paper tst_PrintPaper::printToPaper(QAction *entry)
{
    const QString pdf = m_dir.filePath("ChasLst.pdf");
    QFile::remove(pdf);
    entry->trigger();
    QTemporaryDir profile;
    QProcess browser;
    browser.start(m_chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                               "--disable-component-update", "--disable-sync", "--no-first-run",
                               "--user-data-dir=" + profile.path(), "--no-pdf-header-footer", "--print-to-pdf=" + pdf,
                               QUrl::fromLocalFile(ProgramFolder + PrintFileName).toString()});
    if (!browser.waitForFinished(120000) || browser.exitCode() != 0 || !QFile::exists(pdf)) {
        Paper none;
        none.error = "chromium printed nothing: " + QString::fromLocal8Bit(browser.readAllStandardError().right(500));
        return none;
    }
    QProcess text;
    text.start(m_pdftotext, {"-bbox", pdf, "-"});
    if (!text.waitForFinished(60000) || text.exitCode() != 0) {
        Paper none;
        none.error = "pdftotext failed: " + QString::fromLocal8Bit(text.readAllStandardError());
        return none;
    }
    return Paper::read(text.readAllStandardOutput());
}

void tst_PrintPaper::filterProvince(const QString &province)
{
    GridBandedTableView *v = FFMAIN->cxGrid1DBTableView1;
    FilterCriteria criteria;
    if (!province.isEmpty()) {
        int column = 0;
        while (v->column(column)->fieldName() != QLatin1String("Provincia"))
            ++column;
        criteria.root().addCondition(FilterCondition(column, FilterOperator::Equal, {FilterValue(province, province)}));
    }
    v->setFilterCriteria(criteria);
}

void tst_PrintPaper::listOnPaper_data()
{
    QTest::addColumn<QString>("province"); // the filter, none when empty
    QTest::addColumn<int>("calls");
    QTest::newRow("every call") << QString() << 300;
    QTest::newRow("filtered") << QStringLiteral("FC") << 100;
}

void tst_PrintPaper::listOnPaper()
{
    QFETCH(QString, province);
    QFETCH(int, calls);
    filterProvince(province);
    const GridBandedTableView *v = FFMAIN->cxGrid1DBTableView1;
    QCOMPARE(v->controller()->recordCount(), calls);
    const Paper paper = printToPaper(FFMAIN->StampaHTMLselezione1);
    filterProvince(QString());
    QVERIFY2(paper.error.isEmpty(), qPrintable(paper.error));
    QVERIFY(paper.pages.size() > 2);

    // The heading: what is printed, how many calls, and the filter that chose them.
    const QString first = paper.pages.front().text();
    QVERIFY2(first.startsWith("Chiamate di assistenza tecnica"), qPrintable(first.left(200)));
    QVERIFY2(first.contains(QStringLiteral(" - %1 chiamate").arg(calls)), qPrintable(first.left(200)));
    if (!province.isEmpty())
        QVERIFY2(first.contains("Filtro: " + v->filterText().simplified()), qPrintable(first.left(200)));
    else
        QVERIFY(!first.contains("Filtro:"));

    // Landscape pages, each under the header captions, nothing beyond the page's right edge.
    const QStringList captions{"D.H.Prev.INT.", "Telefono", "Nome", "Indirizzo", "CAP", "Localita", "PR",
                               "D.H.Richiesta", "Produttore", "Distributore", "Tipo Articolo", "Articolo",
                               "Matricola", "Partita Iva", "Codice Fiscale", "Descrizione del problema",
                               "Data Acquisto", "Descrizione del difetto"};
    for (size_t p = 0; p < paper.pages.size(); ++p) {
        const Paper::Page &page = paper.pages[p];
        QVERIFY(page.width > page.height);
        const QString text = page.text();
        for (const QString &caption : captions)
            QVERIFY2(text.contains(caption), qPrintable(QStringLiteral("page %1 lacks %2").arg(p + 1).arg(caption)));
        for (const Paper::Word &w : page.words)
            QVERIFY2(w.right <= page.width, qPrintable(w.text));
    }

    // Each listed call whole on one page: its name and the values of its next lines.
    for (int i = 0; i < 300; ++i) {
        const bool listed = province.isEmpty() || i % 3 == 0;
        const int page = paper.pageOf(numbered("Cliente", i));
        QVERIFY2(listed ? page >= 0 : page == -1, qPrintable(numbered("Cliente", i)));
        if (!listed)
            continue;
        for (const char *next : {"Via", "Citta", "CFXXXXXXXXXX", "Problema", "Difetto"})
            QVERIFY2(paper.pageOf(numbered(next, i)) == page, qPrintable(numbered(next, i)));
    }
}

void tst_PrintPaper::selectedCallOnPaper()
{
    DM1->ScadData->moveTo(41);
    const Paper paper = printToPaper(FFMAIN->StampaHTMLSelezione2);
    QVERIFY2(paper.error.isEmpty(), qPrintable(paper.error));
    QCOMPARE(paper.pages.size(), size_t(1));
    const QString text = paper.pages.front().text();
    QVERIFY2(text.startsWith("Chiamate di assistenza tecnica"), qPrintable(text.left(200)));
    QVERIFY2(text.contains(" - chiamata selezionata"), qPrintable(text.left(200)));
    QVERIFY2(!text.contains(QRegularExpression("\\d chiamat[ae]")), qPrintable(text.left(300)));
    QCOMPARE(paper.pageOf(numbered("Cliente", 41)), 0);
    QCOMPARE(paper.pageOf(numbered("Cliente", 40)), -1);
}

QTEST_MAIN(tst_PrintPaper)
#include "tst_printpaper.moc"
