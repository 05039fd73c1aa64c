#include "EditorAccessibility.h"

#include "BevelPanel.h"
#include "BevelPanelAccessible.h"
#include "HyperLinkEdit.h"
#include "HyperLinkEditAccessible.h"

#include <QAccessible>

namespace {

QAccessibleInterface *editorFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("BevelPanel"))
        return new BevelPanelAccessible(static_cast<BevelPanel *>(object));
    if (className == QLatin1String("HyperLinkEdit"))
        return new HyperLinkEditAccessible(static_cast<HyperLinkEdit *>(object));
    return nullptr;
}

} // namespace

void EditorAccessibility::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(editorFactory);
        return true;
    }();
    Q_UNUSED(installed)
}

void EditorAccessibility::nameChanged(QWidget *widget)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
