#pragma once

#include <QListWidget>

class GridBandedTableView;

// The list that drops down from the indicator's header: every column with a check mark that
// shows or hides it. It stays open while the user ticks, and closes on a click outside.
class GridQuickCustomizationPopup : public QListWidget
{
    Q_OBJECT

public:
    explicit GridQuickCustomizationPopup(GridBandedTableView *view);

    void popup(const QPoint &globalPos);
    QListWidgetItem *itemForCaption(const QString &caption) const;

private:
    void fill();
    void onItemClicked(QListWidgetItem *item);
    void onItemChanged(QListWidgetItem *item);

    GridBandedTableView *m_view;
    bool m_filling = false;
};
