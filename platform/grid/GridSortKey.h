#pragma once

#include <Qt>

class MemField;

// One field of a sort or grouping, with its direction.
struct GridSortKey
{
    const MemField *field = nullptr;
    Qt::SortOrder order = Qt::AscendingOrder;

    friend bool operator==(const GridSortKey &a, const GridSortKey &b)
    {
        return a.field == b.field && a.order == b.order;
    }
};
