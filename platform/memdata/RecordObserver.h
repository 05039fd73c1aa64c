#pragma once

#include <QtGlobal>

class MemTable;

// Told of every change that reaches a table's stored records, synchronously and whether or not
// the views are suspended: a post (a new record or a changed one) and a removal. Unlike a view's
// data link it sees no pending values, only what the table holds afterwards.
class RecordObserver
{
public:
    virtual ~RecordObserver() = default;

    // The record at position has just been stored; inserted tells a new record from a changed one.
    virtual void recordPosted(const MemTable &table, int position, quint32 recordId, bool inserted) = 0;
    // The record that stood at position has just been removed.
    virtual void recordRemoved(const MemTable &table, int position, quint32 recordId) = 0;
};
