#include "orvane/selection/SelectionHierarchyAdapter.h"

namespace orvane {

std::string SelectionHierarchyAdapter::getHierarchyName(const Hierarchy&) const { return {}; }

std::string SelectionHierarchyAdapter::getCurrentLevelName(const Hierarchy&) const { return {}; }

std::vector<std::string> SelectionHierarchyAdapter::getLevelNames(const Hierarchy&) const { return {}; }

std::vector<SelectionHierarchyAdapter::DrillStep> SelectionHierarchyAdapter::getDrillPath(const Hierarchy&) const {
    return {};
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
