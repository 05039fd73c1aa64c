#pragma once

#include "ArchiveIdentity.h"
#include "platform/memdata/RecordObserver.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <vector>

class MemField;
class MemTable;

// The changes made to a table since its archive was read, kept on disk as they happen so that a
// run that never saves (killed, crashed, a failed save) loses nothing. Each post and removal is
// appended as one line and flushed to the disk before the command that made it returns.
//
// The file is text: lines "<checksum>\t<kind>\t...", LF-ended. The first names the archive it
// applies to ("A", size and hash); then "I" (a new record at position), "U" (the record at
// position changed) with every stored field in the archive's own text forms, and "D" (the
// record at position removed). A last line without its end was being written when the run
// ended, and was never reported done: it is dropped.
class ChangeJournal : public RecordObserver
{
public:
    struct Recovery
    {
        int replayed = 0;
        QString setAside;   // where a journal that could not be used whole was kept
        bool foreign = false; // it belongs to another archive: nothing of it was replayed
        QString problem;    // why the replay stopped early
    };

    ChangeJournal(MemTable *table, const QString &fileName);
    ~ChangeJournal() override;
    ChangeJournal(const ChangeJournal &) = delete;
    ChangeJournal &operator=(const ChangeJournal &) = delete;

    QString fileName() const { return m_fileName; }

    // Examines the file left by an earlier run for the archive just read: replays it into the
    // table when it applies, sets it aside (renamed with the time) when it does not. Then the
    // journal records the table's changes until detach().
    Recovery recover(const ArchiveIdentity &archive, const QDateTime &now);
    void detach();

    // After a successful save the changes are in the archive: the file goes.
    void discard();
    // Whether the file can be made where it is meant to lie.
    bool canBeWritten() const;

    void recordPosted(const MemTable &table, int position, quint32 recordId, bool inserted) override;
    void recordRemoved(const MemTable &table, int position, quint32 recordId) override;

    static QByteArray checksum(QByteArrayView payload);

private:
    void replay(const QByteArray &content, qsizetype from, Recovery *recovery, qsizetype *validEnd);
    void apply(QByteArrayView line);
    void setFields(const std::vector<QByteArrayView> &values);
    void write(QByteArray payload);
    void openForAppend();
    QString asideName(const QDateTime &now) const;

    MemTable *m_table;
    QString m_fileName;
    std::vector<const MemField *> m_fields;
    ArchiveIdentity m_archive;
    QFile m_file;
    bool m_attached = false;
    bool m_failed = false;
};
