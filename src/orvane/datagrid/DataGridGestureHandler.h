// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/datagrid/GridGestureHandler.h"

#include <memory>

namespace orvane {

class AbstractEventCallback;
class DataGridRenderer;
class Focusable;

/// The gesture and key handler of a list table (DataGridRenderer): taps
/// select rows of the data set (through the row states) and sort by a
/// header, widths, heights and the column order a user sets are stored in the
/// table's model, and keys are heard from the host's key manager while the
/// table has keyboard focus.
class ORVANE_EXPORT DataGridGestureHandler : public GridGestureHandler {
public:
    /// Listens for key presses at the host's key manager; they reach the
    /// handler only while `focusable` has keyboard focus.
    static std::shared_ptr<DataGridGestureHandler> create(const std::shared_ptr<Focusable>& focusable);
    ~DataGridGestureHandler() override;

    using GridGestureHandler::makeSelection;
    /// Selects the data rows of the picked data cells; no cells clear the
    /// selection.
    bool makeSelection(const std::vector<uint64_t>& ids, bool replace, bool toggle) override;
    void updateColumnWidth(int column, float width) override;
    void updateRowHeight(int64_t row, float height) override;
    void updateRowHeaderColumnWidth(int level, float width) override;
    displaylist::TqDataGrid* getDataGridNode() const override;
    int getNumberOfMeasures() const override { return 1; }
    void setLastSelectedIndex(uint64_t id) override;
    void setShowFocusRect(bool show) override;

protected:
    DataGridGestureHandler() = default;
    std::shared_ptr<DataGridRenderer> getRenderer() const;

    bool allowsColumnReorder() const override;
    int getModelFixedColumnCount() const override;
    void setModelFixedColumnCount(int count) override;
    void moveColumn(int from, int to) override;
    /// Sorts by the header's column: ascending, descending, then unsorted;
    /// with `keepOthers` the column becomes a further sort key.
    bool handleHeaderTap(uint64_t headerId, bool keepOthers) override;
    void setFocusedCell(uint64_t id) override;
    void scrollTo(double x, double y) override;
    void showContextMenu(uint64_t id) override;

private:
    std::shared_ptr<AbstractEventCallback> keyListener_;
};

} // namespace orvane
