#pragma once

#include <QAccessibleWidget>

class BevelPanel;

// A bevelled panel: named by the caption it paints; a panel without one is a plain pane that
// holds its children.
class BevelPanelAccessible : public QAccessibleWidget
{
public:
    explicit BevelPanelAccessible(BevelPanel *panel);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;

private:
    BevelPanel *panel() const;
};
