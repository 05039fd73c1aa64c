#pragma once

class QWidget;

// The interfaces assistive technology gets for the painted editors (BevelPanel, HyperLinkEdit),
// from a factory the editors install.
class EditorAccessibility
{
public:
    // Once per process; every painted editor calls it.
    static void install();
    // The text the widget paints, and so its name, changed.
    static void nameChanged(QWidget *widget);
};
