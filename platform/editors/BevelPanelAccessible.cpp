#include "BevelPanelAccessible.h"

#include "BevelPanel.h"

BevelPanelAccessible::BevelPanelAccessible(BevelPanel *panel) : QAccessibleWidget(panel, QAccessible::Pane) {}

BevelPanel *BevelPanelAccessible::panel() const
{
    return static_cast<BevelPanel *>(widget());
}

QAccessible::Role BevelPanelAccessible::role() const
{
    return panel()->caption().isEmpty() || childCount() > 0 ? QAccessible::Pane : QAccessible::StaticText;
}

QString BevelPanelAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && panel()->accessibleName().isEmpty())
        return panel()->caption();
    return QAccessibleWidget::text(t);
}
