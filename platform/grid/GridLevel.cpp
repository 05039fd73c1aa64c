#include "GridLevel.h"

#include "GridBandedTableView.h"
#include "GridControl.h"

#include <QLayout>

GridLevel::GridLevel(GridControl *grid) : QObject(grid), m_grid(grid) {}

GridBandedTableView *GridLevel::createBandedTableView(const QString &name)
{
    delete m_view;
    m_view = new GridBandedTableView(m_grid);
    m_view->setObjectName(name);
    m_grid->layout()->addWidget(m_view);
    return m_view;
}
