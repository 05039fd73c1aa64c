#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>

class MemTable;
class QIODevice;

// Reads the archive's bytes into the table block by block, so that the whole file is never held
// beside the store, and with two threads splits each block's lines between both cores. The calls,
// the error and the line it stops at are those of a single pass over the whole file.
class ArchiveReader
{
public:
    ArchiveReader(MemTable *table, int threads = 2, qsizetype blockSize = qsizetype(8) << 20);

    // Throws the DataError of the first line that cannot be read; false when the device fails
    // (the store is then left empty).
    bool read(QIODevice &in);

    // Every block of bytes as it is read, in file order.
    void setBytesSink(std::function<void(QByteArrayView)> sink) { m_sink = std::move(sink); }
    // The first date-time text read that the table's settings would write otherwise.
    QString foreignDate() const { return m_foreignDate; }

private:
    MemTable *m_table;
    int m_threads;
    qsizetype m_blockSize;
    std::function<void(QByteArrayView)> m_sink;
    QString m_foreignDate;
};
