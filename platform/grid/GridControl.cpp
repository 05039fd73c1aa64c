#include "GridControl.h"

#include "GridLevel.h"

#include <QVBoxLayout>

GridControl::GridControl(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

GridLevel *GridControl::createLevel(const QString &name)
{
    delete m_level;
    m_level = new GridLevel(this);
    m_level->setObjectName(name);
    return m_level;
}

GridBandedTableView *GridControl::view() const
{
    return m_level ? m_level->view() : nullptr;
}
