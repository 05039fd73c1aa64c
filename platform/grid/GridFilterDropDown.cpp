#include "GridFilterDropDown.h"

#include "GridFilterValueModel.h"

#include <QGuiApplication>
#include <QListView>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

GridFilterDropDown::GridFilterDropDown(QWidget *parent)
    : QFrame(parent, Qt::Popup), m_model(new GridFilterValueModel(this)), m_list(new QListView(this))
{
    setObjectName(QStringLiteral("filterDropDown"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    m_list->setObjectName(QStringLiteral("filterValueList"));
    // Uniform rows: the view never measures every value.
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setModel(m_model);
    layout->addWidget(m_list);
    connect(m_list, &QListView::clicked, this, [this](const QModelIndex &index) { pick(index.row()); });
    connect(m_list, &QListView::activated, this, [this](const QModelIndex &index) { pick(index.row()); });
}

void GridFilterDropDown::popup(int column, const MemTable *table, const MemField *field, const QPoint &globalPos,
                               int minimumWidth, const QRect &opener)
{
    m_column = column;
    m_opener = opener;
    setAttribute(Qt::WA_NoMouseReplay, false);
    m_model->fill(table, field);
    const int rowHeight = std::max(m_list->sizeHintForRow(0), fontMetrics().height() + 2);
    const int rows = std::min(m_model->rowCount(), 16);
    resize(std::max(minimumWidth, 160), rows * rowHeight + 6);
    QPoint pos = globalPos;
    if (const QScreen *screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->availableGeometry();
        pos.setX(std::min(pos.x(), area.right() - width()));
        pos.setY(std::min(pos.y(), area.bottom() - height()));
    }
    move(pos);
    m_list->scrollToTop();
    m_list->setCurrentIndex(m_model->index(0));
    show();
    m_list->setFocus();
}

void GridFilterDropDown::highlight(int row)
{
    const QModelIndex index = m_model->index(row);
    if (!index.isValid())
        return;
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

void GridFilterDropDown::mousePressEvent(QMouseEvent *event)
{
    // On its own filter button the press only closes the list; passed on, it would open it again.
    if (!rect().contains(event->position().toPoint()))
        setAttribute(Qt::WA_NoMouseReplay, m_opener.contains(event->globalPosition().toPoint()));
    QFrame::mousePressEvent(event);
}

void GridFilterDropDown::pick(int row)
{
    hide();
    emit picked(m_column, row);
}
