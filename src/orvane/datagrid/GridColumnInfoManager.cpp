// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/GridColumnInfoManager.h"

#include "orvane/host/data/Rule.h"
#include "orvane/crosstab/CrosstabLevelInfo.h"
#include "orvane/datagrid/DataGridColumnInfo.h"

namespace orvane {

int GridColumnInfoManager::keyFor(int column) const {
    if (reordered_ && column >= 0 && static_cast<size_t>(column) < reordered_->size())
        return (*reordered_)[static_cast<size_t>(column)];
    return column;
}

void GridColumnInfoManager::changed() {
    if (wouldDeliver(CONTENT_CHANGED)) dispatchEvent(PortableEvent::create(CONTENT_CHANGED));
}

void GridColumnInfoManager::setColumnInfo(int column, const std::shared_ptr<DataGridColumnInfo>& info) {
    columns_.insert(keyFor(column), info);
    changed();
}

std::shared_ptr<DataGridColumnInfo> GridColumnInfoManager::getColumnInfo(int column) {
    if (columns_.empty()) return nullptr;
    auto* v = columns_.find(keyFor(column));
    return v ? *v : nullptr;
}

std::shared_ptr<DataGridColumnInfo> GridColumnInfoManager::getOrCreateColumnInfo(int column) {
    if (auto info = getColumnInfo(column)) return info;
    auto info = DataGridColumnInfo::create();
    info->columnIndex.set(column);
    setColumnInfo(column, info);
    return info;
}

void GridColumnInfoManager::setDisplayRule(int column, const std::shared_ptr<Rule>& rule, bool notify) {
    int key = keyFor(column);
    auto* v = columns_.find(key);
    if (!v || !*v) {
        auto info = DataGridColumnInfo::create();
        info->columnIndex.set(key);
        info->displayRule.set(rule);
        columns_.insert(key, info);
    } else {
        (*v)->displayRule.set(rule);
    }
    if (notify) changed();
}

std::shared_ptr<Rule> GridColumnInfoManager::getDisplayRule(int column) {
    auto info = getColumnInfo(column);
    return info ? info->displayRule.get() : nullptr;
}

std::shared_ptr<vector_map<int, std::shared_ptr<Rule>>> GridColumnInfoManager::getRulesMap() {
    if (columns_.empty()) return nullptr;
    auto out = std::make_shared<vector_map<int, std::shared_ptr<Rule>>>();
    for (auto& [key, info] : columns_)
        if (info && info->displayRule.get()) out->insert(key, info->displayRule.get());
    return out;
}

void GridColumnInfoManager::resetColumnsWidth() {
    for (auto& [key, info] : columns_)
        if (info) info->columnWidth.set(-1);
}

void GridColumnInfoManager::setRowLevelInfo(int level, const std::shared_ptr<CrosstabLevelInfo>& info) {
    rowLevels_.insert(level, info);
    changed();
}

void GridColumnInfoManager::setColumnLevelInfo(int level, const std::shared_ptr<CrosstabLevelInfo>& info) {
    columnLevels_.insert(level, info);
    changed();
}

std::shared_ptr<CrosstabLevelInfo> GridColumnInfoManager::getRowLevelInfo(int level) {
    auto* v = rowLevels_.find(level);
    return v ? *v : nullptr;
}

std::shared_ptr<CrosstabLevelInfo> GridColumnInfoManager::getColumnLevelInfo(int level) {
    auto* v = columnLevels_.find(level);
    return v ? *v : nullptr;
}

std::vector<std::shared_ptr<DataGridColumnInfo>> GridColumnInfoManager::getColumnInfos() {
    std::vector<std::shared_ptr<DataGridColumnInfo>> out;
    for (auto& [key, info] : columns_)
        if (info) out.push_back(info);
    return out;
}

} // namespace orvane
