#pragma once

#include "platform/texts/ComponentText.h"

// Texts of the grid itself.
namespace GridTexts {

inline constexpr char Group[] = "cxGridStrs";

// Delete confirmation.
inline constexpr ComponentText DeleteConfirmationCaption{Group, "DeleteConfirmationCaption", "Confirm"};
inline constexpr ComponentText DeleteRecord{Group, "DeleteRecord", "Delete record?"};
inline constexpr ComponentText DeleteSelectedRecords{Group, "DeleteSelectedRecords", "Delete all selected records?"};

// Empty grid, new-item row, filter box, group-by box.
inline constexpr ComponentText NoDataToDisplay{Group, "NoDataToDisplay", "<No data to display>"};
inline constexpr ComponentText NewItemRow{Group, "NewItemRow", "Click here to add a new row"};
inline constexpr ComponentText FilterIsEmpty{Group, "FilterIsEmpty", "<Filter is Empty>"};
inline constexpr ComponentText GroupByBoxHint{Group, "GroupByBoxHint", "Drag a column header here to group by that column"};
inline constexpr ComponentText FilterCustomize{Group, "FilterCustomize", "Customize..."};

// Customisation form and quick customisation.
inline constexpr ComponentText CustomizationCaption{Group, "CustomizationCaption", "Customization"};
inline constexpr ComponentText CustomizationColumns{Group, "CustomizationColumns", "Columns"};
inline constexpr ComponentText QuickColumnCustomizationHint{Group, "QuickColumnCustomizationHint", "Click here to select visible columns"};
inline constexpr ComponentText CustomizationBands{Group, "CustomizationBands", "Bands"};
inline constexpr ComponentText QuickBandCustomizationHint{Group, "QuickBandCustomizationHint", "Click here to select visible bands"};
inline constexpr ComponentText CustomizationRows{Group, "CustomizationRows", "Rows"};

// Export errors.
inline constexpr ComponentText ExportGridViewMissing{Group, "ExportGridViewMissing", "Grid view does not exist"};
inline constexpr ComponentText ExportActiveLevelMissing{Group, "ExportActiveLevelMissing", "Active grid level does not exist"};
inline constexpr ComponentText CannotCreateExportFile{Group, "CannotCreateExportFile", "Can't create the export output file"};

} // namespace GridTexts
