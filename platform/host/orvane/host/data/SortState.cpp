// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/SortState.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/data/DataSet.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numeric>

namespace orvane {

namespace {

constexpr const char* kSource = "host/SortState";

// Order-preserving unsigned image of a double; NaN (missing) is 0, below all.
inline uint64_t numberKey(double v) {
    if (v != v) return 0;
    if (v == 0) v = 0;  // -0 ties with 0
    uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return (b >> 63) ? ~b : (b | 0x8000000000000000ull);
}

// Keys of one column for every data row; descending keys are inverted except
// for missing values, which stay first.
std::vector<uint64_t> columnKeys(const Column& column, bool descending, size_t n) {
    std::vector<uint64_t> keys(n);
    if (column.isNumeric()) {
        const double* x = column.getNumbers().data();
        for (size_t i = 0; i < n; ++i) {
            uint64_t k = numberKey(x[i]);
            keys[i] = descending && k ? ~k : k;
        }
    } else {
        const auto& ranks = column.getCollationRanks();
        const uint32_t* codes = column.getCodes().data();
        for (size_t i = 0; i < n; ++i) {
            uint32_t c = codes[i];
            uint64_t k = c == 0 ? 0 : uint64_t(ranks[c]) + 1;
            keys[i] = descending && k ? (0xffffffffull - k + 1) : k;
        }
    }
    return keys;
}

// Stable LSD radix sort of perm by keys[perm[i]], 11 bits per pass; passes in
// which every key has the same digit are skipped.
void radixSortBy(std::vector<unsigned>& perm, const std::vector<uint64_t>& keys) {
    size_t n = perm.size();
    constexpr int kBits = 11, kPasses = 6;
    constexpr size_t kBuckets = size_t(1) << kBits;
    std::vector<uint64_t> k(n), k2(n);
    std::vector<unsigned> p2(n);
    for (size_t i = 0; i < n; ++i) k[i] = keys[perm[i]];
    std::vector<std::array<uint32_t, kBuckets>> hist(kPasses);
    for (auto& h : hist) h.fill(0);
    for (size_t i = 0; i < n; ++i)
        for (int p = 0; p < kPasses; ++p) ++hist[static_cast<size_t>(p)][(k[i] >> (p * kBits)) & (kBuckets - 1)];
    for (int p = 0; p < kPasses; ++p) {
        auto& h = hist[static_cast<size_t>(p)];
        if (h[(k[0] >> (p * kBits)) & (kBuckets - 1)] == n) continue;  // one digit for all: nothing to do
        uint32_t sum = 0;
        for (auto& c : h) {
            uint32_t t = c;
            c = sum;
            sum += t;
        }
        for (size_t i = 0; i < n; ++i) {
            uint32_t at = h[(k[i] >> (p * kBits)) & (kBuckets - 1)]++;
            k2[at] = k[i];
            p2[at] = perm[i];
        }
        k.swap(k2);
        perm.swap(p2);
    }
}

} // namespace

const std::vector<std::shared_ptr<SortContext>>& SortState::getRelationalSortsForAxis(int axis) const {
    static const std::vector<std::shared_ptr<SortContext>> none;
    auto it = axes_.find(axis);
    return it == axes_.end() ? none : it->second;
}

void SortState::setRelationalSortForAxis(int axis, const std::shared_ptr<SortContext>& context, bool keepOthers) {
    if (!context) return;
    auto& list = axes_[axis];
    if (!keepOthers) {
        list = {context};
        return;
    }
    for (auto& c : list) {
        if (c == context) return;
        const auto& a = c->getColumnName();
        const auto& b = context->getColumnName();
        if ((a && b && *a == *b) || (!a && !b)) {
            c = context;
            return;
        }
    }
    list.push_back(context);
}

void SortState::clearRelationalSortsForAxis(int axis) { axes_.erase(axis); }

void SortState::computeRelationalSortMap(const std::shared_ptr<DataSet>& dataSet) {
    if (!dataSet) {
        indices_.reset();
        return;
    }
    computeRelationalSortMap(*dataSet);
}

void SortState::computeRelationalSortMap(const DataSet& dataSet) {
    indices_ = std::make_shared<std::vector<unsigned>>(sortRows(dataSet, getRelationalSortsForAxis(0)));
}

std::vector<unsigned> SortState::sortRows(const DataSet& dataSet,
                                          const std::vector<std::shared_ptr<SortContext>>& contexts) {
    std::vector<unsigned> perm(dataSet.getRowCount());
    std::iota(perm.begin(), perm.end(), 0u);
    return sortRows(dataSet, contexts, std::move(perm));
}

std::vector<unsigned> SortState::sortRows(const DataSet& dataSet,
                                          const std::vector<std::shared_ptr<SortContext>>& contexts,
                                          std::vector<unsigned> perm) {
    size_t n = dataSet.getRowCount();
    perm.erase(std::remove_if(perm.begin(), perm.end(), [n](unsigned r) { return r >= n; }), perm.end());
    if (perm.size() < 2) return perm;
    // Least significant key first: each stable pass keeps the order of the later keys among ties.
    for (auto it = contexts.rbegin(); it != contexts.rend(); ++it) {
        const auto& c = *it;
        if (!c || c->getDirection() == SortDirection::NONE) continue;
        auto column = c->getColumnName() ? dataSet.getColumnWithName(*c->getColumnName()) : nullptr;
        if (!column) {
            ORVANE_LOG(CLog::ERRORS, kSource,
                       "sort by unknown column " + (c->getColumnName() ? *c->getColumnName() : std::string("(none)")) +
                           " ignored");
            continue;
        }
        radixSortBy(perm, columnKeys(*column, c->getDirection() == SortDirection::DESCENDING, n));
    }
    return perm;
}

} // namespace orvane
