// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/selection/SelectionController.h"

#include <memory>
#include <vector>

namespace orvane {

class Crosstab;
class CrosstabRenderer;
class Hierarchy;

/// Turns the selected cells of a crosstab into one Selection over its source
/// data set (each cell the AND of its members' level = value terms, the
/// cells OR-ed, AND the drill) and applies a Selection back onto the source
/// data set's row states. All-others members contribute no term.
class ORVANE_EXPORT CrosstabSelectionController : public SelectionController {
public:
    static std::shared_ptr<CrosstabSelectionController> create(const std::shared_ptr<CrosstabRenderer>& renderer);
    ~CrosstabSelectionController() override;

    std::shared_ptr<Crosstab> getCrosstab() const;
    /// The row and column hierarchies (those present).
    std::vector<std::shared_ptr<Hierarchy>> getHierarchies() const;

    SelectionList getSelections(const OptionsPtr& options) override;
    void applySelections(const SelectionList& selections, const OptionsPtr& options) override;
    void clearSelections() override;
    void populateDefaultDataNames(SelectionOptions& options) override;
    void populateDefaultVariables(SelectionOptions& options) override;
    /// The drilled levels equal to their drilled values; null when not drilled.
    std::shared_ptr<Expression> getDrillExpression() const;

private:
    CrosstabSelectionController() = default;
    std::weak_ptr<CrosstabRenderer> renderer_;
};

} // namespace orvane
