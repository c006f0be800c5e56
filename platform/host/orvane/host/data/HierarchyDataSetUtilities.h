// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class DataTreeNode;
class Expression;
class Hierarchy;
class HierarchyDataSet;

/// Saving and re-applying the drill state of hierarchies as expression text,
/// one text per hierarchy in the order of the hierarchy data set:
/// "Region" in ("East", "Berlin") drills the hierarchy whose current level is
/// Region into East, then into Berlin at the level below.
class ORVANE_HOST_EXPORT HierarchyDataSetUtilities {
public:
    /// Applies each text to the hierarchy at its position; an empty text leaves
    /// it as it is. Texts that do not parse, other expression forms and values
    /// that are no member are logged and skipped. Returns the number of drills.
    static int applyStateFromExpression(const std::shared_ptr<HierarchyDataSet>& hierarchyDataSet,
                                        const std::vector<std::string>& states);
    /// Applies one parsed drill state to the hierarchy: only `"Level" in (v1,
    /// v2, ...)` is used; each value is read as the value of the level being
    /// drilled and the hierarchy drilled into that member. With a node below
    /// the root, the hierarchy is first drilled into that node, so the values
    /// continue from it. Other forms are logged and ignored. Returns the number
    /// of drills.
    static int applyDrillExpression(Hierarchy& hierarchy, const std::shared_ptr<DataTreeNode>& node,
                                    const std::shared_ptr<Expression>& state);
    /// The drill state of the hierarchy as such a text ("" when not drilled).
    static std::string getStateExpression(const Hierarchy& hierarchy);
};

} // namespace orvane
