#pragma once

#include "platform/texts/ComponentText.h"

// Operator names, the words of a filter text and the fixed entries of a column's filter drop-down.
namespace FilterTexts {

inline constexpr char Group[] = "cxFilterConsts";

// Operator lists and filter texts.
inline constexpr ComponentText Equal{Group, "Equal", "equals"};
inline constexpr ComponentText NotEqual{Group, "NotEqual", "does not equal"};
inline constexpr ComponentText Less{Group, "Less", "is less than"};
inline constexpr ComponentText LessEqual{Group, "LessEqual", "is less than or equal to"};
inline constexpr ComponentText Greater{Group, "Greater", "is greater than"};
inline constexpr ComponentText GreaterEqual{Group, "GreaterEqual", "is greater than or equal to"};
inline constexpr ComponentText Like{Group, "Like", "like"};
inline constexpr ComponentText NotLike{Group, "NotLike", "not like"};
inline constexpr ComponentText Between{Group, "Between", "between"};
inline constexpr ComponentText NotBetween{Group, "NotBetween", "not between"};
inline constexpr ComponentText In{Group, "In", "in"};
inline constexpr ComponentText NotIn{Group, "NotIn", "not in"};

// Date periods, relative to today.
inline constexpr ComponentText Yesterday{Group, "Yesterday", "is yesterday"};
inline constexpr ComponentText Today{Group, "Today", "is today"};
inline constexpr ComponentText Tomorrow{Group, "Tomorrow", "is tomorrow"};
inline constexpr ComponentText LastWeek{Group, "LastWeek", "is last week"};
inline constexpr ComponentText LastMonth{Group, "LastMonth", "is last month"};
inline constexpr ComponentText LastYear{Group, "LastYear", "is last year"};
inline constexpr ComponentText ThisWeek{Group, "ThisWeek", "is this week"};
inline constexpr ComponentText ThisMonth{Group, "ThisMonth", "is this month"};
inline constexpr ComponentText ThisYear{Group, "ThisYear", "is this year"};
inline constexpr ComponentText NextWeek{Group, "NextWeek", "is next week"};
inline constexpr ComponentText NextMonth{Group, "NextMonth", "is next month"};
inline constexpr ComponentText NextYear{Group, "NextYear", "is next year"};

// Words of a filter text; "and" also joins the two bounds of a range.
inline constexpr ComponentText And{Group, "And", "and"};
inline constexpr ComponentText Or{Group, "Or", "or"};
inline constexpr ComponentText Not{Group, "Not", "not"};
inline constexpr ComponentText Blank{Group, "Blank", "blank"};

// Operators without a value.
inline constexpr ComponentText Blanks{Group, "Blanks", "is blank"};
inline constexpr ComponentText NonBlanks{Group, "NonBlanks", "is not blank"};

// A like condition shown by where its any-series wildcard sits.
inline constexpr ComponentText BeginsWith{Group, "BeginsWith", "begins with"};
inline constexpr ComponentText NotBeginsWith{Group, "NotBeginsWith", "does not begin with"};
inline constexpr ComponentText EndsWith{Group, "EndsWith", "ends with"};
inline constexpr ComponentText NotEndsWith{Group, "NotEndsWith", "does not end with"};
inline constexpr ComponentText Contains{Group, "Contains", "contains"};
inline constexpr ComponentText NotContains{Group, "NotContains", "does not contain"};

// Column filter drop-down.
inline constexpr ComponentText DropDownAll{Group, "DropDownAll", "(All)"};
inline constexpr ComponentText DropDownCustom{Group, "DropDownCustom", "(Custom...)"};
inline constexpr ComponentText DropDownBlanks{Group, "DropDownBlanks", "(Blanks)"};
inline constexpr ComponentText DropDownNonBlanks{Group, "DropDownNonBlanks", "(NonBlanks)"};

} // namespace FilterTexts
