// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/data/Expression.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class DataSet;
class RelationalDataRuleContext;

/// A display rule of a column: an ordered list of conditions on the cell's
/// value, each with an effect, an attribute bundle written into the cell:
/// fill colour (8), text colour (19), font (31 size, 32 family, 33 italic,
/// 34 bold, 52 underline), or an indicator (106 label, 107 value text, 108
/// indicator type, 109 icon).
///
/// A condition is an Expression in which the variable "value" is the cell's
/// value and any other name is the column of that name at the cell's row. A
/// condition may be limited to cells of given hierarchy levels and to (or
/// away from) the total cell. By default the first condition that holds gives
/// the effect; with all-matches, the effects of every holding condition are
/// merged in order (later ones win per attribute).
class ORVANE_HOST_EXPORT Rule : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 136;
    static constexpr const char* VALUE_VARIABLE = "value";

    enum class TotalScope { ANY, TOTALS_ONLY, EXCEPT_TOTALS };

    struct Condition {
        std::shared_ptr<Expression> expression;  ///< null: always holds
        std::shared_ptr<AttributeBundle> effect;
        std::vector<std::string> levels;  ///< every one must be a row or column level of the cell
        TotalScope totalScope = TotalScope::ANY;
    };

    static std::shared_ptr<Rule> create() { return std::make_shared<Rule>(); }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    void addCondition(Condition condition) { conditions_.push_back(std::move(condition)); }
    /// Adds a condition from its text ("value > 100"); false (with the reason
    /// logged) when the text does not parse.
    bool addCondition(const std::string& expressionText, const std::shared_ptr<AttributeBundle>& effect);
    void addCondition(const std::shared_ptr<Expression>& expression, const std::shared_ptr<AttributeBundle>& effect) {
        conditions_.push_back({expression, effect, {}, TotalScope::ANY});
    }
    const std::vector<Condition>& getConditions() const { return conditions_; }
    void clearConditions() { conditions_.clear(); }

    bool isAllMatches() const { return allMatches_; }
    void setAllMatches(bool all) { allMatches_ = all; }

    /// The effect for the cell (column, row) of the data set; null when no
    /// condition holds (or the cell is outside the data).
    std::shared_ptr<AttributeBundle> evaluate(const DataSet& dataSet, int column, int row,
                                              const RelationalDataRuleContext* context = nullptr) const;

private:
    std::vector<Condition> conditions_;
    bool allMatches_ = false;
};

} // namespace orvane
