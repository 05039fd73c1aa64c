#include "GridStyleRepository.h"

#include "GridStyle.h"

GridStyleRepository::GridStyleRepository(QObject *parent) : QObject(parent) {}

GridStyle *GridStyleRepository::createStyle(const QString &name)
{
    auto *style = new GridStyle(this);
    style->setObjectName(name);
    return style;
}

GridStyle *GridStyleRepository::style(const QString &name) const
{
    return findChild<GridStyle *>(name, Qt::FindDirectChildrenOnly);
}
