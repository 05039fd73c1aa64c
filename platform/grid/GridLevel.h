#pragma once

#include <QObject>

class GridBandedTableView;
class GridControl;

// One level of a grid: names the view the grid shows.
class GridLevel : public QObject
{
    Q_OBJECT

public:
    explicit GridLevel(GridControl *grid);

    // The view is a child widget of the grid, filling it.
    GridBandedTableView *createBandedTableView(const QString &name);
    GridBandedTableView *view() const { return m_view; }

private:
    GridControl *m_grid;
    GridBandedTableView *m_view = nullptr; // owned by the grid widget
};
