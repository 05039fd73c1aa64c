#pragma once

#include "RecordArena.h"

#include <QByteArrayView>
#include <string>
#include <vector>

class MemField;
class MemTable;

// Records built apart from their table, on any thread, then appended to it at once and in their
// order by MemTable::appendBatch. Each record starts with every field empty, as after an append
// with the events off; values are stored as MemField::setAsAnsi and setAsDateTimeKey store them.
class RecordBatch
{
public:
    explicit RecordBatch(const MemTable &table);

    void begin();
    void setText(const MemField *field, QByteArrayView bytes);
    void setNumber(const MemField *field, qint64 value);
    void commit();

    size_t size() const { return m_images.size(); }

private:
    friend class MemTable;

    int m_numberCount;
    std::vector<int> m_widths;             // by text slot
    std::vector<QByteArrayView> m_texts;    // of the record being built
    std::vector<std::string> m_cleaned;     // texts that needed cleaning, by slot
    std::vector<qint64> m_numbers;
    RecordArena m_arena;
    std::vector<const char *> m_images;
};
