// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/host/data/DataSet.h"

#include <memory>

namespace orvane::test {

// A table over a data set, its view framed at W x H on a display-list
// renderer of its own, as a report page shows it.
class GridOnScreen {
public:
    explicit GridOnScreen(std::shared_ptr<DataSet> ds, float w = 600, float h = 300);
    virtual ~GridOnScreen() = default;
    GridOnScreen(const GridOnScreen&) = delete;
    GridOnScreen& operator=(const GridOnScreen&) = delete;

    // Records the view again and returns its grid.
    displaylist::TqDataGrid& rebuild();

    std::shared_ptr<displaylist::DisplayListRenderer> renderer = displaylist::DisplayListRenderer::create(false);
    std::shared_ptr<DataGrid> model = DataGrid::create();
    std::shared_ptr<DataGridRenderer> view;
};

} // namespace orvane::test
