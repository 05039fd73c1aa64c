#include "GridFilterValueModel.h"

#include "GridTextCollator.h"

#include "platform/filter/FilterDateKey.h"
#include "platform/memdata/AnsiCodec.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/FilterTexts.h"

#include <algorithm>

GridFilterValueModel::GridFilterValueModel(QObject *parent) : QAbstractListModel(parent) {}

void GridFilterValueModel::clear()
{
    beginResetModel();
    m_table = nullptr;
    m_field = nullptr;
    m_texts.clear();
    m_keys.clear();
    endResetModel();
}

void GridFilterValueModel::fill(const MemTable *table, const MemField *field)
{
    beginResetModel();
    m_table = table;
    m_field = field;
    m_texts.clear();
    m_keys.clear();
    if (table && field) {
        const std::vector<quint32> &order = table->recordOrder();
        if (field->kind() == FieldKind::Text) {
            // Sort the stored bytes, then convert only what is distinct.
            std::vector<QByteArrayView> texts;
            texts.reserve(order.size());
            for (quint32 id : order) {
                const QByteArrayView t = table->ansiText(id, field);
                if (!t.isEmpty())
                    texts.push_back(t);
            }
            const GridTextCollator collator;
            std::sort(texts.begin(), texts.end(), [&collator](QByteArrayView a, QByteArrayView b) {
                const int c = collator.compare(a, b);
                return c != 0 ? c < 0 : a < b;
            });
            texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
            m_texts.reserve(texts.size());
            for (QByteArrayView t : texts)
                m_texts.push_back(AnsiCodec::toUnicode(t));
        } else {
            m_keys.reserve(order.size());
            for (quint32 id : order) {
                if (!table->isNull(id, field))
                    m_keys.push_back(table->dateTimeKey(id, field));
            }
            std::sort(m_keys.begin(), m_keys.end());
            m_keys.erase(std::unique(m_keys.begin(), m_keys.end()), m_keys.end());
        }
    }
    endResetModel();
}

int GridFilterValueModel::valueCount() const
{
    return int(m_texts.size() + m_keys.size());
}

int GridFilterValueModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : FirstValue + valueCount();
}

QString GridFilterValueModel::text(int row) const
{
    switch (entryOf(row)) {
    case All: return ComponentTexts::text(FilterTexts::DropDownAll);
    case Custom: return ComponentTexts::text(FilterTexts::DropDownCustom);
    case Blanks: return ComponentTexts::text(FilterTexts::DropDownBlanks);
    case NonBlanks: return ComponentTexts::text(FilterTexts::DropDownNonBlanks);
    case FirstValue: break;
    }
    const size_t i = size_t(row - FirstValue);
    if (!m_texts.empty())
        return m_texts[i];
    const qint64 key = m_keys[i];
    return m_field->kind() == FieldKind::DateTime ? m_table->regionalSettings().format(key) : QString::number(key);
}

QVariant GridFilterValueModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return text(index.row());
    return {};
}

FilterValue GridFilterValueModel::value(int row) const
{
    const size_t i = size_t(row - FirstValue);
    if (!m_texts.empty())
        return FilterValue(m_texts[i]);
    const qint64 key = m_keys[i];
    // Date-times as the store holds them, so that equality is exact to the millisecond.
    if (m_field->kind() == FieldKind::DateTime)
        return FilterValue(FilterDateKey::toDateTime(key), text(row));
    return FilterValue(key, text(row));
}

int GridFilterValueModel::rowOfText(const QString &wanted) const
{
    for (int r = 0; r < rowCount(); ++r) {
        if (text(r) == wanted)
            return r;
    }
    return -1;
}
