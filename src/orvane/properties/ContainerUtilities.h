// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <algorithm>
#include <memory>
#include <vector>

namespace orvane {

/// Small helpers over shared vectors used throughout the library.
class ORVANE_EXPORT ContainerUtilities {
public:
    /// Appends a non-null item to `out`, creating `out` on first use.
    template <class T>
    static void collect(std::shared_ptr<std::vector<T>>& out, const T& item) {
        if (!item) return;
        if (!out) out = std::make_shared<std::vector<T>>();
        out->push_back(item);
    }
    /// Appends all of a non-empty vector; an empty `out` becomes a copy.
    template <class T>
    static void collect_all(std::shared_ptr<std::vector<T>>& out, const std::shared_ptr<std::vector<T>>& items) {
        if (!items || items->empty()) return;
        if (!out) {
            out = std::make_shared<std::vector<T>>(*items);
            return;
        }
        out->insert(out->end(), items->begin(), items->end());
    }
    template <class T>
    static std::vector<T> flatten(const std::vector<std::vector<T>>& vv) {
        std::vector<T> out;
        size_t n = 0;
        for (const auto& v : vv) n += v.size();
        out.reserve(n);
        for (const auto& v : vv) out.insert(out.end(), v.begin(), v.end());
        return out;
    }
    template <class C, class T>
    static bool contains(const C& c, const T& item) {
        return std::find(std::begin(c), std::end(c), item) != std::end(c);
    }
    template <class C, class P>
    static bool any_of(const C& c, P pred) {
        return std::any_of(std::begin(c), std::end(c), pred);
    }
};

} // namespace orvane
