#pragma once

#include "platform/filter/FilterCompileOptions.h"

#include <memory>

class FilterCriteria;
class FilterValueSource;
class FilterMatcher;

// Criteria compiled against a value source, to test rows fast: the values of the conditions are
// converted and sorted once, text patterns prepared once, and a row costs a few calls to the source.
//
// Text: equals, does not equal, in and not in compare the text exactly; like and not like ignore
// letter case; less, greater and between order texts without regard to case first, then by case,
// a blank text before any other.
// Date-times and integers compare as such; a QDate value stands for its whole day. A null date-time
// or integer fails every operator except the negative ones (does not equal, not like, not between,
// not in, is not blank), which are exact complements. A text counts as blank when the source calls
// it null or it is empty; equals or does not equal with a blank value mean is blank, is not blank.
//
// The predicate keeps a reference to the source and scratch buffers: use it on one thread, while
// the source lives.
class FilterPredicate
{
public:
    // Lets every row through.
    FilterPredicate();
    FilterPredicate(FilterPredicate &&other) noexcept;
    FilterPredicate &operator=(FilterPredicate &&other) noexcept;
    ~FilterPredicate();

    // Throws DataError: "Can't build filter from source" for a condition that does not fit its
    // column (unknown column, operator not for its kind, wrong number of values), "Invalid value"
    // for a value that cannot be read as the column's kind.
    static FilterPredicate compile(const FilterCriteria &criteria, const FilterValueSource &source,
                                   const FilterCompileOptions &options = FilterCompileOptions());

    bool acceptsAll() const { return !m_root; }
    bool accepts(int row) const;

private:
    explicit FilterPredicate(std::unique_ptr<const FilterMatcher> root);

    std::unique_ptr<const FilterMatcher> m_root;
};
