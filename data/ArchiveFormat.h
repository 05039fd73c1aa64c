#pragma once

#include "platform/memdata/AnsiCodec.h"
#include "platform/memdata/DataError.h"
#include "platform/memdata/MemTable.h"

#include <QByteArrayView>
#include <vector>

// The pieces of the archive's text form that every reader of it shares.
namespace ArchiveFormat {

// Splits at each TAB; the rest after the last TAB is the last part, and an empty rest ends
// the splitting, so a TAB at the very end adds no part and an empty line gives none.
inline void splitParts(QByteArrayView line, std::vector<QByteArrayView> &parts)
{
    parts.clear();
    while (!line.isEmpty()) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) {
            parts.push_back(line);
            break;
        }
        parts.push_back(line.first(tab));
        line = line.sliced(tab + 1);
    }
}

// Lines end at CR LF, a lone CR or a lone LF; the last one needs no end.
class LineReader
{
public:
    explicit LineReader(QByteArrayView text) : m_text(text) {}
    bool next(QByteArrayView *line)
    {
        const qsizetype n = m_text.size();
        if (m_pos >= n)
            return false;
        const char *data = m_text.data();
        qsizetype i = m_pos;
        while (i < n && data[i] != '\r' && data[i] != '\n')
            ++i;
        *line = m_text.sliced(m_pos, i - m_pos);
        if (i < n && data[i] == '\r' && i + 1 < n && data[i + 1] == '\n')
            ++i;
        m_pos = i + 1;
        return true;
    }

    // Where the next line begins.
    qsizetype position() const { return m_pos; }

private:
    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

// Events off and views suspended for the length of a reading, whatever way it ends.
class QuietTable
{
public:
    explicit QuietTable(MemTable *table) : m_table(table)
    {
        m_table->setEventsEnabled(false);
        m_table->disableControls();
    }
    ~QuietTable()
    {
        if (m_table->state() == MemTable::State::Insert)
            m_table->cancel();
        m_table->setEventsEnabled(true);
        m_table->first();
        m_table->enableControls();
    }

private:
    MemTable *m_table;
};

inline constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// A byte-order mark of UTF-16, or one zero byte in the first two as ASCII text has in UTF-16.
inline bool looksLikeUtf16(QByteArrayView content)
{
    if (content.startsWith("\xFF\xFE") || content.startsWith("\xFE\xFF"))
        return true;
    return content.size() >= 2 && (content[0] == '\0') != (content[1] == '\0');
}

// Where the line holding the byte at pos begins.
inline qsizetype lineStartOf(QByteArrayView content, qsizetype pos)
{
    while (pos > 0 && content[pos - 1] != '\r' && content[pos - 1] != '\n')
        --pos;
    return pos;
}


inline DataError utf16Error() { return DataError(QStringLiteral("Il file e' scritto in UTF-16: non e' un archivio delle chiamate")); }
inline DataError noFieldError()
{
    return DataError(QStringLiteral("La prima riga del file non nomina nessuno dei campi delle chiamate: "
                                    "non e' un archivio delle chiamate"));
}
inline DataError zeroByteError(int line)
{
    return DataError(QStringLiteral("Un byte zero alla riga %1: il file e' danneggiato da quel punto").arg(line));
}
inline DataError tooManyPartsError(size_t columns)
{
    return DataError(QStringLiteral("List index out of bounds (%1)").arg(columns));
}

} // namespace ArchiveFormat
