#pragma once

#include <QListWidget>

class GridBandedTableView;

// The list that drops down from the indicator's header: every column with a check mark that
// shows or hides it. It stays open while the user ticks (a click, Space or Return on a line), and
// closes on Esc, on a click outside and on a second click on the button that opened it.
class GridQuickCustomizationPopup : public QListWidget
{
    Q_OBJECT

public:
    explicit GridQuickCustomizationPopup(GridBandedTableView *view);

    // opener: the global rectangle of what opened the list; a press there only closes it.
    void popup(const QPoint &globalPos, const QRect &opener = QRect());
    QListWidgetItem *itemForCaption(const QString &caption) const;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fill();
    void toggle(QListWidgetItem *item);
    void onItemChanged(QListWidgetItem *item);

    GridBandedTableView *m_view;
    QRect m_opener;
    bool m_filling = false;
};
