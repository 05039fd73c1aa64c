#pragma once

#include "platform/texts/ComponentText.h"

// Texts of the filter builder, its dialog and the custom filter dialog of a grid column.
namespace FilterControlTexts {

inline constexpr char Group[] = "cxFilterControlStrs";

// Filter builder: group operators, the top row, the row menu and row captions.
inline constexpr ComponentText GroupAnd{Group, "GroupAnd", "AND"};
inline constexpr ComponentText GroupOr{Group, "GroupOr", "OR"};
inline constexpr ComponentText GroupNotAnd{Group, "GroupNotAnd", "NOT AND"};
inline constexpr ComponentText GroupNotOr{Group, "GroupNotOr", "NOT OR"};
inline constexpr ComponentText TopRowLabel{Group, "TopRowLabel", "Filter"};
inline constexpr ComponentText AddCondition{Group, "AddCondition", "Add &Condition"};
inline constexpr ComponentText AddGroup{Group, "AddGroup", "Add &Group"};
inline constexpr ComponentText RemoveRow{Group, "RemoveRow", "&Remove Row"};
inline constexpr ComponentText ClearAll{Group, "ClearAll", "Clear &All"};
inline constexpr ComponentText AddConditionHint{Group, "AddConditionHint", "press the button to add a new condition"};
inline constexpr ComponentText NestedGroupCaption{Group, "NestedGroupCaption", "applies to the following conditions"};
inline constexpr ComponentText RootCaption{Group, "RootCaption", "<root>"};
inline constexpr ComponentText EmptyValue{Group, "EmptyValue", "<empty>"};
inline constexpr ComponentText CannotBuildFilter{Group, "CannotBuildFilter", "Can't build filter from source"};

// Custom filter dialog; the two hints read "<Use> <wildcard> <hint>".
inline constexpr ComponentText CustomFilterCaption{Group, "CustomFilterCaption", "Custom Filter"};
inline constexpr ComponentText InvalidValue{Group, "InvalidValue", "Invalid value"};
inline constexpr ComponentText WildcardUse{Group, "WildcardUse", "Use"};
inline constexpr ComponentText SingleCharacterHint{Group, "SingleCharacterHint", "to represent any single character"};
inline constexpr ComponentText AnySeriesHint{Group, "AnySeriesHint", "to represent any series of characters"};
inline constexpr ComponentText CustomFilterAnd{Group, "CustomFilterAnd", "AND"};
inline constexpr ComponentText CustomFilterOr{Group, "CustomFilterOr", "OR"};
inline constexpr ComponentText ShowRowsWhere{Group, "ShowRowsWhere", "Show rows where:"};

// Filter builder dialog. FileTypes is a file-type list: description, "|", pattern.
inline constexpr ComponentText FilterBuilderCaption{Group, "FilterBuilderCaption", "Filter builder"};
inline constexpr ComponentText UntitledFileName{Group, "UntitledFileName", "untitled.flt"};
inline constexpr ComponentText OpenDialogTitle{Group, "OpenDialogTitle", "Open an existing filter"};
inline constexpr ComponentText SaveDialogTitle{Group, "SaveDialogTitle", "Save the active filter to file"};
inline constexpr ComponentText SaveAs{Group, "SaveAs", "&Save As..."};
inline constexpr ComponentText Open{Group, "Open", "&Open..."};
inline constexpr ComponentText Apply{Group, "Apply", "&Apply"};
inline constexpr ComponentText Ok{Group, "Ok", "OK"};
inline constexpr ComponentText Cancel{Group, "Cancel", "Cancel"};
inline constexpr ComponentText DefaultExtension{Group, "DefaultExtension", "flt"};
inline constexpr ComponentText FileTypes{Group, "FileTypes", "Filters (*.flt)|*.flt"};

// Our own additions: the builder dialog's caption (builder caption, file name) and the errors of
// reading and writing filter files.
inline constexpr ComponentText FilterBuilderCaptionFormat{Group, "FilterBuilderCaptionFormat", "%1 - [%2]"};
inline constexpr ComponentText CannotOpenFilterFile{Group, "CannotOpenFilterFile", "Can't open the filter file %1"};
inline constexpr ComponentText CannotSaveFilterFile{Group, "CannotSaveFilterFile", "Can't save the filter file %1"};
inline constexpr ComponentText NotAFilterFile{Group, "NotAFilterFile", "The file %1 is not a filter file"};
inline constexpr ComponentText DamagedFilterFile{Group, "DamagedFilterFile", "The filter file %1 is damaged"};
inline constexpr ComponentText UnknownFilterColumn{Group, "UnknownFilterColumn", "The filter file %1 names a column that does not exist here: %2"};

} // namespace FilterControlTexts
