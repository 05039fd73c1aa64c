#pragma once

#include <QString>

class GridControl;

// Writes the grid's view as one HTML page: band and column headers, every record as many lines
// as on screen with each cell spanning what it spans there, group rows and footers, one style
// class for each look of a cell. The page is streamed to a QSaveFile, so a failed export leaves
// any earlier file as it was and raises DataError with the component text for it.
class GridHtmlExport
{
public:
    // allRows: every row the view holds (filtered, sorted, grouped, with its footers); otherwise
    // the focused row, after the group rows leading to it (a focused group row with all beneath
    // it, without footers). expandGroups opens the printed groups first, and they stay open.
    // extension, when given, replaces the file name's own. heading, when given, is one line of
    // plain text above the table.
    static void exportToFile(const QString &fileName, GridControl *grid, bool expandGroups, bool allRows,
                             const QString &extension = QStringLiteral("html"), const QString &heading = QString());

    // The width in pixels that a landscape page of either A4 or Letter paper prints across.
    static constexpr int PrintableWidth = 990;

    // The name written by exportToFile.
    static QString outputFileName(const QString &fileName, const QString &extension);
};
