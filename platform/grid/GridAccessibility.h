#pragma once

class GridBandedTableView;

// What assistive technology is told of a banded view: the interfaces come from a factory that
// the view installs, and the view reports its focus and its rows through here.
class GridAccessibility
{
public:
    // Once per process; every view calls it.
    static void install();
    // The focused row moved, or the view took the focus.
    static void focusChanged(GridBandedTableView *view);
    // Rows, groups or their order changed.
    static void rowsReset(GridBandedTableView *view);
};
