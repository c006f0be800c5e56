// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/data/RowBitmap.h"

#include <memory>
#include <vector>

namespace orvane {

/// The selected state of every row of a data set, one bit per row. State 1 is
/// selected, 0 not selected. Every operation that changes the selected set
/// dispatches exactly one SELECTED_CHANGED, and none when nothing changed. A
/// DataSet that owns the row states re-dispatches the event with itself as the
/// current source.
///
/// Row numbers outside the row count are ignored.
class ORVANE_HOST_EXPORT RowStates : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int SELECTED_CHANGED = 402;  ///< host event id

    explicit RowStates(size_t rowCount = 0) : bits_(rowCount) {}
    static std::shared_ptr<RowStates> create(size_t rowCount = 0) { return std::make_shared<RowStates>(rowCount); }

    size_t getRowCount() const { return bits_.size(); }
    /// New rows are not selected; dropping selected rows is a change.
    void setRowCount(size_t rowCount);

    bool isSelected(size_t row) const { return bits_.test(row); }
    int getState(size_t row) const { return bits_.test(row) ? 1 : 0; }
    /// Gives one row a state (0 or 1).
    void setState(int row, int state);
    /// Gives the rows a state; the other rows keep theirs.
    void setState(const std::vector<int>& rows, int state);
    /// Makes exactly these rows selected.
    void setSelectedIndices(const std::vector<int>& rows);
    /// Selected rows, ascending.
    std::vector<int> getSelectedIndices() const { return bits_.toIndices(); }
    size_t getSelectedCount() const { return bits_.count(); }
    /// Gives every row the state (clear(0) deselects all, clear(1) selects all).
    void clear(int state = 0);
    /// Makes the selected set equal to the bitmap (resized to the row count).
    void setSelection(const RowBitmap& rows);

    const RowBitmap& getBitmap() const { return bits_; }
    /// Bytes used for the states.
    size_t getMemoryUsage() const { return sizeof(*this) + bits_.memoryBytes(); }

private:
    void announce();
    RowBitmap bits_;
};

} // namespace orvane
