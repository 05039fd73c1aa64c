#pragma once

#include "platform/filter/FilterValue.h"

#include <QAbstractListModel>
#include <vector>

class MemField;
class MemTable;

// The entries of a column's filter drop-down: the four fixed ones, then the column's distinct
// values in order (texts by the grid's collation, date-times and numbers by value). Blanks are
// left out; "(Blanks)" stands for them. Values are read once, when the model is filled; texts of
// date-times are formed only for the rows a list shows.
class GridFilterValueModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Entry { All, Custom, Blanks, NonBlanks, FirstValue };

    explicit GridFilterValueModel(QObject *parent = nullptr);

    void fill(const MemTable *table, const MemField *field);
    void clear();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    int valueCount() const;
    // Row of the list: the fixed entry, or FirstValue for a value.
    static Entry entryOf(int row) { return row < FirstValue ? Entry(row) : FirstValue; }
    // The value a row stands for, as a condition takes it (row >= FirstValue).
    FilterValue value(int row) const;
    QString text(int row) const;
    // The first row showing this text, or -1.
    int rowOfText(const QString &text) const;

private:
    const MemTable *m_table = nullptr;
    const MemField *m_field = nullptr;
    std::vector<QString> m_texts;  // text fields
    std::vector<qint64> m_keys;    // date-time and integer fields
};
