#include "MemField.h"

#include "DataError.h"
#include "DateTimeKey.h"
#include "MemTable.h"

MemField::MemField(MemTable *table, const QString &name, FieldKind kind, int size, int index, bool calculated)
    : QObject(table), m_table(table), m_name(name), m_kind(kind), m_size(size), m_index(index), m_calculated(calculated)
{
    setObjectName(table->objectName() + name);
}

bool MemField::isNull() const { return m_table->fieldIsNull(this); }

void MemField::clear()
{
    if (m_kind == FieldKind::Text)
        m_table->setFieldAnsi(this, {});
    else
        m_table->setFieldNumber(this, DateTimeKey::Null);
}

QString MemField::asString() const { return m_table->fieldText(this); }
void MemField::setAsString(const QString &text) { m_table->setFieldText(this, text); }
void MemField::setAsAnsi(QByteArrayView bytes) { m_table->setFieldAnsi(this, bytes); }

QDateTime MemField::asDateTime() const
{
    return m_kind == FieldKind::DateTime ? DateTimeKey::toDateTime(asDateTimeKey()) : QDateTime();
}

void MemField::setAsDateTime(const QDateTime &value) { setAsDateTimeKey(DateTimeKey::fromDateTime(value)); }

qint64 MemField::asDateTimeKey() const
{
    return m_kind == FieldKind::DateTime ? m_table->fieldNumber(this) : DateTimeKey::Null;
}

void MemField::setAsDateTimeKey(qint64 key)
{
    if (m_kind != FieldKind::DateTime)
        throw DataError(QStringLiteral("Field '%1' is not a date-time field").arg(m_name));
    m_table->setFieldNumber(this, key);
}

int MemField::asInteger() const
{
    if (m_kind == FieldKind::Integer) {
        const qint64 v = m_table->fieldNumber(this);
        return v == DateTimeKey::Null ? 0 : int(v);
    }
    return asString().trimmed().toInt();
}

void MemField::setAsInteger(int value)
{
    if (m_kind == FieldKind::Integer)
        m_table->setFieldNumber(this, value);
    else
        setAsString(QString::number(value));
}
