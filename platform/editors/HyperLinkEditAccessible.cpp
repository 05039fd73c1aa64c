#include "HyperLinkEditAccessible.h"

#include "HyperLinkEdit.h"

HyperLinkEditAccessible::HyperLinkEditAccessible(HyperLinkEdit *link) : QAccessibleWidget(link, QAccessible::Link) {}

HyperLinkEdit *HyperLinkEditAccessible::link() const
{
    return static_cast<HyperLinkEdit *>(widget());
}

QString HyperLinkEditAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return link()->accessibleName().isEmpty() ? link()->text() : link()->accessibleName();
    case QAccessible::Value:
        return link()->text();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State HyperLinkEditAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.linked = !link()->text().isEmpty();
    return s;
}

QStringList HyperLinkEditAccessible::actionNames() const
{
    return link()->text().isEmpty() ? QStringList() : QStringList{pressAction()};
}

void HyperLinkEditAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction() && !link()->text().isEmpty())
        Q_EMIT link()->activated(link()->text());
}
