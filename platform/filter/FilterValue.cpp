#include "platform/filter/FilterValue.h"

namespace {

// Every whole number is held as qint64, so that a value read back from a file equals the one saved.
QVariant normalized(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return QVariant::fromValue(value.toLongLong());
    default:
        return value;
    }
}

} // namespace

FilterValue::FilterValue(const QVariant &value, const QString &displayText)
    : m_value(normalized(value)), m_displayText(displayText)
{
}

bool FilterValue::isBlank() const
{
    if (m_value.isNull())
        return true;
    return m_value.typeId() == QMetaType::QString && m_value.toString().isEmpty();
}
