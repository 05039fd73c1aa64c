#pragma once

#include "platform/filter/FilterBoolOperator.h"
#include "platform/filter/FilterFieldKind.h"
#include "platform/filter/FilterOperator.h"
#include "platform/texts/ComponentText.h"

#include <QList>
#include <QString>

#include <optional>

// What each operator needs and how it is called.
class FilterOperators
{
public:
    static constexpr int AnyCount = -1;

    // Values an operator takes: 0, 1, 2 (a range) or AnyCount (a list of at least one).
    static int valueCount(FilterOperator op);
    static bool isPeriod(FilterOperator op);
    // Not equal, not like, not between, not in, non blanks: the exact complement of their pair.
    static bool isNegative(FilterOperator op);
    static bool appliesTo(FilterOperator op, FilterFieldKind kind);
    // The operator list of a column of this kind.
    static QList<FilterOperator> operatorsFor(FilterFieldKind kind);

    static ComponentText text(FilterOperator op);
    static ComponentText text(FilterBoolOperator op);
    // The current (replaced or default) names.
    static QString name(FilterOperator op);
    static QString name(FilterBoolOperator op);

    // Names in filter files; they never change with the language.
    static QString key(FilterOperator op);
    static QString key(FilterBoolOperator op);
    static std::optional<FilterOperator> operatorFromKey(const QString &key);
    static std::optional<FilterBoolOperator> boolOperatorFromKey(const QString &key);
};
