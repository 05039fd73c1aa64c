#pragma once

#include "ArchiveIdentity.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class ChangeJournal;
class DataSource;
class QIODevice;
class MemField;
class MemTable;

// The program folder: the running executable's folder with one trailing "/". Every file the
// program touches is this folder followed by a bare name.
extern QString ProgramFolder;
extern const QString ArchiveFileName;   // "Chasdata.dat"
extern const QString PrintFileName;     // "ChasLst.html"
extern const QString JournalFileName;   // "Chasdata.jnl"
extern const QString PreviousArchiveFileName; // "Chasdata.bak"

// The data module: the call store, its fields, its data source, and the archive file.
class TDM1 : public QObject
{
    Q_OBJECT

public:
    explicit TDM1(QObject *parent = nullptr);
    ~TDM1() override;

    // Fixes ProgramFolder, opens the store empty and reads the archive when there is one.
    void DataModuleCreate();
    // Writes the store to the archive and closes it; the journal goes once the archive holds
    // its changes, and stays when the writing fails.
    void DataModuleDestroy();

    // After DataModuleCreate: replays the journal of an earlier run that ended without saving,
    // and records every change from now on. Gives what the user is to be told, or nothing.
    QString OpenJournal();
    // What stands in the way of saving the archive at the end, told before anything is entered;
    // nothing when it can be saved.
    QString archiveSaveProblem() const;
    // Beside the archive, or in the user's state folder when the program folder cannot be written.
    QString journalFileName() const;
    // The user's state folder for the program folder given: one per program folder.
    static QString stateFolderFor(const QString &programFolder);
    // The identity of the archive's bytes as last read (none read: the empty archive).
    const ArchiveIdentity &archiveIdentity() const { return m_archiveIdentity; }

    void LoadArchive(const QString &fileName);
    void SaveArchive(const QString &fileName);
    // The format alone, without the file: reading replaces the store (unless content holds no
    // line), writing gives false when the device refuses bytes.
    void ReadArchive(QByteArrayView content);
    bool WriteArchive(QIODevice &out);

    // The new-call defaults, run after each append.
    void ScadDataAfterInsert();

    // The folder part of an executable's path, with one trailing "/".
    static QString folderOf(const QString &executablePath);

    // Seams for tests: where the executable lies, and the clock new calls are stamped with.
    void setExecutablePath(const QString &path) { m_executablePath = path; }
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    // How LoadArchive reads: the threads that share each block's lines, and the block's size.
    void setReading(int threads, qsizetype blockSize) { m_readThreads = threads; m_readBlockSize = blockSize; }

    // Whether the last reading of the archive stopped early, and the copy of the file made then.
    bool archiveReadFailed() const { return m_readFailed; }
    QString backupFileName() const { return m_backupFile; }
    // The first date-time text of the last reading that the current regional settings read but
    // do not write back the same way (empty when each one does), and the start-up warning for it.
    QString foreignDateText() const { return m_foreignDate; }
    QString regionalWarning() const;

    MemTable *ScadData;
    MemField *ScadDataRagioneSociale;
    MemField *ScadDataIndirizzo;
    MemField *ScadDatacap;
    MemField *ScadDataLocalita;
    MemField *ScadDataProvincia;
    MemField *ScadDataPartitaIva;
    MemField *ScadDataCodiceFiscale;
    MemField *ScadDataRiferimento1;
    MemField *ScadDataTelefono1;
    MemField *ScadDataFax1;
    MemField *ScadDataemail1;
    MemField *ScadDatadataorichiesta;
    MemField *ScadDatadataointervento;
    MemField *ScadDataproduttore;
    MemField *ScadDatadistributore;
    MemField *ScadDatatipoarticolo;
    MemField *ScadDataarticolo;
    MemField *ScadDatamatricola;
    MemField *ScadDatadataacquisto;
    MemField *ScadDataingaranzia;
    MemField *ScadDatadesproblema;
    MemField *ScadDatadesdifetto;
    MemField *ScadDataespletata;
    MemField *ScadDataNumScad;
    DataSource *DSScad;

private:
    QDateTime now() const;
    QString makeBackup(const QString &fileName);
    QString renameToBackup(const QString &fileName);
    QString backupNameFor(const QString &fileName) const;
    void keepPrevious(const QString &fileName, const QString &previousName, bool copy) const;

    QString m_executablePath;
    std::function<QDateTime()> m_now;
    bool m_readFailed = false;
    quint64 m_changesAtLoad = 0;
    QString m_backupFile;
    ArchiveIdentity m_archiveIdentity;
    std::unique_ptr<ChangeJournal> m_journal;
    QString m_loadedFile;
    QString m_foreignDate;
    int m_readThreads = 2;
    qsizetype m_readBlockSize = qsizetype(8) << 20;
};

extern TDM1 *DM1;
