#include "GridQuickCustomizationPopup.h"

#include "GridBandedTableView.h"
#include "GridColumn.h"

#include <QKeyEvent>
#include <QMouseEvent>

GridQuickCustomizationPopup::GridQuickCustomizationPopup(GridBandedTableView *view)
    : QListWidget(view), m_view(view)
{
    setObjectName(QStringLiteral("quickCustomizationList"));
    setWindowFlags(Qt::Popup);
    setSelectionMode(QAbstractItemView::NoSelection);
    connect(this, &QListWidget::itemClicked, this, &GridQuickCustomizationPopup::toggle);
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

void GridQuickCustomizationPopup::popup(const QPoint &globalPos, const QRect &opener)
{
    m_opener = opener;
    setAttribute(Qt::WA_NoMouseReplay, false);
    fill();
    const int rows = std::min(count(), 20);
    resize(std::max(sizeHintForColumn(0) + 40, 160), rows * std::max(sizeHintForRow(0), 16) + 2 * frameWidth() + 4);
    move(globalPos);
    show();
    setFocus();
    if (count() > 0)
        setCurrentRow(0);
}

bool GridQuickCustomizationPopup::event(QEvent *event)
{
    // A scroll area leaves presses on itself unhandled, and a popup gets every press outside it
    // there: without this the list would hold mouse and keyboard for good.
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (!rect().contains(press->position().toPoint())) {
            // On its own button the press only closes the list; passed on, it would open it again.
            setAttribute(Qt::WA_NoMouseReplay, m_opener.contains(press->globalPosition().toPoint()));
            close();
            return true;
        }
    }
    return QListWidget::event(event);
}

void GridQuickCustomizationPopup::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QListWidgetItem *item = currentItem())
            toggle(item);
        break;
    default:
        QListWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

QListWidgetItem *GridQuickCustomizationPopup::itemForCaption(const QString &caption) const
{
    const QList<QListWidgetItem *> found = findItems(caption, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

void GridQuickCustomizationPopup::toggle(QListWidgetItem *item)
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
