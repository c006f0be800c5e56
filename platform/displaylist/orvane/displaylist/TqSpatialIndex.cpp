// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqSpatialIndex.h"

#include <algorithm>
#include <cmath>

namespace displaylist {

namespace {
// An item covering more cells than this goes to the list checked by every query.
constexpr long LARGE_ITEM_CELLS = 64;
}

TqSpatialIndex::TqSpatialIndex(const std::vector<Rect>& items) {
    area_ = bounds::empty();
    size_t n = 0;
    for (const Rect& r : items) {
        if (bounds::isEmpty(r)) continue;
        area_ = bounds::unite(area_, r);
        ++n;
    }
    if (n == 0) return;
    // About two items per cell, with cells shaped like the area.
    float w = std::max(area_.width, 1e-3f), h = std::max(area_.height, 1e-3f);
    double cells = std::max<double>(1.0, static_cast<double>(n) / 2.0);
    double c = std::sqrt(cells * w / h);
    cols_ = static_cast<int>(std::clamp(std::round(c), 1.0, 4096.0));
    rows_ = static_cast<int>(std::clamp(std::round(cells / cols_), 1.0, 4096.0));
    cellW_ = w / static_cast<float>(cols_);
    cellH_ = h / static_cast<float>(rows_);

    std::vector<uint32_t> counts(static_cast<size_t>(cols_) * rows_ + 1, 0);
    auto forCells = [&](const Rect& r, auto&& fn) {
        int x0 = cellX(r.x), x1 = cellX(r.maxX()), y0 = cellY(r.y), y1 = cellY(r.maxY());
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) fn(static_cast<size_t>(y) * cols_ + x);
    };
    auto cellsOf = [&](const Rect& r) {
        return static_cast<long>(cellX(r.maxX()) - cellX(r.x) + 1) * (cellY(r.maxY()) - cellY(r.y) + 1);
    };
    for (uint32_t i = 0; i < items.size(); ++i) {
        const Rect& r = items[i];
        if (bounds::isEmpty(r)) continue;
        if (cellsOf(r) > LARGE_ITEM_CELLS) {
            large_.push_back({i, r});
            continue;
        }
        forCells(r, [&](size_t cell) { ++counts[cell]; });
    }
    cellStart_.assign(counts.size(), 0);
    uint32_t total = 0;
    for (size_t k = 0; k + 1 < counts.size(); ++k) {
        cellStart_[k] = total;
        total += counts[k];
    }
    cellStart_.back() = total;
    cellItems_.resize(total);
    std::vector<uint32_t> fill(cellStart_.begin(), cellStart_.end() - 1);
    for (uint32_t i = 0; i < items.size(); ++i) {
        const Rect& r = items[i];
        if (bounds::isEmpty(r) || cellsOf(r) > LARGE_ITEM_CELLS) continue;
        forCells(r, [&](size_t cell) { cellItems_[fill[cell]++] = {i, r}; });
    }
}

int TqSpatialIndex::cellX(float x) const {
    float f = std::floor((x - area_.x) / cellW_);
    if (!(f >= 0.0f)) return 0;
    return std::min(static_cast<int>(std::min(f, 1e6f)), cols_ - 1);
}

int TqSpatialIndex::cellY(float y) const {
    float f = std::floor((y - area_.y) / cellH_);
    if (!(f >= 0.0f)) return 0;
    return std::min(static_cast<int>(std::min(f, 1e6f)), rows_ - 1);
}

void TqSpatialIndex::query(const Rect& q, std::vector<uint32_t>& out) const {
    out.clear();
    if (cols_ == 0 || !bounds::intersects(q, area_)) return;
    int x0 = cellX(q.x), x1 = cellX(q.maxX()), y0 = cellY(q.y), y1 = cellY(q.maxY());
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            size_t cell = static_cast<size_t>(y) * cols_ + x;
            for (uint32_t k = cellStart_[cell]; k < cellStart_[cell + 1]; ++k)
                if (bounds::intersects(cellItems_[k].rect, q)) out.push_back(cellItems_[k].index);
        }
    }
    for (const Entry& e : large_)
        if (bounds::intersects(e.rect, q)) out.push_back(e.index);
    std::sort(out.begin(), out.end(), [](uint32_t a, uint32_t b) { return a > b; });
    // An item spanning several of the visited cells was found once per cell.
    if (x1 > x0 || y1 > y0) out.erase(std::unique(out.begin(), out.end()), out.end());
}

} // namespace displaylist
