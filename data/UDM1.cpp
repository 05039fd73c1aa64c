#include "UDM1.h"

#include "ArchiveFormat.h"
#include "ArchiveReader.h"
#include "ChangeJournal.h"

#include "platform/memdata/AnsiCodec.h"
#include "platform/memdata/DataError.h"
#include "platform/memdata/DataSource.h"
#include "platform/memdata/DateTimeKey.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "platform/memdata/RegionalSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStringList>
#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

QString ProgramFolder;
const QString ArchiveFileName = QStringLiteral("Chasdata.dat");
const QString PrintFileName = QStringLiteral("ChasLst.html");
const QString JournalFileName = QStringLiteral("Chasdata.jnl");
const QString PreviousArchiveFileName = QStringLiteral("Chasdata.bak");
TDM1 *DM1 = nullptr;

namespace {

// The identity of a whole file read again, for a reading that stopped before its end.
ArchiveIdentity identityOfFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return ArchiveIdentity();
    ArchiveIdentity::Builder identity;
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(block.data(), block.size());
        if (got <= 0)
            break;
        identity.add(QByteArrayView(block.constData(), qsizetype(got)));
    }
    return identity.result();
}

using namespace ArchiveFormat;

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
    try {
        SaveArchive(ProgramFolder + ArchiveFileName);
    } catch (...) {
        m_journal.reset(); // kept for the next start
        throw;
    }
    if (m_journal) {
        m_journal->discard();
        m_journal.reset();
    }
}

// --- the change journal ----------------------------------------------------------------------

QString TDM1::stateFolderFor(const QString &programFolder)
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    const quint64 key = ArchiveIdentity::hash(QFile::encodeName(QDir::cleanPath(programFolder)));
    return base + QStringLiteral("/callistro/") + QString::number(key, 16).rightJustified(16, u'0') + u'/';
}

QString TDM1::journalFileName() const
{
    if (m_journal)
        return m_journal->fileName();
    const QString beside = ProgramFolder + JournalFileName;
    const QString inState = stateFolderFor(ProgramFolder) + JournalFileName;
    const bool folderWritable = QFileInfo(ProgramFolder).isWritable();
    const QString chosen = folderWritable ? beside : inState;
    const QString other = folderWritable ? inState : beside;
    // A journal left where an earlier run had to keep it is the one to recover.
    return !QFileInfo::exists(chosen) && QFileInfo::exists(other) ? other : chosen;
}

QString TDM1::OpenJournal()
{
    m_journal.reset();
    const QString fileName = journalFileName();
    m_journal = std::make_unique<ChangeJournal>(ScadData, fileName);
    const ChangeJournal::Recovery r = m_journal->recover(m_archiveIdentity, now());
    QStringList told;
    if (r.foreign) {
        told << QStringLiteral("Il giornale delle modifiche \"%1\" non appartiene all'archivio letto, che e' cambiato "
                               "dopo: non e' stato applicato ed e' conservato come \"%2\".")
                    .arg(nativePath(fileName), nativePath(r.setAside));
    }
    if (r.replayed == 1)
        told << QStringLiteral("E' stata recuperata 1 modifica che l'ultima sessione non aveva salvato nell'archivio.");
    else if (r.replayed > 1)
        told << QStringLiteral("Sono state recuperate %1 modifiche che l'ultima sessione non aveva salvato nell'archivio.")
                    .arg(r.replayed);
    if (!r.problem.isEmpty()) {
        told << QStringLiteral("Il giornale delle modifiche \"%1\" si legge solo fino alla %2; il giornale intero e' "
                               "conservato come \"%3\".")
                    .arg(nativePath(fileName), r.problem, nativePath(r.setAside));
    }
    return told.join(QStringLiteral("\n\n"));
}

QString TDM1::archiveSaveProblem() const
{
    const QFileInfo archive(ProgramFolder + ArchiveFileName);
    const bool writable = archive.exists() && archive.isWritable();
    // A folder that takes new files takes a new archive, and a file that failed to read is put
    // aside first; elsewhere only a writable file can be written, in place.
    const bool canSave = QFileInfo(ProgramFolder).isWritable() ? !archive.exists() || writable || m_readFailed : writable;
    if (canSave)
        return QString();
    QString text = QStringLiteral("L'archivio delle chiamate non potra' essere salvato all'uscita: il programma non puo' "
                                  "scrivere nella cartella \"%1\".")
                       .arg(nativePath(ProgramFolder));
    const QString journal = m_journal ? m_journal->fileName() : journalFileName();
    if (ChangeJournal(ScadData, journal).canBeWritten())
        text += QStringLiteral("\n\nLe chiamate inserite, modificate o cancellate restano nel giornale delle modifiche "
                               "\"%1\" e vengono recuperate a ogni avvio.")
                    .arg(nativePath(journal));
    else
        text += QStringLiteral("\n\nNon c'e' nemmeno un posto dove tenere il giornale delle modifiche: quello che si "
                               "inserisce andra' perso all'uscita.");
    return text;
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
    m_archiveIdentity = ArchiveIdentity();
    m_foreignDate.clear();
    m_loadedFile = fileName;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_readFailed = true;
        m_changesAtLoad = ScadData->changeCount();
        throw DataError(QStringLiteral("Cannot open file \"%1\". %2").arg(nativePath(fileName), file.errorString()));
    }

    ArchiveReader reader(ScadData, m_readThreads, m_readBlockSize);
    ArchiveIdentity::Builder identity;
    reader.setBytesSink([&identity](QByteArrayView bytes) { identity.add(bytes); });
    // A reading that stops early has not seen every byte: the journal still names the whole file.
    auto takeIdentity = qScopeGuard([&] {
        m_archiveIdentity = identity.size() == file.size() ? identity.result() : identityOfFile(fileName);
    });
    try {
        if (!reader.read(file)) {
            m_readFailed = true;
            m_changesAtLoad = ScadData->changeCount();
            throw DataError(QStringLiteral("Stream read error"));
        }
    } catch (const DataError &e) {
        if (m_readFailed)
            throw;
        // The calls behind the failing line would be lost at the next save: keep the file as
        // it was beside it first, and say where.
        m_readFailed = true;
        m_foreignDate = reader.foreignDate();
        m_changesAtLoad = ScadData->changeCount();
        QString message = e.message() + u'.';
        try {
            m_backupFile = makeBackup(fileName);
            message += QStringLiteral("\n\nUna copia del file com'era prima della lettura: \"%1\"").arg(nativePath(m_backupFile));
        } catch (const DataError &backupError) {
            message += QStringLiteral("\n\nNon e' stato possibile copiare il file: %1").arg(backupError.message());
        }
        throw DataError(message);
    }
    m_foreignDate = reader.foreignDate();
    m_changesAtLoad = ScadData->changeCount();
}

void TDM1::ReadArchive(QByteArrayView content)
{
    m_foreignDate.clear();
    if (content.startsWith(kUtf8Mark))
        content = content.sliced(3);
    if (looksLikeUtf16(content))
        throw utf16Error();

    // A zero byte is no part of any text the program writes: the file was cut or damaged there,
    // so the reading stops before that line as before any other line it cannot read.
    const qsizetype nul = content.indexOf('\0');
    const qsizetype readable = nul < 0 ? content.size() : lineStartOf(content, nul);
    LineReader lines(content.first(readable));
    QByteArrayView line;
    int lineNumber = 1;
    auto zeroByte = [&lineNumber] { return zeroByteError(lineNumber); };
    if (!lines.next(&line)) {
        if (nul >= 0)
            throw zeroByte();
        return;
    }

    std::vector<QByteArrayView> parts;
    splitParts(line, parts);
    std::vector<MemField *> columns;
    bool anyField = false;
    for (QByteArrayView name : parts) {
        MemField *f = ScadData->findField(QString::fromLatin1(name.data(), name.size()));
        columns.push_back(f && !f->isCalculated() ? f : nullptr);
        anyField = anyField || columns.back();
    }
    if (!anyField)
        throw noFieldError();

    QuietTable quiet(ScadData);
    ScadData->close();
    ScadData->open();
    const RegionalSettings &regional = ScadData->regionalSettings();
    while (lines.next(&line)) {
        ++lineNumber;
        ScadData->append();
        splitParts(line, parts);
        if (parts.size() > columns.size())
            throw tooManyPartsError(columns.size());
        for (size_t i = 0; i < parts.size(); ++i) {
            if (!columns[i] || parts[i].isEmpty())
                continue;
            if (m_foreignDate.isEmpty() && columns[i]->kind() == FieldKind::DateTime && !regional.parseExact(parts[i])
                && regional.parse(parts[i]))
                m_foreignDate = AnsiCodec::toUnicode(parts[i]);
            columns[i]->setAsAnsi(parts[i]);
        }
        ScadData->post();
    }
    if (nul >= 0) {
        ++lineNumber;
        throw zeroByte();
    }
}

QString TDM1::regionalWarning() const
{
    if (m_foreignDate.isEmpty())
        return QString();
    const RegionalSettings &regional = ScadData->regionalSettings();
    const QString now = regional.format(regional.parse(QStringView(m_foreignDate)).value_or(DateTimeKey::Null));
    return QStringLiteral("Il file \"%1\" e' stato scritto con altre impostazioni internazionali (formato della data "
                          "e dell'ora): la data \"%2\" con le impostazioni attuali si legge e si scrive \"%3\". "
                          "Giorni e mesi possono essere stati scambiati, e alla chiusura le date saranno riscritte "
                          "nelle forme attuali.")
        .arg(nativePath(m_loadedFile), m_foreignDate, now);
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

QString TDM1::makeBackup(const QString &fileName)
{
    const QString name = backupNameFor(fileName);
    QFile source(fileName);
    if (!source.copy(name))
        throw DataError(source.errorString());
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
    // A folder that takes no new file, with an archive that may be written: the archive is
    // written in place, as a plain write would, and the previous one is kept beside the journal.
    const bool inPlace = target.exists() && !QFileInfo(target.path()).isWritable();
    if (inPlace)
        keepPrevious(fileName, QFileInfo(journalFileName()).path() + u'/' + PreviousArchiveFileName, true);
    QSaveFile file(fileName);
    file.setDirectWriteFallback(inPlace);
    if (!file.open(QIODevice::WriteOnly))
        throw cannotCreate(fileName, file.errorString());

    if (!WriteArchive(file))
        throw DataError(QStringLiteral("Stream write error"));
    if (!inPlace)
        keepPrevious(fileName, target.path() + u'/' + PreviousArchiveFileName, false);
    if (!file.commit())
        throw DataError(QStringLiteral("Stream write error"));
    m_readFailed = false;
}

// The archive as it was, under previousName, replaced at each save. A second name for the same
// file costs nothing and stays the old one once the new archive is renamed over it; a file about
// to be written in place, or one whose names cannot be linked, is copied. Failing to keep it
// does not stop the save.
void TDM1::keepPrevious(const QString &fileName, const QString &previousName, bool copy) const
{
    if (!QFileInfo::exists(fileName))
        return;
    QDir().mkpath(QFileInfo(previousName).path());
    const QString partial = previousName + QStringLiteral(".part");
    QFile::remove(partial);
    const QByteArray from = QFile::encodeName(fileName);
    const QByteArray part = QFile::encodeName(partial);
    if ((copy || ::link(from.constData(), part.constData()) != 0) && !QFile::copy(fileName, partial))
        return;
    if (std::rename(part.constData(), QFile::encodeName(previousName).constData()) != 0)
        QFile::remove(partial);
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
    // Straight into one large buffer, the texts already in their bytes.
    const RegionalSettings &regional = ScadData->regionalSettings();
    qsizetype maxLine = 2;
    for (const MemField *f : columns)
        maxLine += 1 + (f->kind() == FieldKind::Text ? f->size() : f->kind() == FieldKind::DateTime ? regional.maxFormattedSize() : 24);
    QByteArray header;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (c > 0)
            header.append('\t');
        header.append(columns[c]->fieldName().toLatin1());
    }
    header.append("\r\n");
    constexpr qsizetype Flush = qsizetype(4) << 20;
    QByteArray chunk(std::max(Flush, header.size()) + maxLine, Qt::Uninitialized);
    char *const begin = chunk.data();
    std::memcpy(begin, header.constData(), size_t(header.size()));
    char *p = begin + header.size();
    bool ok = true;
    for (quint32 id : ScadData->recordOrder()) {
        if (p - begin >= Flush) {
            ok = ok && out.write(begin, p - begin) == p - begin;
            p = begin;
        }
        for (size_t c = 0; c < columns.size(); ++c) {
            if (c > 0)
                *p++ = '\t';
            const MemField *f = columns[c];
            switch (f->kind()) {
            case FieldKind::Text: {
                const QByteArrayView t = ScadData->ansiText(id, f);
                std::memcpy(p, t.data(), size_t(t.size()));
                p += t.size();
                break;
            }
            case FieldKind::DateTime: p = regional.formatTo(p, ScadData->dateTimeKey(id, f)); break;
            case FieldKind::Integer: {
                const qint64 v = ScadData->dateTimeKey(id, f);
                if (v != DateTimeKey::Null) {
                    const QByteArray n = QByteArray::number(v);
                    std::memcpy(p, n.constData(), size_t(n.size()));
                    p += n.size();
                }
                break;
            }
            }
        }
        *p++ = '\r';
        *p++ = '\n';
    }
    ok = ok && out.write(begin, p - begin) == p - begin;
    return ok;
}
