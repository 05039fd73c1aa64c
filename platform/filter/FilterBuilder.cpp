#include "FilterBuilder.h"

#include "platform/filter/FilterOperators.h"
#include "platform/filter/FilterValueSource.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/FilterControlTexts.h"
#include "platform/texts/FilterTexts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

namespace {

constexpr QChar ListSeparator = u';';

const FilterBoolOperator boolOperators[] = {FilterBoolOperator::And, FilterBoolOperator::Or, FilterBoolOperator::NotAnd,
                                            FilterBoolOperator::NotOr};

} // namespace

FilterBuilder::FilterBuilder(const FilterValueSource &source, QWidget *parent)
    : QTreeWidget(parent), m_source(source), m_emptyText(ComponentTexts::text(FilterControlTexts::EmptyValue))
{
    setObjectName(QStringLiteral("filterBuilder"));
    setColumnCount(3);
    header()->hide();
    // Fixed widths: the rows are widgets, which contents-sizing does not measure.
    header()->setStretchLastSection(true);
    setColumnWidth(0, 200);
    setColumnWidth(1, 190);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &FilterBuilder::showRowMenu);
    rebuild();
}

void FilterBuilder::setCriteria(const FilterCriteria &criteria)
{
    m_criteria = criteria;
    rebuild();
    emit criteriaChanged();
}

void FilterBuilder::setValueFormatter(const FilterValueFormatter &formatter)
{
    m_formatter = formatter;
    rebuild();
}

// --- the tree --------------------------------------------------------------------------------

void FilterBuilder::scheduleRebuild()
{
    // The editor that asked may still be on the stack; replace the rows once it has returned.
    if (m_rebuildPending)
        return;
    m_rebuildPending = true;
    QMetaObject::invokeMethod(this, [this] {
        if (m_rebuildPending)
            rebuild();
    }, Qt::QueuedConnection);
}

void FilterBuilder::rebuild()
{
    m_rebuildPending = false;
    clear();
    QTreeWidgetItem *root = makeGroupItem(nullptr, m_criteria.root(), {});
    addGroupItems(root, m_criteria.root(), {});
    m_addItem = new QTreeWidgetItem(root);
    m_addItem->setData(0, KindRole, int(RowKind::AddCondition));
    m_addItem->setData(0, PathRole, QVariant::fromValue(Path()));
    // The button and its hint share the whole row.
    m_addItem->setFirstColumnSpanned(true);
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *add = new QToolButton(row);
    add->setObjectName(QStringLiteral("addConditionButton"));
    add->setText(QStringLiteral("..."));
    connect(add, &QToolButton::clicked, this, [this] { addCondition({}); });
    auto *hint = new QLabel(ComponentTexts::text(FilterControlTexts::AddConditionHint), row);
    hint->setObjectName(QStringLiteral("addConditionHint"));
    layout->addWidget(add);
    layout->addWidget(hint);
    layout->addStretch();
    setItemWidget(m_addItem, 0, row);
    expandAll();
}

void FilterBuilder::addGroupItems(QTreeWidgetItem *parentItem, const FilterGroup &group, const Path &path)
{
    for (int i = 0; i < group.count(); ++i) {
        const Path child = path + Path{i};
        const FilterItem &item = group.at(i);
        if (item.isCondition()) {
            makeConditionItem(parentItem, item.condition(), child);
        } else {
            QTreeWidgetItem *groupItem = makeGroupItem(parentItem, item.group(), child);
            addGroupItems(groupItem, item.group(), child);
        }
    }
}

QTreeWidgetItem *FilterBuilder::makeGroupItem(QTreeWidgetItem *parentItem, const FilterGroup &group, const Path &path)
{
    auto *item = parentItem ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(this);
    item->setData(0, KindRole, int(RowKind::Group));
    item->setData(0, PathRole, QVariant::fromValue(path));
    const bool top = path.isEmpty();
    if (top)
        item->setText(0, ComponentTexts::text(FilterControlTexts::TopRowLabel));
    item->setText(2, ComponentTexts::text(top ? FilterControlTexts::RootCaption : FilterControlTexts::NestedGroupCaption));
    auto *op = new QComboBox(this);
    op->setObjectName(QStringLiteral("groupOperator"));
    for (FilterBoolOperator b : boolOperators)
        op->addItem(FilterOperators::name(b), int(b));
    op->setCurrentIndex(op->findData(int(group.boolOperator())));
    connect(op, &QComboBox::activated, this, [this, op, path](int index) {
        if (FilterGroup *g = groupAt(path)) {
            g->setBoolOperator(FilterBoolOperator(op->itemData(index).toInt()));
            emit criteriaChanged();
        }
    });
    setItemWidget(item, 1, op);
    return item;
}

QTreeWidgetItem *FilterBuilder::makeConditionItem(QTreeWidgetItem *parentItem, const FilterCondition &condition,
                                                  const Path &path)
{
    auto *item = new QTreeWidgetItem(parentItem);
    item->setData(0, KindRole, int(RowKind::Condition));
    item->setData(0, PathRole, QVariant::fromValue(path));

    auto *column = new QComboBox(this);
    column->setObjectName(QStringLiteral("conditionColumn"));
    for (int c = 0; c < m_source.columnCount(); ++c)
        column->addItem(m_source.columnCaption(c), c);
    column->setCurrentIndex(column->findData(condition.column()));
    connect(column, &QComboBox::activated, this, [this, column, path](int index) {
        setColumn(path, column->itemData(index).toInt());
    });
    setItemWidget(item, 0, column);

    auto *op = new QComboBox(this);
    op->setObjectName(QStringLiteral("conditionOperator"));
    if (condition.column() >= 0 && condition.column() < m_source.columnCount()) {
        for (FilterOperator o : FilterOperators::operatorsFor(m_source.kind(condition.column())))
            op->addItem(FilterOperators::name(o), int(o));
    }
    op->setCurrentIndex(op->findData(int(condition.filterOperator())));
    connect(op, &QComboBox::activated, this, [this, op, path](int index) {
        setOperator(path, FilterOperator(op->itemData(index).toInt()));
    });
    setItemWidget(item, 1, op);

    if (QWidget *values = valueEditor(condition, path))
        setItemWidget(item, 2, values);
    return item;
}

QWidget *FilterBuilder::valueEditor(const FilterCondition &condition, const Path &path)
{
    const int count = FilterOperators::valueCount(condition.filterOperator());
    if (count == 0)
        return nullptr;
    auto *box = new QWidget(this);
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto edit = [&](const QString &name, const QString &text) {
        auto *e = new QLineEdit(text, box);
        e->setObjectName(name);
        e->setPlaceholderText(m_emptyText);
        layout->addWidget(e);
        return e;
    };
    const QList<FilterValue> &values = condition.values();
    if (count == FilterOperators::AnyCount) {
        QStringList texts;
        for (const FilterValue &v : values)
            texts << valueText(condition.column(), v);
        QLineEdit *e = edit(QStringLiteral("conditionValue"), texts.join(ListSeparator + QLatin1Char(' ')));
        connect(e, &QLineEdit::textEdited, this, [this, path](const QString &t) { setValueList(path, t); });
    } else {
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                layout->addWidget(new QLabel(ComponentTexts::text(FilterTexts::And), box));
            QLineEdit *e = edit(i == 0 ? QStringLiteral("conditionValue") : QStringLiteral("conditionValue2"),
                                valueText(condition.column(), values.value(i)));
            connect(e, &QLineEdit::textEdited, this, [this, path, i](const QString &t) { setValueText(path, i, t); });
        }
    }
    return box;
}

QString FilterBuilder::valueText(int column, const FilterValue &value) const
{
    if (!value.displayText().isEmpty())
        return value.displayText();
    if (value.isBlank())
        return QString();
    if (m_formatter)
        return m_formatter(column, value);
    return value.value().toString();
}

QTreeWidgetItem *FilterBuilder::itemForPath(const Path &path) const
{
    QTreeWidgetItem *item = topLevelItem(0);
    for (int index : path) {
        if (!item || index >= item->childCount())
            return nullptr;
        item = item->child(index);
    }
    return item == m_addItem ? nullptr : item;
}

// --- editing the criteria --------------------------------------------------------------------

FilterGroup *FilterBuilder::groupAt(const Path &path)
{
    FilterGroup *group = &m_criteria.root();
    for (int index : path) {
        if (index < 0 || index >= group->count() || !group->at(index).isGroup())
            return nullptr;
        group = &group->at(index).group();
    }
    return group;
}

FilterCondition *FilterBuilder::conditionAt(const Path &path)
{
    if (path.isEmpty())
        return nullptr;
    FilterGroup *group = groupAt(path.mid(0, path.size() - 1));
    const int index = path.last();
    if (!group || index < 0 || index >= group->count() || !group->at(index).isCondition())
        return nullptr;
    return &group->at(index).condition();
}

void FilterBuilder::addCondition(const Path &group)
{
    FilterGroup *g = groupAt(group);
    if (!g || m_source.columnCount() == 0)
        return;
    const int column = m_newColumn >= 0 && m_newColumn < m_source.columnCount() ? m_newColumn : 0;
    const QList<FilterOperator> ops = FilterOperators::operatorsFor(m_source.kind(column));
    g->addCondition(FilterCondition(column, ops.value(0, FilterOperator::Equal), {FilterValue()}));
    scheduleRebuild();
    emit criteriaChanged();
}

void FilterBuilder::addGroup(const Path &group)
{
    FilterGroup *g = groupAt(group);
    if (!g)
        return;
    g->addGroup();
    scheduleRebuild();
    emit criteriaChanged();
}

void FilterBuilder::removeRow(const Path &path)
{
    if (path.isEmpty()) {
        clearAll();
        return;
    }
    FilterGroup *g = groupAt(path.mid(0, path.size() - 1));
    if (!g || path.last() >= g->count())
        return;
    g->removeAt(path.last());
    scheduleRebuild();
    emit criteriaChanged();
}

void FilterBuilder::clearAll()
{
    m_criteria.clear();
    scheduleRebuild();
    emit criteriaChanged();
}

void FilterBuilder::setColumn(const Path &path, int column)
{
    FilterCondition *c = conditionAt(path);
    if (!c || c->column() == column)
        return;
    c->setColumn(column);
    const FilterFieldKind kind = m_source.kind(column);
    if (!FilterOperators::appliesTo(c->filterOperator(), kind))
        c->setFilterOperator(FilterOperators::operatorsFor(kind).value(0, FilterOperator::Equal));
    const int count = FilterOperators::valueCount(c->filterOperator());
    c->setValues(QList<FilterValue>(count == FilterOperators::AnyCount ? 1 : count));
    scheduleRebuild();
    emit criteriaChanged();
}

void FilterBuilder::setOperator(const Path &path, FilterOperator op)
{
    FilterCondition *c = conditionAt(path);
    if (!c || c->filterOperator() == op)
        return;
    const int count = FilterOperators::valueCount(op);
    QList<FilterValue> values = c->values();
    if (count != FilterOperators::AnyCount)
        values.resize(count);
    else if (values.isEmpty())
        values.resize(1);
    c->setFilterOperator(op);
    c->setValues(values);
    scheduleRebuild();
    emit criteriaChanged();
}

void FilterBuilder::setValueText(const Path &path, int index, const QString &text)
{
    FilterCondition *c = conditionAt(path);
    if (!c)
        return;
    QList<FilterValue> values = c->values();
    if (values.size() <= index)
        values.resize(index + 1);
    values[index] = text.isEmpty() ? FilterValue() : FilterValue(text, text);
    c->setValues(values);
    emit criteriaChanged();
}

void FilterBuilder::setValueList(const Path &path, const QString &text)
{
    FilterCondition *c = conditionAt(path);
    if (!c)
        return;
    QList<FilterValue> values;
    for (const QString &part : text.split(ListSeparator, Qt::SkipEmptyParts)) {
        const QString t = part.trimmed();
        if (!t.isEmpty())
            values << FilterValue(t, t);
    }
    c->setValues(values);
    emit criteriaChanged();
}

// --- the row menu ----------------------------------------------------------------------------

QMenu *FilterBuilder::rowMenu(QTreeWidgetItem *item)
{
    delete m_menu;
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("rowMenu"));
    if (!item)
        return m_menu;
    const auto kind = RowKind(item->data(0, KindRole).toInt());
    const Path path = item->data(0, PathRole).value<Path>();
    // Conditions add to the group they are in; a group row adds into itself.
    const Path group = kind == RowKind::Condition ? path.mid(0, path.size() - 1) : path;
    QAction *condition = m_menu->addAction(ComponentTexts::text(FilterControlTexts::AddCondition));
    condition->setObjectName(QStringLiteral("addConditionAction"));
    connect(condition, &QAction::triggered, this, [this, group] { addCondition(group); });
    QAction *nested = m_menu->addAction(ComponentTexts::text(FilterControlTexts::AddGroup));
    nested->setObjectName(QStringLiteral("addGroupAction"));
    connect(nested, &QAction::triggered, this, [this, group] { addGroup(group); });
    m_menu->addSeparator();
    const bool top = kind != RowKind::Condition && path.isEmpty();
    QAction *last = m_menu->addAction(ComponentTexts::text(top ? FilterControlTexts::ClearAll : FilterControlTexts::RemoveRow));
    last->setObjectName(top ? QStringLiteral("clearAllAction") : QStringLiteral("removeRowAction"));
    if (top)
        connect(last, &QAction::triggered, this, &FilterBuilder::clearAll);
    else
        connect(last, &QAction::triggered, this, [this, path] { removeRow(path); });
    return m_menu;
}

void FilterBuilder::showRowMenu(const QPoint &pos)
{
    QTreeWidgetItem *item = itemAt(pos);
    if (!item)
        return;
    rowMenu(item)->popup(viewport()->mapToGlobal(pos));
}
