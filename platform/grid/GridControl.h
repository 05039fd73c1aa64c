#pragma once

#include <QWidget>

class GridBandedTableView;
class GridLevel;

// The grid control: a frame around the view of its level.
class GridControl : public QWidget
{
    Q_OBJECT

public:
    explicit GridControl(QWidget *parent = nullptr);

    GridLevel *createLevel(const QString &name);
    GridLevel *level() const { return m_level; }
    // The view of the level, or null.
    GridBandedTableView *view() const;

private:
    GridLevel *m_level = nullptr;
};
