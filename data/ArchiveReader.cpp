#include "ArchiveReader.h"

#include "ArchiveFormat.h"

#include "platform/memdata/MemField.h"
#include "platform/memdata/RecordBatch.h"
#include "platform/memdata/RegionalSettings.h"

#include <QIODevice>
#include <QScopeGuard>
#include <cstring>
#include <exception>
#include <optional>
#include <thread>

using namespace ArchiveFormat;

namespace {

// The lines of one part of a block, read into the batch of its thread.
struct Piece {
    QByteArrayView text;
    int lines = 0; // read, the failing one included
    std::exception_ptr error;
    QString foreign;
};

void readPiece(Piece &piece, RecordBatch &batch, const std::vector<const MemField *> &columns,
               const RegionalSettings &regional)
{
    LineReader lines(piece.text);
    QByteArrayView line;
    std::vector<QByteArrayView> parts;
    try {
        while (lines.next(&line)) {
            ++piece.lines;
            splitParts(line, parts);
            if (parts.size() > columns.size())
                throw tooManyPartsError(columns.size());
            batch.begin();
            for (size_t i = 0; i < parts.size(); ++i) {
                const MemField *f = columns[i];
                const QByteArrayView part = parts[i];
                if (!f || part.isEmpty())
                    continue;
                switch (f->kind()) {
                case FieldKind::Text: batch.setText(f, part); break;
                case FieldKind::DateTime: {
                    std::optional<qint64> v = regional.parseExact(part);
                    if (!v) {
                        v = regional.parse(part);
                        if (!v)
                            throw DataError(QStringLiteral("'%1' is not a valid date and time").arg(AnsiCodec::toUnicode(part)));
                        if (piece.foreign.isEmpty())
                            piece.foreign = AnsiCodec::toUnicode(part);
                    }
                    batch.setNumber(f, *v);
                    break;
                }
                case FieldKind::Integer: {
                    bool ok = false;
                    const int v = QByteArray(part.data(), part.size()).trimmed().toInt(&ok);
                    if (!ok)
                        throw DataError(QStringLiteral("'%1' is not a valid integer value").arg(AnsiCodec::toUnicode(part)));
                    batch.setNumber(f, v);
                    break;
                }
                }
            }
            batch.commit();
        }
    } catch (...) {
        piece.error = std::current_exception();
    }
}

// Just behind the first line end from the middle on; the size when there is none.
qsizetype middleLineEnd(QByteArrayView text)
{
    qsizetype i = text.size() / 2;
    while (i < text.size() && text[i] != '\r' && text[i] != '\n')
        ++i;
    if (i >= text.size())
        return text.size();
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
        ++i;
    return i + 1;
}

// Just behind the last line end that is surely one: a CR as the last byte may be the first half
// of a CR LF pair the next block completes.
qsizetype completeLinesEnd(QByteArrayView data, qsizetype from)
{
    for (qsizetype k = data.size() - 1; k >= from; --k) {
        if (data[k] == '\n' || (data[k] == '\r' && k + 1 < data.size()))
            return k + 1;
    }
    return from;
}

} // namespace

ArchiveReader::ArchiveReader(MemTable *table, int threads, qsizetype blockSize)
    : m_table(table), m_threads(std::max(1, threads)), m_blockSize(std::max<qsizetype>(16, blockSize))
{
}

bool ArchiveReader::read(QIODevice &in)
{
    m_foreignDate.clear();
    QByteArray buffer;
    qsizetype filled = 0;  // bytes held
    qsizetype start = 0;   // the first byte not read yet, at the start of a line
    qsizetype scanned = 0; // bytes searched for a zero byte
    qsizetype zeroAt = -1;
    bool atEnd = false;
    bool begun = false;
    std::vector<const MemField *> columns;
    std::optional<QuietTable> quiet;
    int lineNumber = 0;

    RecordBatch batches[2] = {RecordBatch(*m_table), RecordBatch(*m_table)};
    // The records appended point into the batches' memory: the table takes all of it, however the
    // reading ends.
    auto keepMemory = qScopeGuard([&] {
        for (RecordBatch &b : batches)
            m_table->takeBatchMemory(b);
    });

    auto readLines = [&](QByteArrayView text) {
        Piece pieces[2];
        const qsizetype split = m_threads > 1 ? middleLineEnd(text) : text.size();
        pieces[0].text = text.first(split);
        pieces[1].text = text.sliced(split);
        const RegionalSettings &regional = m_table->regionalSettings();
        if (pieces[1].text.isEmpty()) {
            readPiece(pieces[0], batches[0], columns, regional);
        } else {
            std::thread worker([&] { readPiece(pieces[1], batches[1], columns, regional); });
            readPiece(pieces[0], batches[0], columns, regional);
            worker.join();
        }
        for (int k = 0; k < 2; ++k) {
            m_table->appendBatch(batches[k]);
            lineNumber += pieces[k].lines;
            if (m_foreignDate.isEmpty())
                m_foreignDate = pieces[k].foreign;
            if (pieces[k].error)
                std::rethrow_exception(pieces[k].error);
        }
    };

    for (;;) {
        if (!atEnd && zeroAt < 0) {
            // The unread rest moves to the front, and one more block follows it.
            if (start > 0) {
                std::memmove(buffer.data(), buffer.constData() + start, size_t(filled - start));
                filled -= start;
                scanned -= start;
                start = 0;
            }
            buffer.resize(filled + m_blockSize);
            const qint64 got = in.read(buffer.data() + filled, m_blockSize);
            if (got < 0) {
                quiet.reset();
                keepMemory.dismiss();
                for (RecordBatch &b : batches)
                    m_table->takeBatchMemory(b);
                m_table->close();
                m_table->open();
                return false;
            }
            if (got == 0)
                atEnd = true;
            else if (m_sink)
                m_sink(QByteArrayView(buffer.constData() + filled, qsizetype(got)));
            filled += qsizetype(got);
        }
        const QByteArrayView data(buffer.constData(), filled);
        if (zeroAt < 0) {
            const void *zero = std::memchr(data.data() + scanned, 0, size_t(filled - scanned));
            if (zero)
                zeroAt = static_cast<const char *>(zero) - data.data();
            scanned = filled;
        }
        if (!begun) {
            if (filled < 8 && !atEnd && zeroAt < 0)
                continue;
            if (data.startsWith(kUtf8Mark))
                start = 3;
            if (looksLikeUtf16(data.sliced(start)))
                throw utf16Error();
            begun = true;
        }
        const bool last = atEnd || zeroAt >= 0;
        const qsizetype end = zeroAt >= 0 ? std::max(start, lineStartOf(data, zeroAt))
                              : atEnd    ? filled
                                         : completeLinesEnd(data, start);
        QByteArrayView complete = data.sliced(start, end - start);
        if (columns.empty()) {
            LineReader lines(complete);
            QByteArrayView header;
            if (!lines.next(&header)) {
                if (!last)
                    continue;
                if (zeroAt >= 0)
                    throw zeroByteError(1);
                return true; // no line: the store stays as it was
            }
            std::vector<QByteArrayView> names;
            splitParts(header, names);
            bool anyField = false;
            for (QByteArrayView name : names) {
                const MemField *f = m_table->findField(QString::fromLatin1(name.data(), name.size()));
                columns.push_back(f && !f->isCalculated() ? f : nullptr);
                anyField = anyField || columns.back();
            }
            if (!anyField)
                throw noFieldError();
            if (columns.empty())
                columns.push_back(nullptr);
            quiet.emplace(m_table);
            m_table->close();
            m_table->open();
            lineNumber = 1;
            complete = complete.sliced(lines.position() > complete.size() ? complete.size() : lines.position());
        }
        if (!complete.isEmpty())
            readLines(complete);
        start = end;
        if (zeroAt >= 0)
            throw zeroByteError(lineNumber + 1);
        if (atEnd)
            return true;
    }
}
