#pragma once

#include <QFrame>

class GridFilterValueModel;
class MemField;
class MemTable;
class QListView;

// The list that drops down from a column's filter button. One list view over a model, so a column
// with many distinct values opens as fast as one with few. A click or Enter picks a row and closes.
class GridFilterDropDown : public QFrame
{
    Q_OBJECT

public:
    explicit GridFilterDropDown(QWidget *parent = nullptr);

    // Fills the list from the column's values and shows it with its top left at globalPos.
    void popup(int column, const MemTable *table, const MemField *field, const QPoint &globalPos, int minimumWidth);
    int column() const { return m_column; }
    QListView *listView() const { return m_list; }
    GridFilterValueModel *model() const { return m_model; }

Q_SIGNALS:
    void picked(int column, int row);

private:
    void pick(int row);

    GridFilterValueModel *m_model;
    QListView *m_list;
    int m_column = -1;
};
