// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/Rule.h"
#include "orvane/host/core/Wrappable.h"

// The cell record belongs to the display-list layer; it is a plain struct
// with no other dependency, included here by path so that the host does not
// need the display-list include directory.
#include "orvane/host/data/DataGridCellInfoStruct.h"

#include <map>
#include <memory>
#include <string>

namespace orvane {

class AttributeBundle;
class DataSet;
class RelationalDataRuleContext;

using displaylist::DataGridCellInfoStruct;

/// Applies the display rules of a table's columns to its cells. The grid calls
/// DisplayRuleCallback for each cell it draws; the base evaluates the rule of
/// the cell's data column at the cell's data row and writes the effect into
/// the cell record: fill colour (8), text colour (19), font family (32, when
/// not empty), font size (31, in pixels, times 0.75 in reduced-size mode),
/// italic (33 = 1), bold (34 = 1), underline (52 = 1). Attributes the effect
/// does not set leave the record as it was.
///
/// Tables and crosstabs derive from this class (as a virtual base) and map
/// their grid positions to data positions before calling the base.
class ORVANE_HOST_EXPORT DataGridDisplayRules : public virtual Wrappable {
public:
    explicit DataGridDisplayRules(std::string name = std::string()) : name_(std::move(name)) {}
    ~DataGridDisplayRules() override = default;

    const std::string& getName() const { return name_; }

    /// Rules by data column index.
    void setDisplayRules(std::map<int, std::shared_ptr<Rule>> rules) { rules_ = std::move(rules); }
    /// From any map-like container of (int, shared Rule) pairs.
    template <class Map>
    void setDisplayRulesFrom(Map& rules) {
        rules_.clear();
        for (auto& [column, rule] : rules)
            if (rule) rules_[column] = rule;
    }
    const std::map<int, std::shared_ptr<Rule>>& getRulesMap() const { return rules_; }
    void setDisplayRule(int column, const std::shared_ptr<Rule>& rule);
    std::shared_ptr<Rule> getDisplayRule(int column) const;

    virtual void setDataSet(const std::shared_ptr<DataSet>& dataSet) { dataSet_ = dataSet; }
    const std::shared_ptr<DataSet>& getDataSet() const { return dataSet_; }

    /// Reduced-size mode: font sizes are multiplied by 0.75 (pixels to points).
    bool isReducedSizeMode() const { return reducedSize_; }
    void setReducedSizeMode(bool reduced) { reducedSize_ = reduced; }

    /// Applies the rule of the data column at the data row to the record.
    virtual void DisplayRuleCallback(int column, int row, DataGridCellInfoStruct* info);
    /// The grid asks for a cell's text; nothing in the base.
    virtual void CellContentCallback(int column, int row, void* grid);
    /// Prepares the context before rules are evaluated for a cell. The base
    /// sets the data set, row and column; derived classes call it first.
    virtual void configureRuleContext(RelationalDataRuleContext& context, int row, int column);

    /// The effect of a rule on the cell (after configureRuleContext); null
    /// when no condition holds or without a data set.
    std::shared_ptr<AttributeBundle> applyRule(const std::shared_ptr<Rule>& rule, int column, int row);

    static void applyAttributesToCellInfo(const AttributeBundle& bundle, DataGridCellInfoStruct& info,
                                          bool reducedSize);

private:
    std::string name_;
    std::map<int, std::shared_ptr<Rule>> rules_;
    std::shared_ptr<DataSet> dataSet_;
    bool reducedSize_ = false;
};

} // namespace orvane
