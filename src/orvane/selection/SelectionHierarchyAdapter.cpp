// SPDX-License-Identifier: Apache-2.0
#include "orvane/selection/SelectionHierarchyAdapter.h"

#include "orvane/host/data/Hierarchy.h"
#include "orvane/host/data/Level.h"

namespace orvane {

std::string SelectionHierarchyAdapter::getHierarchyName(const Hierarchy& hierarchy) const {
    const auto& name = hierarchy.getName();
    return name ? *name : std::string();
}

std::string SelectionHierarchyAdapter::getCurrentLevelName(const Hierarchy& hierarchy) const {
    const auto& levels = hierarchy.getLevels();
    const int k = hierarchy.getCurrentLevelIndex();
    if (k < 0 || static_cast<size_t>(k) >= levels.size() || !levels[k] || !levels[k]->getName()) return {};
    return *levels[k]->getName();
}

std::vector<std::string> SelectionHierarchyAdapter::getLevelNames(const Hierarchy& hierarchy) const {
    std::vector<std::string> out;
    for (const auto& level : hierarchy.getLevels())
        out.push_back(level && level->getName() ? *level->getName() : std::string());
    return out;
}

std::vector<SelectionHierarchyAdapter::DrillStep> SelectionHierarchyAdapter::getDrillPath(
    const Hierarchy& hierarchy) const {
    std::vector<DrillStep> out;
    const auto path = hierarchy.getDrillPath();
    const auto names = getLevelNames(hierarchy);
    for (size_t i = 0; i < path.size() && i < names.size(); ++i) out.push_back({names[i], path[i]});
    return out;
}

namespace {
std::shared_ptr<SelectionHierarchyAdapter>& current() {
    static std::shared_ptr<SelectionHierarchyAdapter> adapter = std::make_shared<SelectionHierarchyAdapter>();
    return adapter;
}
} // namespace

std::shared_ptr<SelectionHierarchyAdapter> SelectionHierarchyAdapter::get() { return current(); }

void SelectionHierarchyAdapter::set(std::shared_ptr<SelectionHierarchyAdapter> adapter) {
    current() = adapter ? std::move(adapter) : std::make_shared<SelectionHierarchyAdapter>();
}

} // namespace orvane
