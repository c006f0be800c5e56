// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqGridAxis.h"

#include <algorithm>
#include <cmath>

namespace displaylist {

namespace {
double sane(double size) { return std::isfinite(size) && size > 0.0 ? size : 0.0; }
} // namespace

TqGridAxis::TqGridAxis(int64_t count, double defaultSize) { Reset(count, defaultSize); }

void TqGridAxis::Reset(int64_t count, double defaultSize) {
    count_ = std::max<int64_t>(count, 0);
    defaultSize_ = sane(defaultSize);
    overrides_.clear();
    dirty_ = true;
}

void TqGridAxis::SetCount(int64_t count) {
    count_ = std::max<int64_t>(count, 0);
    overrides_.erase(overrides_.lower_bound(count_), overrides_.end());
    dirty_ = true;
}

void TqGridAxis::SetDefaultSize(double size) {
    defaultSize_ = sane(size);
    dirty_ = true;
}

void TqGridAxis::SetSize(int64_t i, double size) {
    if (i < 0 || i >= count_) return;
    overrides_[i] = sane(size);
    dirty_ = true;
}

void TqGridAxis::ClearSize(int64_t i) {
    if (overrides_.erase(i)) dirty_ = true;
}

double TqGridAxis::GetSize(int64_t i) const {
    if (i < 0 || i >= count_) return 0.0;
    auto it = overrides_.find(i);
    return it == overrides_.end() ? defaultSize_ : it->second;
}

void TqGridAxis::rebuild() const {
    keys_.clear();
    prefix_.clear();
    keys_.reserve(overrides_.size());
    prefix_.reserve(overrides_.size() + 1);
    prefix_.push_back(0.0);
    for (const auto& [k, v] : overrides_) {
        keys_.push_back(k);
        prefix_.push_back(prefix_.back() + (v - defaultSize_));
    }
    dirty_ = false;
}

double TqGridAxis::deltaBefore(int64_t i) const {
    if (dirty_) rebuild();
    size_t k = static_cast<size_t>(std::lower_bound(keys_.begin(), keys_.end(), i) - keys_.begin());
    return prefix_[k];
}

double TqGridAxis::Offset(int64_t i) const {
    i = std::clamp<int64_t>(i, 0, count_);
    return static_cast<double>(i) * defaultSize_ + deltaBefore(i);
}

int64_t TqGridAxis::IndexAt(double pos) const {
    if (!std::isfinite(pos) || pos < 0.0 || count_ == 0 || pos >= Total()) return -1;
    // Largest i with Offset(i) <= pos; offsets never decrease, so a binary
    // search over the indices finds it. Skipping zero-sized items: the
    // largest such i is the item that really covers pos.
    int64_t lo = 0, hi = count_ - 1;
    while (lo < hi) {
        int64_t mid = lo + (hi - lo + 1) / 2;
        if (Offset(mid) <= pos) lo = mid;
        else hi = mid - 1;
    }
    return lo;
}

int64_t TqGridAxis::SeparatorAt(double pos, double tolerance) const {
    if (!std::isfinite(pos) || count_ == 0) return -1;
    tolerance = std::max(0.0, tolerance);
    // The candidates are the item under pos and its neighbours.
    int64_t at = IndexAt(pos);
    if (at < 0) at = pos < 0.0 ? 0 : count_ - 1;
    int64_t best = -1;
    double bestDistance = tolerance;
    for (int64_t i = std::max<int64_t>(0, at - 1); i <= std::min(count_ - 1, at + 1); ++i) {
        if (GetSize(i) <= 0.0) continue;
        double d = std::fabs(Offset(i + 1) - pos);
        if (d <= bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

size_t TqGridAxis::GetMemoryBytes() const {
    // A map node holds the pair and about three pointers and a colour.
    return sizeof(*this) + overrides_.size() * (sizeof(std::pair<const int64_t, double>) + 4 * sizeof(void*)) +
           keys_.capacity() * sizeof(int64_t) + prefix_.capacity() * sizeof(double);
}

} // namespace displaylist
