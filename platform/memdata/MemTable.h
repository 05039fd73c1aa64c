#pragma once

#include "Bookmark.h"
#include "FieldKind.h"
#include "RecordArena.h"
#include "RegionalSettings.h"

#include <QByteArrayView>
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class DataSource;
enum class DataNotice;
class MemField;
class RecordObserver;
class RecordBatch;

// An in-memory table: records in the order they were posted, one cursor, a state, changes held
// aside until post, and views told of every change through their data sources.
//
// Field 0 is the calculated integer RecId: a new record takes one more than the highest number
// given since the table was opened, and keeps it. Record identities are these numbers.
class MemTable : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit MemTable(QObject *parent = nullptr);
    ~MemTable() override;

    // The layout is fixed before the table is first opened.
    MemField *addField(const QString &name, FieldKind kind, int size = 0);
    int fieldCount() const { return int(m_fields.size()); }
    MemField *field(int index) const { return m_fields[size_t(index)]; }
    MemField *recIdField() const { return m_fields.front(); }
    // By name regardless of letter case; findField gives null, fieldByName throws.
    MemField *findField(const QString &name) const;
    MemField *fieldByName(const QString &name) const;

    void setIndexField(MemField *field) { m_indexField = field; m_indexDirty = true; }
    MemField *indexField() const { return m_indexField; }
    // Moves to the first record (in index order) whose index field reads exactly value.
    bool locate(const QString &value);

    RegionalSettings &regionalSettings() { return m_regional; }
    const RegionalSettings &regionalSettings() const { return m_regional; }
    void setRegionalSettings(const RegionalSettings &settings) { m_regional = settings; }

    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isModified() const { return m_modified; }

    void append();
    void edit();
    void post();
    void cancel();
    void remove();
    void refresh();
    // Posts a modified pending record, drops an unmodified one.
    void checkBrowseMode();
    // Appends the batch's records in its order, as append and post of each would with the
    // events off, and takes its memory over but for the block it is still filling: the batch
    // goes on with new records, and takeBatchMemory takes the rest before the batch ends.
    void appendBatch(RecordBatch &batch);
    void takeBatchMemory(RecordBatch &batch);

    int recordCount() const { return int(m_order.size()); }
    bool isEmpty() const { return m_order.empty(); }

    Bookmark bookmark() const;
    void gotoBookmark(Bookmark bookmark);
    bool bookmarkValid(Bookmark bookmark) const;

    void first();
    void last();
    void next();
    void prior();
    bool atEnd() const { return m_eof; }
    bool atStart() const { return m_bof; }
    // Position of the current record in table order; -1 with no records. While inserting, the
    // position the new record will take.
    int currentPosition() const { return m_pos; }
    void moveTo(int position);

    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    void setEventsEnabled(bool on) { m_eventsEnabled = on; }
    bool eventsEnabled() const { return m_eventsEnabled; }
    void setAfterInsert(std::function<void()> handler) { m_afterInsert = std::move(handler); }

    // Observers of stored changes; told after the views, and what they throw reaches the caller
    // of post or remove once the change is made.
    void addRecordObserver(RecordObserver *observer);
    void removeRecordObserver(RecordObserver *observer);

    // Read access to any posted record, for views that keep their own order.
    const std::vector<quint32> &recordOrder() const { return m_order; }
    int positionOf(quint32 recordId) const;
    QString text(quint32 recordId, const MemField *field) const;
    QByteArrayView ansiText(quint32 recordId, const MemField *field) const;
    qint64 dateTimeKey(quint32 recordId, const MemField *field) const;
    bool isNull(quint32 recordId, const MemField *field) const;
    void appendAnsiText(QByteArray &out, quint32 recordId, const MemField *field) const;
    // The record the cursor is on (the pending one while inserting); NoRecord when none.
    quint32 currentRecordId() const;

    qsizetype bytesReserved() const { return m_arena.bytesReserved(); }
    // Counts posts and deletions since the table was opened.
    quint64 changeCount() const { return m_changeCount; }

Q_SIGNALS:
    void stateChanged();

private:
    friend class MemField;
    friend class DataSource;

    void checkActive() const;
    void checkEditing(const MemField *field) const;
    void beginPending(quint32 recordId);
    const char *currentImage() const;
    QByteArrayView textOfImage(const char *image, int slot) const;
    qint64 numberOfImage(const char *image, int slot) const;
    const char *storePending();
    void setState(State state);
    void afterWrite(const MemField *field);
    void notify(DataNotice notice, const MemField *field = nullptr, int position = -1, quint32 id = 0);
    void postPending();
    quint32 appendImage(const char *image); // a new record at the end; its identity
    void cancelPending();
    void ensurePositions() const;
    void ensureIndex() const;
    void clearRecords();

    // Field values of the current record.
    bool fieldIsNull(const MemField *field) const;
    QString fieldText(const MemField *field) const;
    qint64 fieldNumber(const MemField *field) const;
    void setFieldText(const MemField *field, QStringView text);
    void setFieldAnsi(const MemField *field, QByteArrayView bytes);
    void setFieldNumber(const MemField *field, qint64 value);

    void addSource(DataSource *source);
    void removeSource(DataSource *source);

    std::vector<MemField *> m_fields;
    QHash<QString, MemField *> m_byName;
    int m_textCount = 0;
    int m_numberCount = 0;

    RecordArena m_arena;
    std::vector<const char *> m_images; // by record id; null for no record
    std::vector<quint32> m_order;
    mutable std::vector<quint32> m_positions; // by record id
    mutable bool m_positionsValid = true;
    quint32 m_lastId = 0;
    quint64 m_changeCount = 0;

    std::vector<std::string> m_pendingTexts;
    std::vector<qint64> m_pendingNumbers;
    quint32 m_pendingId = Bookmark::NoRecord;

    State m_state = State::Inactive;
    int m_pos = -1;
    bool m_eof = true;
    bool m_bof = true;
    bool m_modified = false;
    int m_disableCount = 0;
    bool m_eventsEnabled = true;
    std::function<void()> m_afterInsert;
    std::vector<DataSource *> m_sources;
    std::vector<RecordObserver *> m_observers;

    MemField *m_indexField = nullptr;
    mutable std::vector<quint32> m_index;
    mutable bool m_indexDirty = true;

    RegionalSettings m_regional;
    std::vector<char> m_scratch;
};
