#pragma once

#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterText.h"

#include <QList>
#include <QTreeWidget>

class FilterValueSource;
class QMenu;

// The tree editor of a filter. The top row is the root group ("Filter", its operator, "<root>");
// below it come conditions (column, operator, values) and nested groups, and last the row whose
// button adds a condition to the root. Every row has a menu to add a condition or a group to its
// group, and to remove the row (on the top row: to clear everything). The editor works on its own
// copy of the criteria; criteria() returns it as edited.
class FilterBuilder : public QTreeWidget
{
    Q_OBJECT

public:
    using Path = QList<int>; // indexes from the root group down; empty for the root itself

    enum ItemRole { PathRole = Qt::UserRole, KindRole };
    enum class RowKind { Group, Condition, AddCondition };

    explicit FilterBuilder(const FilterValueSource &source, QWidget *parent = nullptr);

    const FilterCriteria &criteria() const { return m_criteria; }
    void setCriteria(const FilterCriteria &criteria);
    void setValueFormatter(const FilterValueFormatter &formatter);

    // The empty-value text, as it read when the editor was made.
    QString emptyValueText() const { return m_emptyText; }

    QTreeWidgetItem *itemForPath(const Path &path) const;
    QTreeWidgetItem *addConditionItem() const { return m_addItem; }
    // The row menu of an item; owned by the editor, rebuilt on every call.
    QMenu *rowMenu(QTreeWidgetItem *item);

    // The column a new condition starts on (one the user can see); 0 unless set.
    void setNewConditionColumn(int column) { m_newColumn = column; }
    int newConditionColumn() const { return m_newColumn; }
    void addCondition(const Path &group);
    void addGroup(const Path &group);
    void removeRow(const Path &path);
    void clearAll();

Q_SIGNALS:
    void criteriaChanged();

private:
    void rebuild();
    void scheduleRebuild();
    void addGroupItems(QTreeWidgetItem *parentItem, const FilterGroup &group, const Path &path);
    QTreeWidgetItem *makeGroupItem(QTreeWidgetItem *parentItem, const FilterGroup &group, const Path &path);
    QTreeWidgetItem *makeConditionItem(QTreeWidgetItem *parentItem, const FilterCondition &condition, const Path &path);
    QWidget *valueEditor(const FilterCondition &condition, const Path &path);
    FilterGroup *groupAt(const Path &path);
    FilterCondition *conditionAt(const Path &path);
    QString valueText(int column, const FilterValue &value) const;
    void setColumn(const Path &path, int column);
    void setOperator(const Path &path, FilterOperator op);
    void setValueText(const Path &path, int index, const QString &text);
    void setValueList(const Path &path, const QString &text);
    void showRowMenu(const QPoint &pos);

    const FilterValueSource &m_source;
    FilterCriteria m_criteria;
    FilterValueFormatter m_formatter;
    const QString m_emptyText;
    QTreeWidgetItem *m_addItem = nullptr;
    QMenu *m_menu = nullptr;
    bool m_rebuildPending = false;
    int m_newColumn = 0;
};
