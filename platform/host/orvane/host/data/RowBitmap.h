// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

/// One bit per row: the rows a where-clause selects, the selected rows of a
/// RowStates. Bits past the size are kept zero.
class ORVANE_HOST_EXPORT RowBitmap {
public:
    RowBitmap() = default;
    explicit RowBitmap(size_t size, bool value = false) { resize(size, value); }

    size_t size() const { return size_; }
    void resize(size_t size, bool value = false);
    bool test(size_t row) const { return row < size_ && (words_[row >> 6] >> (row & 63)) & 1u; }
    void set(size_t row, bool value = true) {
        if (row >= size_) return;
        uint64_t m = uint64_t(1) << (row & 63);
        if (value) words_[row >> 6] |= m;
        else words_[row >> 6] &= ~m;
    }
    void fill(bool value);

    void andWith(const RowBitmap& o);
    void orWith(const RowBitmap& o);
    void invert();

    size_t count() const;
    bool none() const;
    bool all() const;
    bool operator==(const RowBitmap& o) const { return size_ == o.size_ && words_ == o.words_; }

    /// Row numbers of the set bits, ascending.
    std::vector<int> toIndices() const;
    template <class F>
    void forEachSet(F&& f) const {
        for (size_t w = 0; w < words_.size(); ++w) {
            uint64_t bits = words_[w];
            while (bits) {
                int b = __builtin_ctzll(bits);
                f(w * 64 + static_cast<size_t>(b));
                bits &= bits - 1;
            }
        }
    }

    std::vector<uint64_t>& words() { return words_; }
    const std::vector<uint64_t>& words() const { return words_; }
    /// Clears the bits past the size after a word-wise write.
    void trim();
    size_t memoryBytes() const { return words_.capacity() * sizeof(uint64_t); }

private:
    std::vector<uint64_t> words_;
    size_t size_ = 0;
};

} // namespace orvane
