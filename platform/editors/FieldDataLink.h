#pragma once

#include "platform/memdata/DataLink.h"

#include <QString>
#include <functional>

class MemField;

// The link of one control to one field of its data source's table. The control is told to show
// the field anew whenever the value may differ (move, append, post, cancel, delete, reload, the
// field set elsewhere) and to write its pending value just before a post.
class FieldDataLink : public DataLink
{
public:
    FieldDataLink() = default;

    void setFieldName(const QString &name);
    const QString &fieldName() const { return m_fieldName; }
    // The bound field, or null while the table is missing or has no such field.
    MemField *field() const;

    // The control shows the field's value anew; its own pending change is gone by then.
    void setOnDataChange(std::function<void()> handler) { m_onDataChange = std::move(handler); }
    // The control writes its pending value into the field now.
    void setOnUpdateData(std::function<void()> handler) { m_onUpdateData = std::move(handler); }

    // Starts a change of the current record: puts a browsing record into edit through the data
    // source. False with no table, no field, or no record to change (an empty browsing table is
    // left alone rather than given a new record behind the user's back).
    bool startEdit();
    bool isEditing() const;

    bool isModified() const { return m_modified; }
    void setModified() { m_modified = true; }
    // The control shows a value of its own in place of the field's, which the user did not
    // type: it starts no change, and is written with the record's pending change only when the
    // record is being edited or inserted anyway. Showing the field anew forgets it.
    void setShownInstead() { m_shownInstead = true; }
    // Drops the control's pending change and shows the field again.
    void reset() { reload(); }
    // Writes a pending change now (the control is being left or the record saved); nothing
    // when there is none.
    void updateRecordNow();

protected:
    void activeChanged() override { reload(); }
    void dataSetChanged() override { reload(); }
    void dataSetScrolled() override { reload(); }
    void recordChanged(const MemField *changed) override;
    void updateRecord() override { updateRecordNow(); }

private:
    void reload();

    QString m_fieldName;
    bool m_modified = false;
    bool m_shownInstead = false;
    std::function<void()> m_onDataChange;
    std::function<void()> m_onUpdateData;
};
