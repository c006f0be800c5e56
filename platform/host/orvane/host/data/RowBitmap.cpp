// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/RowBitmap.h"

namespace orvane {

void RowBitmap::resize(size_t size, bool value) {
    size_t oldSize = size_;
    words_.resize((size + 63) / 64, value ? ~uint64_t(0) : 0);
    size_ = size;
    if (value && size > oldSize && (oldSize & 63)) words_[oldSize >> 6] |= ~uint64_t(0) << (oldSize & 63);
    trim();
}

void RowBitmap::fill(bool value) {
    for (auto& w : words_) w = value ? ~uint64_t(0) : 0;
    trim();
}

void RowBitmap::trim() {
    if (size_ & 63) words_.back() &= (uint64_t(1) << (size_ & 63)) - 1;
}

void RowBitmap::andWith(const RowBitmap& o) {
    for (size_t i = 0; i < words_.size(); ++i) words_[i] &= i < o.words_.size() ? o.words_[i] : 0;
}

void RowBitmap::orWith(const RowBitmap& o) {
    for (size_t i = 0; i < words_.size() && i < o.words_.size(); ++i) words_[i] |= o.words_[i];
    trim();
}

void RowBitmap::invert() {
    for (auto& w : words_) w = ~w;
    trim();
}

size_t RowBitmap::count() const {
    size_t n = 0;
    for (uint64_t w : words_) n += static_cast<size_t>(__builtin_popcountll(w));
    return n;
}

bool RowBitmap::none() const {
    for (uint64_t w : words_)
        if (w) return false;
    return true;
}

bool RowBitmap::all() const { return count() == size_; }

std::vector<int> RowBitmap::toIndices() const {
    std::vector<int> out;
    out.reserve(count());
    forEachSet([&](size_t r) { out.push_back(static_cast<int>(r)); });
    return out;
}

} // namespace orvane
