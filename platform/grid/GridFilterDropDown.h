#pragma once

#include <QFrame>

class GridFilterValueModel;
class MemField;
class MemTable;
class QListView;

// The list that drops down from a column's filter button. One list view over a model, so a column
// with many distinct values opens as fast as one with few. A click or Enter picks a row and closes;
// Esc, a click outside and a second click on its filter button close it without a pick.
class GridFilterDropDown : public QFrame
{
    Q_OBJECT

public:
    explicit GridFilterDropDown(QWidget *parent = nullptr);

    // Fills the list from the column's values and shows it with its top left at globalPos; opener
    // is the global rectangle of the button that opened it.
    void popup(int column, const MemTable *table, const MemField *field, const QPoint &globalPos, int minimumWidth,
               const QRect &opener = QRect());
    int column() const { return m_column; }
    // Makes row the current one, as the keyboard starts from it.
    void highlight(int row);
    QListView *listView() const { return m_list; }
    GridFilterValueModel *model() const { return m_model; }

protected:
    void mousePressEvent(QMouseEvent *event) override;

Q_SIGNALS:
    void picked(int column, int row);

private:
    void pick(int row);

    GridFilterValueModel *m_model;
    QListView *m_list;
    int m_column = -1;
    QRect m_opener;
};
