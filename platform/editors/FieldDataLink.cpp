#include "FieldDataLink.h"

#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

void FieldDataLink::setFieldName(const QString &name)
{
    if (m_fieldName == name)
        return;
    m_fieldName = name;
    reload();
}

MemField *FieldDataLink::field() const
{
    const MemTable *t = table();
    return t && !m_fieldName.isEmpty() ? t->findField(m_fieldName) : nullptr;
}

bool FieldDataLink::isEditing() const
{
    const MemTable *t = table();
    return t && (t->state() == MemTable::State::Edit || t->state() == MemTable::State::Insert);
}

bool FieldDataLink::startEdit()
{
    const MemTable *t = table();
    if (!isActive() || !field() || field()->isCalculated())
        return false;
    if (t->state() == MemTable::State::Browse && t->isEmpty())
        return false;
    return edit();
}

void FieldDataLink::updateRecordNow()
{
    if (!m_modified && !(m_shownInstead && isEditing()))
        return;
    if (m_onUpdateData)
        m_onUpdateData();
    m_modified = false;
    m_shownInstead = false;
}

void FieldDataLink::recordChanged(const MemField *changed)
{
    if (!changed || changed == field())
        reload();
}

void FieldDataLink::reload()
{
    m_modified = false;
    m_shownInstead = false;
    if (m_onDataChange)
        m_onDataChange();
}
