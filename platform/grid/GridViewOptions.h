#pragma once

// What a banded view lets the user do and what it shows. Cells are never edited in place.
struct GridViewOptions
{
    enum class GroupFooters { Hidden, VisibleWhenExpanded, AlwaysVisible };

    bool editing = true;
    bool inserting = true;             // Insert begins a new record in the table
    bool deleting = true;              // Del and Ctrl+Del delete the focused record
    bool deletingConfirmation = true;  // ... after asking
    bool hideSelection = false;        // no highlight while the view has no keyboard focus
    bool indicator = false;
    bool columnsQuickCustomization = false;
    bool groupByBox = true;
    bool bandHeaders = true;
    bool columnHeaders = true;
    bool sorting = true;
    bool grouping = true;
    bool columnMoving = true;
    bool columnSizing = true;
    bool bandMoving = true;
    bool bandSizing = true;
    GroupFooters groupFooters = GroupFooters::Hidden;
};
