#pragma once

#include "platform/memdata/DataNotice.h"

#include <QObject>
#include <QPointer>
#include <vector>

class DataLink;
class MemField;
class MemTable;

// Sits between a table and the views bound to it, and carries AutoEdit: a view that starts a
// change asks the data source to put a browsing record into edit.
class DataSource : public QObject
{
    Q_OBJECT

public:
    explicit DataSource(QObject *parent = nullptr);
    ~DataSource() override;

    void setTable(MemTable *table);
    MemTable *table() const { return m_table; }

    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool on) { m_autoEdit = on; }

    // Puts a browsing record into edit when AutoEdit allows; true when the table is editable.
    bool edit();

private:
    friend class DataLink;
    friend class MemTable;
    void notify(DataNotice notice, const MemField *field = nullptr, int position = -1, unsigned id = 0);
    void addLink(DataLink *link);
    void removeLink(DataLink *link);
    void tableDestroyed();

    QPointer<MemTable> m_table;
    std::vector<DataLink *> m_links;
    bool m_autoEdit = true;
};
