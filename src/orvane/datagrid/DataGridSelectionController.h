// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/selection/SelectionController.h"

#include <memory>

namespace orvane {

class DataGrid;
class DataGridRenderer;

/// The selection controller of one table view: selections are taken from and
/// applied to the row states of the table's data set (the model's dataSet),
/// and that data set's row-state changes are re-announced as
/// SELECTION_CHANGED. A table takes exactly one selection at a time.
class ORVANE_EXPORT DataGridSelectionController : public SelectionController {
public:
    /// Observes the renderer's current data set at once.
    static std::shared_ptr<DataGridSelectionController> create(const std::shared_ptr<DataGridRenderer>& renderer);
    ~DataGridSelectionController() override;

    std::shared_ptr<DataGridRenderer> getRenderer() const { return renderer_.lock(); }
    /// The renderer's model, or null.
    std::shared_ptr<DataGrid> getDataGrid() const;

    /// The one selection of the table's data set (null when its name is not
    /// expected, or logged when the table has no data set with row states).
    SelectionList getSelections(const OptionsPtr& options) override;
    /// Applies exactly one selection to the table's data set; none or several
    /// are logged and nothing changes.
    void applySelections(const SelectionList& selections, const OptionsPtr& options) override;
    void clearSelections() override;
    /// The table's data set name.
    void populateDefaultDataNames(SelectionOptions& options) override;
    /// The category (data usage 1) columns the table shows, or all of the
    /// data set's when the table names none.
    void populateDefaultVariables(SelectionOptions& options) override;

protected:
    DataGridSelectionController() = default;

private:
    /// The table's data set when it has row states (logged otherwise).
    std::shared_ptr<DataSet> requireDataSet(int line) const;

    std::weak_ptr<DataGridRenderer> renderer_;
};

} // namespace orvane
