// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace orvane {

template <class K>
using comparator = std::less<K>;

/// A map kept in a vector, sorted lazily on the first lookup after an insertion.
/// Later insertions of an existing key win over earlier ones.
template <class K, class V, class Compare = comparator<K>>
class vector_map {
public:
    using value_type = std::pair<K, V>;

    void insert(const K& key, V value) {
        items_.emplace_back(key, std::move(value));
        sorted_ = false;
    }
    V& operator[](const K& key) {
        if (V* v = find(key)) return *v;
        items_.emplace_back(key, V());
        sorted_ = false;
        return *find(key);
    }
    // Null when absent.
    V* find(const K& key) {
        sort_if_needed();
        auto it = std::lower_bound(items_.begin(), items_.end(), key,
                                   [this](const value_type& p, const K& k) { return cmp_(p.first, k); });
        if (it != items_.end() && !cmp_(key, it->first)) return &it->second;
        return nullptr;
    }
    // The value for key, inserted default-constructed when absent.
    V& always_find(const K& key) { return (*this)[key]; }
    bool contains(const K& key) { return find(key) != nullptr; }
    size_t size() {
        sort_if_needed();
        return items_.size();
    }
    bool empty() const { return items_.empty(); }
    void clear() {
        items_.clear();
        sorted_ = true;
    }
    void sort_if_needed() {
        if (sorted_) return;
        // Stable, so that of equal keys the last inserted sorts last; keep it.
        std::stable_sort(items_.begin(), items_.end(),
                         [this](const value_type& a, const value_type& b) { return cmp_(a.first, b.first); });
        std::vector<value_type> unique;
        unique.reserve(items_.size());
        for (auto& p : items_) {
            if (!unique.empty() && !cmp_(unique.back().first, p.first))
                unique.back() = std::move(p);
            else
                unique.push_back(std::move(p));
        }
        items_ = std::move(unique);
        sorted_ = true;
    }
    typename std::vector<value_type>::iterator begin() {
        sort_if_needed();
        return items_.begin();
    }
    typename std::vector<value_type>::iterator end() {
        sort_if_needed();
        return items_.end();
    }

private:
    std::vector<value_type> items_;
    bool sorted_ = true;
    Compare cmp_;
};

} // namespace orvane
