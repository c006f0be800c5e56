// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/properties/vector_map.h"

#include <memory>
#include <vector>

namespace orvane {

class CrosstabLevelInfo;
class DataGridColumnInfo;
class Rule;

/// Per-column information of tables and crosstabs: column records by data
/// column, row and column level records (crosstabs), and the display order of
/// reordered columns. Announces CONTENT_CHANGED when records are stored.
class ORVANE_EXPORT GridColumnInfoManager : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10042;
    static constexpr int CONTENT_CHANGED = 20042;
    using ColumnInfoMap = vector_map<int, std::shared_ptr<DataGridColumnInfo>>;
    using LevelInfoMap = vector_map<int, std::shared_ptr<CrosstabLevelInfo>>;

    static std::shared_ptr<GridColumnInfoManager> create() { return std::make_shared<GridColumnInfoManager>(); }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    void setColumnInfo(int column, const std::shared_ptr<DataGridColumnInfo>& info);
    std::shared_ptr<DataGridColumnInfo> getColumnInfo(int column);
    std::shared_ptr<DataGridColumnInfo> getOrCreateColumnInfo(int column);
    void setDisplayRule(int column, const std::shared_ptr<Rule>& rule, bool notify = true);
    std::shared_ptr<Rule> getDisplayRule(int column);
    std::shared_ptr<ColumnInfoMap> getMapOfColumnInfo() { return std::shared_ptr<ColumnInfoMap>(shared_from_this(), &columns_); }
    /// Key -> rule of every record with a display rule; null without any record.
    std::shared_ptr<vector_map<int, std::shared_ptr<Rule>>> getRulesMap();

    void setReorderedColumnIndicies(std::shared_ptr<std::vector<int>> indices) { reordered_ = std::move(indices); }
    std::shared_ptr<std::vector<int>> getReorderedColumnIndicies() const { return reordered_; }
    void resetColumnsWidth();

    void setRowLevelInfo(int level, const std::shared_ptr<CrosstabLevelInfo>& info);
    void setColumnLevelInfo(int level, const std::shared_ptr<CrosstabLevelInfo>& info);
    std::shared_ptr<CrosstabLevelInfo> getRowLevelInfo(int level);
    std::shared_ptr<CrosstabLevelInfo> getColumnLevelInfo(int level);

    /// Every column record in key order (for writing documents).
    std::vector<std::shared_ptr<DataGridColumnInfo>> getColumnInfos();

private:
    int keyFor(int column) const;
    void changed();

    ColumnInfoMap columns_;
    LevelInfoMap rowLevels_;
    LevelInfoMap columnLevels_;
    std::shared_ptr<std::vector<int>> reordered_;
};

} // namespace orvane
