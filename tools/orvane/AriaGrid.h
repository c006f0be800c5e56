// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/core/GeometryUtilities.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace orvane::tool {

// The ARIA grid a viewer page lays over the drawn tables and crosstabs: one
// entry per accessibility element shown, each with an id that stays the same
// while the element does ("grid:row:column"), so that what changed between
// two frames can be sent as cells set and cells removed instead of the whole
// grid. A change of shape (a grid added or gone, a grid's row or column
// count) is sent whole.
class AriaGrid {
public:
    // One cell or header as the page shows it. `bounds` is in page pixels
    // from the top left; row and column indices are absolute and start at 1.
    struct Cell {
        std::string id;  // unique in the grid; set by add()
        int table = 0;   // the grid: the page's tables and crosstabs in reading order
        std::string role;  // "gridcell", "columnheader" or "rowheader"
        std::string label, hint;
        long long row = 0, column = 0, rowCount = 0, columnCount = 0;
        std::string sort;  // "ascending", "descending" or "" (none)
        int expanded = -1;  // -1: not expandable; 0, 1
        bool selected = false;
        bool focused = false;
        Rect bounds;
        bool operator==(const Cell&) const = default;
    };

    // What changed from one grid to the next: the cells (of the new grid)
    // that are new or differ, and the ids of cells that are gone. `whole`
    // when the page should take the new grid whole instead: its shape
    // changed, or the changes would be no smaller than the grid.
    struct Delta {
        bool whole = true;
        std::vector<size_t> set;  // indices into the new grid's cells
        std::vector<std::string> removed;
    };

    // Adds a cell, giving it its id: "grid:row:column", with "#2", "#3"...
    // after it for a second and third element at the same place.
    void add(Cell cell);
    void clear();
    const std::vector<Cell>& cells() const { return cells_; }
    bool operator==(const AriaGrid& other) const { return cells_ == other.cells_; }

    // The changes that turn `before` into this grid.
    Delta since(const AriaGrid& before) const;

    // Writes one cell as the page reads it.
    static void write(rapidjson::Writer<rapidjson::StringBuffer>& w, const Cell& c);

private:
    std::vector<Cell> cells_;
    std::unordered_map<std::string, int> places_;  ///< cells added at each grid, row and column
};

} // namespace orvane::tool
