// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortableEvent.h"

#include <cstdint>
#include <memory>

namespace orvane {

/// The keyboard moved a table's focus to a cell (ACCESSIBILITY_FOCUS_CHANGE),
/// or activated a column header (ACCESSIBILITY_SORT). Dispatched by the
/// table's view; screen readers and hosts follow the focused cell through it.
/// The cell is named by its grid pick id, component, display row and column.
class ORVANE_EXPORT GridFocusEvent : public PortableEvent {
public:
    static constexpr int ACCESSIBILITY_FOCUS_CHANGE = 20000;
    static constexpr int ACCESSIBILITY_SORT = 20006;

    GridFocusEvent(int type, uint64_t pickId, int component, int64_t row, int column)
        : PortableEvent(type), pickId_(pickId), component_(component), row_(row), column_(column) {}
    static std::shared_ptr<GridFocusEvent> create(int type, uint64_t pickId, int component, int64_t row, int column) {
        return std::make_shared<GridFocusEvent>(type, pickId, component, row, column);
    }

    uint64_t getPickId() const { return pickId_; }
    /// 0 data cell, 1 row number, 2 column header, 3 total.
    int getComponent() const { return component_; }
    int64_t getRow() const { return row_; }
    int getColumn() const { return column_; }

private:
    uint64_t pickId_;
    int component_;
    int64_t row_;
    int column_;
};

} // namespace orvane
