#include "GridQuickCustomizationPopup.h"

#include "GridBandedTableView.h"
#include "GridColumn.h"


GridQuickCustomizationPopup::GridQuickCustomizationPopup(GridBandedTableView *view)
    : QListWidget(view), m_view(view)
{
    setObjectName(QStringLiteral("quickCustomizationList"));
    setWindowFlags(Qt::Popup);
    setSelectionMode(QAbstractItemView::NoSelection);
    connect(this, &QListWidget::itemClicked, this, &GridQuickCustomizationPopup::onItemClicked);
    connect(this, &QListWidget::itemChanged, this, &GridQuickCustomizationPopup::onItemChanged);
}

void GridQuickCustomizationPopup::fill()
{
    m_filling = true;
    clear();
    for (int c = 0; c < m_view->columnCount(); ++c) {
        const GridColumn *column = m_view->column(c);
        auto *item = new QListWidgetItem(column->displayCaption(), this);
        item->setFlags(Qt::ItemIsEnabled);
        item->setCheckState(column->isVisible() ? Qt::Checked : Qt::Unchecked);
        item->setData(Qt::UserRole, c);
    }
    m_filling = false;
}

void GridQuickCustomizationPopup::popup(const QPoint &globalPos)
{
    fill();
    const int rows = std::min(count(), 20);
    resize(std::max(sizeHintForColumn(0) + 40, 160), rows * std::max(sizeHintForRow(0), 16) + 2 * frameWidth() + 4);
    move(globalPos);
    show();
    setFocus();
}

QListWidgetItem *GridQuickCustomizationPopup::itemForCaption(const QString &caption) const
{
    const QList<QListWidgetItem *> found = findItems(caption, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

void GridQuickCustomizationPopup::onItemClicked(QListWidgetItem *item)
{
    // A click anywhere on the line ticks, the box included: the items are not user-checkable,
    // so the list itself never toggles a mark and this is the one place that does.
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void GridQuickCustomizationPopup::onItemChanged(QListWidgetItem *item)
{
    if (m_filling)
        return;
    GridColumn *column = m_view->column(item->data(Qt::UserRole).toInt());
    column->setVisible(item->checkState() == Qt::Checked);
}
