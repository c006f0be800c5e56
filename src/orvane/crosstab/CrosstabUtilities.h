// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Crosstab;
class DataSet;
class DataTreeNode;
class DataValue;
class Expression;
class Hierarchy;
class HierarchyDataSet;
class Level;

/// Static helpers the crosstab classes share.
class ORVANE_EXPORT CrosstabUtilities {
public:
    /// The indices of the columns that are not suppressed, in order; empty for
    /// an empty or absent data set.
    static std::vector<int> getDisplayedColumnIndicies(const std::shared_ptr<DataSet>& cells);
    /// The cell column of a column crossing: the column leaf whose member
    /// labels (from the top of the column tree down) equal the tuple, and the
    /// measure of that name under it; -1 when there is none.
    /// The cell columns of the column leaf at that position (in leaf order,
    /// totals and subtotals included) that are not suppressed; empty when the
    /// position is outside the leaves.
    static std::vector<int> getVisibleColumnIndicies(const Crosstab& crosstab, int columnLeafIndex);

    // ---- re-applying saved drill and expand states
    /// One parsed state per hierarchy, in the order of the hierarchy data set
    /// (null entries leave that hierarchy as it is). Returns the drill count.
    static int applyDrillExpression(const std::shared_ptr<HierarchyDataSet>& hierarchyDataSet,
                                    const std::vector<std::shared_ptr<Expression>>& states);
    /// `"Level" in (v1, v2, ...)` from the node (the root when null): each
    /// value is read as the value of the level being drilled and drilled into.
    static int applyDrillExpression(Hierarchy& hierarchy, const std::shared_ptr<DataTreeNode>& node,
                                    const std::shared_ptr<Expression>& state);
    /// The same with the member values as texts.
    static int applyDrillExpression(Hierarchy& hierarchy, const std::shared_ptr<DataTreeNode>& node,
                                    const std::vector<std::string>& memberValues);
    /// Expands the path of members below the node (the root when null): the
    /// first text names a child of the node, the next one a child of that
    /// child, and so on. Stops at the first text that names no child. Returns
    /// the number of members on the path that were found (already expanded
    /// ones included).
    static int applyExpandExpression(Hierarchy& hierarchy, const std::shared_ptr<DataTreeNode>& node,
                                     const std::vector<std::string>& memberValues);
    /// The constant of an expression node read as a value of the level (a
    /// number or date through the level's format); null for anything else.
    static std::shared_ptr<DataValue> getDataValue(const Level& level, const std::shared_ptr<Expression>& value);

    static int getColumnIndexForTuple(const Crosstab& crosstab, const std::vector<std::string>& memberLabels,
                                      const std::string& measureName);
};

} // namespace orvane
