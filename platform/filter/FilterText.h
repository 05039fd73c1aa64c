#pragma once

#include "platform/filter/FilterValue.h"

#include <QString>

#include <functional>

class FilterCondition;
class FilterCriteria;
class FilterGroup;
class FilterValueSource;

// How a value without a display text is shown, e.g. in the store's text form.
using FilterValueFormatter = std::function<QString(int column, const FilterValue &value)>;

// The readable form of a filter, as the filter box shows it, in the current component texts:
//   Nome contiene 'ro' AND Data nel range tra 01/01/2020 AND 31/12/2020
// Conditions read column, operator name and values; text values are quoted; a like pattern with
// the any-series wildcard at its end, both ends or its start reads "begins with", "contains" or
// "ends with" and the rest of the pattern; a range reads low, "and", high; a list reads (a, b).
// Nested groups go in parentheses, negated groups read "not (...)"; groups without conditions are
// left out, so an empty filter reads as an empty string.
class FilterText
{
public:
    static QString render(const FilterCriteria &criteria, const FilterValueSource &source,
                          const FilterValueFormatter &formatter = FilterValueFormatter());
    static QString render(const FilterGroup &group, const FilterValueSource &source,
                          const FilterValueFormatter &formatter = FilterValueFormatter());
    static QString render(const FilterCondition &condition, const FilterValueSource &source,
                          const FilterValueFormatter &formatter = FilterValueFormatter());
};
