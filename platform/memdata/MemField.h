#pragma once

#include "FieldKind.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QObject>
#include <QString>

class MemTable;

// One field of a MemTable. Reading and writing act on the table's current record, or on the
// record being filled while the table is editing or inserting.
class MemField : public QObject
{
    Q_OBJECT

public:
    const QString &fieldName() const { return m_name; }
    FieldKind kind() const { return m_kind; }
    int size() const { return m_size; }          // width in characters of a text field
    int index() const { return m_index; }        // position among the table's fields
    bool isCalculated() const { return m_calculated; }
    MemTable *table() const { return m_table; }

    bool isNull() const;
    void clear();

    // The text form: text as stored; a date-time in the table's regional settings.
    QString asString() const;
    void setAsString(const QString &text);
    // The same from Windows-1252 bytes, without a detour through QString.
    void setAsAnsi(QByteArrayView bytes);

    QDateTime asDateTime() const;
    void setAsDateTime(const QDateTime &value);
    qint64 asDateTimeKey() const;
    void setAsDateTimeKey(qint64 key);

    int asInteger() const;
    void setAsInteger(int value);

private:
    friend class MemTable;
    friend class RecordBatch;
    MemField(MemTable *table, const QString &name, FieldKind kind, int size, int index, bool calculated);

    MemTable *m_table;
    QString m_name;
    FieldKind m_kind;
    int m_size;
    int m_index;
    bool m_calculated;
    int m_slot = -1; // the field's place among the stored texts or numbers
};
