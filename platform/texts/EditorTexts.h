#pragma once

#include "platform/texts/ComponentText.h"

// Texts of the editors; nothing replaces them, so they read in English.
namespace EditorTexts {

inline constexpr char Group[] = "cxEditConsts";

// Drop-down calendar of a date editor. Its OK shares the dialogs' default and so their entry.
inline constexpr ComponentText DateToday{Group, "DateToday", "Today"};
inline constexpr ComponentText DateClear{Group, "DateClear", "Clear"};
inline constexpr ComponentText DateNow{Group, "DateNow", "Now"};
inline constexpr ComponentText DateOk{Group, "DateOk", "OK"};

// Validation.
inline constexpr ComponentText InvalidDate{Group, "InvalidDate", "Invalid Date"};
inline constexpr ComponentText CannotConvertToDate{Group, "CannotConvertToDate", "Could not convert to date"};
inline constexpr ComponentText InvalidEditValue{Group, "InvalidEditValue", "The edit value is invalid"};

} // namespace EditorTexts
