#pragma once

#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

// Switches assistive technology on as a screen reader appearing on the bus does, so that the
// accessibility events reach QAccessible's update handler; false where the platform has none.
inline bool switchAccessibilityOn()
{
    QPlatformIntegration *integration = QGuiApplicationPrivate::platformIntegration();
    QPlatformAccessibility *accessibility = integration ? integration->accessibility() : nullptr;
    if (!accessibility)
        return false;
    accessibility->setActive(true);
    return QAccessible::isActive();
}
