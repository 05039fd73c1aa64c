#pragma once

#include <QAccessibleWidget>

class HyperLinkEdit;

// A link field: named by the address it shows, which is also its value; pressing it asks for the
// address to be opened, as a click does.
class HyperLinkEditAccessible : public QAccessibleWidget
{
public:
    explicit HyperLinkEditAccessible(HyperLinkEdit *link);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    HyperLinkEdit *link() const;
};
