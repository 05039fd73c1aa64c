#pragma once

#include "platform/grid/GridHeaderItemAccessible.h"

#include <QAccessible>
#include <QPointer>
#include <map>
#include <utility>

class GridBandedTableView;

// The header of a banded view: the band captions, then the captions of the columns shown in
// their order on screen.
class GridHeaderAccessible : public QAccessibleInterface
{
public:
    explicit GridHeaderAccessible(GridBandedTableView *view);
    ~GridHeaderAccessible() override;

    // The caption over the column shown at column (the table's numbering); null without one.
    QAccessibleInterface *columnHeader(int column) const;

    bool isValid() const override { return !m_view.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text) const override { return QString(); }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Grouping; }
    QAccessible::State state() const override { return {}; }

private:
    using Kind = GridHeaderItemAccessible::Kind;
    int bandCount() const;
    int columnCount() const;
    QAccessibleInterface *item(Kind kind, int index) const;

    QPointer<GridBandedTableView> m_view;
    mutable std::map<std::pair<Kind, int>, QAccessible::Id> m_items;
};
