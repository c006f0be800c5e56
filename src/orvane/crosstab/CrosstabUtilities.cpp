// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabUtilities.h"

#include "orvane/crosstab/Crosstab.h"
#include "orvane/view/DisplayTreeNode.h"

namespace orvane {

std::vector<int> CrosstabUtilities::getDisplayedColumnIndicies(const std::shared_ptr<DataSet>& cells) {
    std::vector<int> out;
    if (!cells) return out;
    for (size_t i = 0; i < cells->getColumnCount(); ++i)
        if (!cells->getColumn(static_cast<int>(i))->isSuppressed()) out.push_back(static_cast<int>(i));
    return out;
}

int CrosstabUtilities::getColumnIndexForTuple(const Crosstab& crosstab, const std::vector<std::string>& memberLabels,
                                              const std::string& measureName) {
    auto cells = crosstab.dataSet.get();
    auto root = crosstab.columnDataTreeNode.get();
    const int M = crosstab.numberOfMeasures.get();
    if (!cells || M <= 0) return -1;
    // Without a column tree there is one leaf: the measures themselves.
    std::vector<std::shared_ptr<DataTreeNode>> leaves;
    if (root) {
        for (auto& l : root->getDepthFirstListOfAllLeafNodesUnderThisNode())
            if (l != root) leaves.push_back(l);
    }
    auto measureAt = [&](size_t leaf) -> int {
        for (int m = 0; m < M; ++m) {
            const int c = static_cast<int>(leaf) * M + m;
            auto col = cells->getColumn(c);
            if (col && *col->getMeasureName() == measureName) return c;
        }
        return -1;
    };
    if (leaves.empty()) return memberLabels.empty() ? measureAt(0) : -1;
    for (size_t i = 0; i < leaves.size(); ++i) {
        auto* d = dynamic_cast<DisplayTreeNode*>(leaves[i].get());
        if (!d || d->getNodeType() != NodeType::NONE) continue;
        auto path = leaves[i]->getUniqueNodePath();
        if (path.size() != memberLabels.size()) continue;
        bool same = true;
        for (size_t k = 0; k < path.size() && same; ++k) same = path[k]->getPresentableText() == memberLabels[k];
        if (same) return measureAt(i);
    }
    return -1;
}

} // namespace orvane
