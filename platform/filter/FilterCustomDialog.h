#pragma once

#include "platform/filter/FilterBoolOperator.h"
#include "platform/filter/FilterCompileOptions.h"
#include "platform/filter/FilterCondition.h"
#include "platform/filter/FilterGroup.h"
#include "platform/filter/FilterText.h"

#include <QDialog>
#include <QList>

class FilterValueSource;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The custom filter of one column: up to two conditions joined by AND or OR. OK checks the values
// against the column's kind and stays open on one that cannot be read; Cancel changes nothing.
class FilterCustomDialog : public QDialog
{
    Q_OBJECT

public:
    FilterCustomDialog(const FilterValueSource &source, int column, QWidget *parent = nullptr);

    int column() const { return m_column; }
    void setCompileOptions(const FilterCompileOptions &options) { m_options = options; }
    // How values without a display text are shown in the value boxes.
    void setValueFormatter(const FilterValueFormatter &formatter) { m_formatter = formatter; }

    // Up to two conditions on the column; an empty list starts with "equals" and no value.
    void setConditions(const QList<FilterCondition> &conditions, FilterBoolOperator op = FilterBoolOperator::And);
    QList<FilterCondition> conditions() const;
    FilterBoolOperator boolOperator() const;

    // The operators each list offers, in order; the first entry of both lists is "no condition".
    QList<FilterOperator> offeredOperators() const { return m_operators; }

    void accept() override;

private:
    struct Line
    {
        QComboBox *op = nullptr;
        QLineEdit *value = nullptr;
        FilterValue original;     // kept while the box shows its text unchanged
        QString originalText;
    };

    void buildLine(Line &line, int number);
    void loadLine(Line &line, const FilterCondition *condition);
    bool readLine(const Line &line, FilterCondition &out) const;
    void showInvalid(const QString &message);

    const FilterValueSource &m_source;
    int m_column;
    FilterCompileOptions m_options;
    FilterValueFormatter m_formatter;
    QList<FilterOperator> m_operators;
    Line m_lines[2];
    QRadioButton *m_and = nullptr;
    QRadioButton *m_or = nullptr;
    QLabel *m_invalid = nullptr;
};
