#include "RecordBatch.h"

#include "DateTimeKey.h"
#include "MemField.h"
#include "MemTable.h"
#include "RecordImage.h"

RecordBatch::RecordBatch(const MemTable &table)
{
    int texts = 0, numbers = 0;
    for (int i = 0; i < table.fieldCount(); ++i) {
        const MemField *f = table.field(i);
        if (f->isCalculated())
            continue;
        if (f->kind() == FieldKind::Text) {
            ++texts;
            m_widths.resize(size_t(f->m_slot) + 1);
            m_widths[size_t(f->m_slot)] = f->size();
        } else {
            ++numbers;
        }
    }
    m_numberCount = numbers;
    m_widths.resize(size_t(texts));
    m_texts.resize(size_t(texts));
    m_cleaned.resize(size_t(texts));
    m_numbers.resize(size_t(numbers));
}

void RecordBatch::begin()
{
    std::fill(m_texts.begin(), m_texts.end(), QByteArrayView());
    std::fill(m_numbers.begin(), m_numbers.end(), DateTimeKey::Null);
}

void RecordBatch::setText(const MemField *field, QByteArrayView bytes)
{
    const size_t slot = size_t(field->m_slot);
    const int width = m_widths[slot];
    if (RecordImage::isClean(bytes)) {
        m_texts[slot] = bytes.first(std::min<qsizetype>(bytes.size(), width));
        return;
    }
    RecordImage::sanitizeInto(m_cleaned[slot], bytes, width);
    m_texts[slot] = QByteArrayView(m_cleaned[slot].data(), qsizetype(m_cleaned[slot].size()));
}

void RecordBatch::setNumber(const MemField *field, qint64 value)
{
    m_numbers[size_t(field->m_slot)] = value;
}

void RecordBatch::commit()
{
    m_images.push_back(RecordImage::build(m_arena, m_numbers.data(), m_numberCount, m_texts.data(), int(m_texts.size())));
}
