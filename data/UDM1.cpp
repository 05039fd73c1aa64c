#include "UDM1.h"

#include "platform/memdata/DataError.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "platform/memdata/RegionalSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <algorithm>
#include <vector>

QString ProgramFolder;
const QString ArchiveFileName = QStringLiteral("Chasdata.dat");
const QString PrintFileName = QStringLiteral("ChasLst.html");
TDM1 *DM1 = nullptr;

namespace {

// Splits at each TAB; the rest after the last TAB is the last part, and an empty rest ends
// the splitting, so a TAB at the very end adds no part and an empty line gives none.
void splitParts(QByteArrayView line, std::vector<QByteArrayView> &parts)
{
    parts.clear();
    while (!line.isEmpty()) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) {
            parts.push_back(line);
            break;
        }
        parts.push_back(line.first(tab));
        line = line.sliced(tab + 1);
    }
}

// Lines end at CR LF, a lone CR or a lone LF; the last one needs no end.
class LineReader
{
public:
    explicit LineReader(QByteArrayView text) : m_text(text) {}
    bool next(QByteArrayView *line)
    {
        const qsizetype n = m_text.size();
        if (m_pos >= n)
            return false;
        const char *data = m_text.data();
        qsizetype i = m_pos;
        while (i < n && data[i] != '\r' && data[i] != '\n')
            ++i;
        *line = m_text.sliced(m_pos, i - m_pos);
        if (i < n && data[i] == '\r' && i + 1 < n && data[i + 1] == '\n')
            ++i;
        m_pos = i + 1;
        return true;
    }

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

QString nativePath(const QString &fileName) { return QDir::toNativeSeparators(fileName); }

DataError cannotCreate(const QString &fileName, const QString &reason)
{
    return DataError(QStringLiteral("Cannot create file \"%1\". %2").arg(nativePath(fileName), reason));
}

} // namespace

TDM1::TDM1(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DM1"));
    ScadData = new MemTable(this);
    ScadData->setObjectName(QStringLiteral("ScadData"));
    ScadData->setRegionalSettings(RegionalSettings::fromEnvironment());
    auto text = [this](const char *name, int width) { return ScadData->addField(QString::fromLatin1(name), FieldKind::Text, width); };
    auto date = [this](const char *name) { return ScadData->addField(QString::fromLatin1(name), FieldKind::DateTime); };
    ScadDataRagioneSociale = text("RagioneSociale", 70);
    ScadDataIndirizzo = text("Indirizzo", 50);
    ScadDatacap = text("cap", 9);
    ScadDataLocalita = text("Localita", 60);
    ScadDataProvincia = text("Provincia", 2);
    ScadDataPartitaIva = text("PartitaIva", 16);
    ScadDataCodiceFiscale = text("CodiceFiscale", 16);
    ScadDataRiferimento1 = text("Riferimento1", 25);
    ScadDataTelefono1 = text("Telefono1", 30);
    ScadDataFax1 = text("Fax1", 30);
    ScadDataemail1 = text("email1", 60);
    ScadDatadataorichiesta = date("dataorichiesta");
    ScadDatadataointervento = date("dataointervento");
    ScadDataproduttore = text("produttore", 50);
    ScadDatadistributore = text("distributore", 50);
    ScadDatatipoarticolo = text("tipoarticolo", 30);
    ScadDataarticolo = text("articolo", 30);
    ScadDatamatricola = text("matricola", 30);
    ScadDatadataacquisto = date("dataacquisto");
    ScadDataingaranzia = text("ingaranzia", 1);
    ScadDatadesproblema = text("desproblema", 300);
    ScadDatadesdifetto = text("desdifetto", 300);
    ScadDataespletata = text("espletata", 1);
    ScadDataNumScad = text("NumScad", 20);
    ScadData->setIndexField(ScadDataNumScad);
    ScadData->setAfterInsert([this] { ScadDataAfterInsert(); });

    DSScad = new DataSource(this);
    DSScad->setObjectName(QStringLiteral("DSScad"));
    DSScad->setTable(ScadData);
}

TDM1::~TDM1() = default;

QString TDM1::folderOf(const QString &executablePath)
{
    QString folder = executablePath.left(executablePath.lastIndexOf(u'/') + 1);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QDateTime TDM1::now() const
{
    return m_now ? m_now() : QDateTime::currentDateTime();
}

void TDM1::DataModuleCreate()
{
    ProgramFolder = folderOf(m_executablePath.isEmpty() ? QCoreApplication::applicationFilePath() : m_executablePath);
    ScadData->close();
    ScadData->open();
    const QString archive = ProgramFolder + ArchiveFileName;
    if (QFileInfo(archive).isFile())
        LoadArchive(archive);
}

void TDM1::DataModuleDestroy()
{
    const auto closeStore = qScopeGuard([table = ScadData] { table->close(); });
    SaveArchive(ProgramFolder + ArchiveFileName);
}

void TDM1::ScadDataAfterInsert()
{
    for (MemField *f : {ScadDataRagioneSociale, ScadDataIndirizzo, ScadDatacap, ScadDataLocalita, ScadDataProvincia,
                        ScadDataRiferimento1, ScadDataTelefono1, ScadDataFax1, ScadDataCodiceFiscale,
                        ScadDataPartitaIva, ScadDataemail1})
        f->setAsString(QString());
    ScadDatadataorichiesta->setAsDateTime(now());
    ScadDatadataointervento->setAsDateTime(now());
    for (MemField *f : {ScadDataproduttore, ScadDatadistributore, ScadDatatipoarticolo, ScadDataarticolo, ScadDatamatricola})
        f->setAsString(QString());
    ScadDatadataacquisto->setAsDateTime(now());
    ScadDataingaranzia->setAsString(QStringLiteral("S"));
    ScadDatadesproblema->setAsString(QString());
    ScadDatadesdifetto->setAsString(QString());
    ScadDataespletata->setAsString(QStringLiteral("N"));
    ScadDataNumScad->setAsString(now().toString(QStringLiteral("yyMMddHHmmss")));
}

// --- the archive file ------------------------------------------------------------------------

void TDM1::LoadArchive(const QString &fileName)
{
    m_readFailed = false;
    m_backupFile.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_readFailed = true;
        m_changesAtLoad = ScadData->changeCount();
        throw DataError(QStringLiteral("Cannot open file \"%1\". %2").arg(nativePath(fileName), file.errorString()));
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_readFailed = true;
        m_changesAtLoad = ScadData->changeCount();
        throw DataError(QStringLiteral("Stream read error"));
    }
    file.close();

    try {
        ReadArchive(content);
    } catch (const DataError &e) {
        // The calls behind the failing line would be lost at the next save: keep the file as
        // it was beside it first, and say where.
        m_readFailed = true;
        m_changesAtLoad = ScadData->changeCount();
        QString message = e.message() + u'.';
        try {
            m_backupFile = makeBackup(content, fileName);
            message += QStringLiteral("\n\nUna copia del file com'era prima della lettura: \"%1\"").arg(nativePath(m_backupFile));
        } catch (const DataError &backupError) {
            message += QStringLiteral("\n\nNon e' stato possibile copiare il file: %1").arg(backupError.message());
        }
        throw DataError(message);
    }
    m_changesAtLoad = ScadData->changeCount();
}

void TDM1::ReadArchive(QByteArrayView content)
{
    const qsizetype nul = content.indexOf('\0');
    LineReader lines(content.first(nul < 0 ? content.size() : nul));
    QByteArrayView line;
    if (!lines.next(&line))
        return;

    // Events off and views suspended for the length of a reading, whatever way it ends.
    ScadData->setEventsEnabled(false);
    ScadData->disableControls();
    const auto resume = qScopeGuard([table = ScadData] {
        if (table->state() == MemTable::State::Insert)
            table->cancel();
        table->setEventsEnabled(true);
        table->first();
        table->enableControls();
    });
    ScadData->close();
    ScadData->open();

    std::vector<QByteArrayView> parts;
    splitParts(line, parts);
    std::vector<MemField *> columns;
    for (QByteArrayView name : parts) {
        MemField *f = ScadData->findField(QString::fromLatin1(name.data(), name.size()));
        columns.push_back(f && !f->isCalculated() ? f : nullptr);
    }
    while (lines.next(&line)) {
        ScadData->append();
        splitParts(line, parts);
        if (parts.size() > columns.size())
            throw DataError(QStringLiteral("List index out of bounds (%1)").arg(columns.size()));
        for (size_t i = 0; i < parts.size(); ++i) {
            if (columns[i] && !parts[i].isEmpty())
                columns[i]->setAsAnsi(parts[i]);
        }
        ScadData->post();
    }
}

QString TDM1::backupNameFor(const QString &fileName) const
{
    const QFileInfo info(fileName);
    const QString stamp = now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString stem = info.path() + u'/' + info.completeBaseName() + u'-' + stamp;
    QString candidate = stem + u'.' + info.suffix();
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = stem + u'-' + QString::number(n) + u'.' + info.suffix();
    return candidate;
}

QString TDM1::makeBackup(const QByteArray &content, const QString &fileName)
{
    const QString name = backupNameFor(fileName);
    QFile backup(name);
    if (!backup.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw DataError(backup.errorString());
    if (backup.write(content) != content.size() || !backup.flush()) {
        const QString reason = backup.errorString();
        backup.close();
        backup.remove();
        throw DataError(reason);
    }
    return name;
}

QString TDM1::renameToBackup(const QString &fileName)
{
    if (!QFileInfo::exists(fileName))
        return QString();
    const QString name = backupNameFor(fileName);
    return QFile::rename(fileName, name) ? name : QString();
}

void TDM1::SaveArchive(const QString &fileName)
{
    if (!ScadData->isActive())
        return;
    ScadData->checkBrowseMode();
    if (m_readFailed) {
        // Nothing entered after a reading that failed: the file stays exactly as it was.
        if (ScadData->changeCount() == m_changesAtLoad)
            return;
        if (m_backupFile.isEmpty())
            m_backupFile = renameToBackup(fileName);
    }

    const QFileInfo target(fileName);
    if (target.exists() && !target.isWritable())
        throw cannotCreate(fileName, QStringLiteral("Permission denied"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotCreate(fileName, file.errorString());

    if (!WriteArchive(file) || !file.commit())
        throw DataError(QStringLiteral("Stream write error"));
    m_readFailed = false;
}

bool TDM1::WriteArchive(QIODevice &out)
{
    ScadData->disableControls();
    const auto resume = qScopeGuard([table = ScadData] { table->enableControls(); });

    std::vector<const MemField *> columns;
    for (int i = 0; i < ScadData->fieldCount(); ++i) {
        if (!ScadData->field(i)->isCalculated())
            columns.push_back(ScadData->field(i));
    }
    constexpr qsizetype Flush = qsizetype(1) << 20;
    QByteArray chunk;
    chunk.reserve(std::min<qsizetype>(Flush, qsizetype(ScadData->recordCount() + 1) * 512) + 4096);
    bool ok = true;
    auto endLine = [&] {
        chunk.append("\r\n", 2);
        if (chunk.size() >= Flush) {
            ok = ok && out.write(chunk) == chunk.size();
            chunk.resize(0);
        }
    };
    for (size_t c = 0; c < columns.size(); ++c) {
        if (c > 0)
            chunk.append('\t');
        chunk.append(columns[c]->fieldName().toLatin1());
    }
    endLine();
    for (quint32 id : ScadData->recordOrder()) {
        for (size_t c = 0; c < columns.size(); ++c) {
            if (c > 0)
                chunk.append('\t');
            ScadData->appendAnsiText(chunk, id, columns[c]);
        }
        endLine();
    }
    ok = ok && out.write(chunk) == chunk.size();
    return ok;
}
