// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/RowStates.h"

namespace orvane {

void RowStates::announce() {
    if (wouldDeliver(SELECTED_CHANGED)) dispatchEvent(PortableEvent::create(SELECTED_CHANGED));
}

void RowStates::setRowCount(size_t rowCount) {
    if (rowCount == bits_.size()) return;
    bool lost = false;
    if (rowCount < bits_.size())
        for (size_t r = rowCount; r < bits_.size() && !lost; ++r) lost = bits_.test(r);
    bits_.resize(rowCount);
    if (lost) announce();
}

void RowStates::setState(int row, int state) {
    if (row < 0 || static_cast<size_t>(row) >= bits_.size()) return;
    bool v = state != 0;
    if (bits_.test(static_cast<size_t>(row)) == v) return;
    bits_.set(static_cast<size_t>(row), v);
    announce();
}

void RowStates::setState(const std::vector<int>& rows, int state) {
    bool v = state != 0, changed = false;
    for (int r : rows) {
        if (r < 0 || static_cast<size_t>(r) >= bits_.size()) continue;
        if (bits_.test(static_cast<size_t>(r)) != v) {
            bits_.set(static_cast<size_t>(r), v);
            changed = true;
        }
    }
    if (changed) announce();
}

void RowStates::setSelectedIndices(const std::vector<int>& rows) {
    RowBitmap next(bits_.size());
    for (int r : rows)
        if (r >= 0) next.set(static_cast<size_t>(r));
    setSelection(next);
}

void RowStates::setSelection(const RowBitmap& rows) {
    RowBitmap next = rows;
    next.resize(bits_.size());
    if (next == bits_) return;
    bits_ = std::move(next);
    announce();
}

void RowStates::clear(int state) {
    bool v = state != 0;
    if (v ? bits_.all() : bits_.none()) return;
    bits_.fill(v);
    announce();
}

} // namespace orvane
