#pragma once

#include <QAccessible>
#include <QPointer>
#include <map>

class GridBandedTableView;

// The group-by box of a banded view: the captions of the columns the rows are grouped by, in
// their order; while nothing is grouped, named by the hint it shows.
class GridGroupByBoxAccessible : public QAccessibleInterface
{
public:
    explicit GridGroupByBoxAccessible(GridBandedTableView *view);
    ~GridGroupByBoxAccessible() override;

    bool isValid() const override { return !m_view.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Grouping; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<GridBandedTableView> m_view;
    mutable std::map<int, QAccessible::Id> m_items;
};
