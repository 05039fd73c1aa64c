#pragma once

class DataSource;
class MemField;
class MemTable;

// A view's end of the binding to a table: told, synchronously, of every change the view must
// show. A link is attached to a DataSource and detaches itself when destroyed.
class DataLink
{
public:
    DataLink() = default;
    DataLink(const DataLink &) = delete;
    DataLink &operator=(const DataLink &) = delete;
    virtual ~DataLink();

    void setDataSource(DataSource *source);
    DataSource *dataSource() const { return m_source; }
    MemTable *table() const;
    bool isActive() const;

    // Asks the data source to put a browsing record into edit; false when it may not.
    bool edit();

protected:
    virtual void activeChanged() {}
    // Open, close, reload, refresh, and the end of a suspension: everything may differ.
    virtual void dataSetChanged() {}
    // The cursor moved to another record (or to a record begun by append).
    virtual void dataSetScrolled() {}
    // A value of the current record changed; field is null when the whole record did.
    virtual void recordChanged(const MemField * /*field*/) {}
    virtual void stateChanged() {}
    // Sent just before a post: a control holding an unwritten value writes it now.
    virtual void updateRecord() {}
    // Finer notices for views that keep their own order of the records.
    virtual void recordInserted(int /*position*/) { dataSetChanged(); }
    virtual void recordRemoved(int /*position*/, unsigned /*recordId*/) { dataSetChanged(); }
    virtual void recordUpdated(int /*position*/) { dataSetChanged(); }

private:
    friend class DataSource;
    DataSource *m_source = nullptr;
};
