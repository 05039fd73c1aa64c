#pragma once

// How a group joins its conditions.
enum class FilterBoolOperator { And, Or, NotAnd, NotOr };
