// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/DataTreeSortContext.h"

#include "orvane/host/data/Aggregation.h"
#include "orvane/host/data/DataSet.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <string>

namespace orvane {

void DataTreeSortContext::setSortedIndices(const std::shared_ptr<DataTreeNode>& node, std::vector<int> indices) {
    if (!node) return;
    explicit_[node.get()] = {node, std::make_shared<const std::vector<int>>(std::move(indices))};
}

void DataTreeSortContext::setLevelSortByLabel(const std::string& levelName, SortDirection::type direction) {
    levelSorts_[levelName] = LevelSort{std::string(), direction};
}

void DataTreeSortContext::setLevelSortByMeasure(const std::string& levelName, const std::string& measureName,
                                                SortDirection::type direction) {
    levelSorts_[levelName] = LevelSort{measureName, direction};
}

void DataTreeSortContext::clear() {
    explicit_.clear();
    levelSorts_.clear();
}

std::shared_ptr<const std::vector<int>> DataTreeSortContext::getSortedIndicesForDataTreeNode(
    const std::shared_ptr<DataTreeNode>& node) const {
    if (!node) return nullptr;
    auto it = explicit_.find(node.get());
    if (it != explicit_.end() && it->second.first.lock() == node) return it->second.second;
    const auto& children = node->getChildren();
    if (children.empty() || !children.front()->getLevelName()) return nullptr;
    auto ls = levelSorts_.find(*children.front()->getLevelName());
    if (ls == levelSorts_.end() || ls->second.direction == SortDirection::NONE) return nullptr;
    std::vector<int> order(children.size());
    std::iota(order.begin(), order.end(), 0);
    const bool descending = ls->second.direction == SortDirection::DESCENDING;
    if (ls->second.measure.empty()) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const auto& va = children[static_cast<size_t>(a)]->getDataValue();
            const auto& vb = children[static_cast<size_t>(b)]->getDataValue();
            int c = va && vb ? DataValue::compare(*va, *vb)
                             : children[static_cast<size_t>(a)]->getPresentableText().compare(
                                   children[static_cast<size_t>(b)]->getPresentableText());
            return descending ? c > 0 : c < 0;
        });
        return std::make_shared<const std::vector<int>>(std::move(order));
    }
    auto data = dataSet_.lock();
    auto column = data ? data->getColumnWithName(ls->second.measure) : nullptr;
    if (!column || !column->isNumeric()) return nullptr;
    std::vector<double> keys(children.size());
    std::vector<double> buffer;
    const auto& numbers = column->getNumbers();
    for (size_t i = 0; i < children.size(); ++i) {
        buffer.clear();
        for (int32_t r : children[i]->getSourceRows())
            if (static_cast<size_t>(r) < numbers.size()) buffer.push_back(numbers[static_cast<size_t>(r)]);
        keys[i] = Aggregation::compute(column->getAggregation(), buffer.data(), buffer.size());
    }
    // Missing aggregates go last in either direction.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        double ka = keys[static_cast<size_t>(a)], kb = keys[static_cast<size_t>(b)];
        if (std::isnan(ka) || std::isnan(kb)) return !std::isnan(ka) && std::isnan(kb);
        return descending ? ka > kb : ka < kb;
    });
    return std::make_shared<const std::vector<int>>(std::move(order));
}

std::vector<std::shared_ptr<DataTreeNode>> DataTreeSortContext::getOrderedChildren(
    const std::shared_ptr<DataTreeNode>& node) const {
    return orderedChildren(this, node);
}

std::vector<std::shared_ptr<DataTreeNode>> DataTreeSortContext::orderedChildren(
    const DataTreeSortContext* context, const std::shared_ptr<DataTreeNode>& node) {
    if (!node) return {};
    const auto& children = node->getChildren();
    auto indices = context ? context->getSortedIndicesForDataTreeNode(node) : nullptr;
    if (!indices) return children;
    std::vector<std::shared_ptr<DataTreeNode>> ordered;
    std::vector<uint8_t> used(children.size(), 0);
    const size_t n = std::min(indices->size(), children.size());
    for (size_t i = 0; i < n; ++i) {
        const int idx = (*indices)[i];
        if (idx < 0) throw std::out_of_range("sort index " + std::to_string(idx) + " outside the children");
        const auto& child = children.at(static_cast<size_t>(idx));
        if (used[static_cast<size_t>(idx)]) continue;
        used[static_cast<size_t>(idx)] = 1;
        ordered.push_back(child);
    }
    for (size_t i = 0; i < children.size(); ++i)
        if (!used[i]) ordered.push_back(children[i]);
    return ordered;
}

} // namespace orvane
