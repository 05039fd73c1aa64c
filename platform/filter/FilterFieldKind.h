#pragma once

// How a column's values compare: as text, as date-times or as whole numbers.
enum class FilterFieldKind { Text, DateTime, Integer };
