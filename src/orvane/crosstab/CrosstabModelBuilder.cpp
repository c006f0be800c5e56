// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabModelBuilder.h"

#include "orvane/crosstab/CrosstabUtilities.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/HierarchyDataSetUtilities.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/view/DisplayTreeNode.h"

#include <algorithm>
#include <iostream>
#include <unicode/unistr.h>

namespace orvane {

namespace {

constexpr const char* kSource = "CrosstabModelBuilder";

std::vector<std::string> names(const std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>& v) {
    std::vector<std::string> out;
    if (v)
        for (const auto& s : v->items())
            if (s) out.push_back(*s);
    return out;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return icu::UnicodeString::fromUTF8(a).foldCase().compare(icu::UnicodeString::fromUTF8(b).foldCase()) == 0;
}

} // namespace

CrosstabModelBuilder::CrosstabModelBuilder()
    : showRowTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      showRowSubTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      showColumnTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      showColumnSubTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      showSummaryOnTop(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      showMissingLabelAsBlank(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      aggregateData(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)),
      regenerateData(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 7)) {
    regenerateData.setDefault(true);
}

CrosstabModelBuilder::~CrosstabModelBuilder() {
    if (dataSet_ && dataListener_) dataSet_->removeEventListener(DataSet::CHANGED, dataListener_);
}

std::shared_ptr<CrosstabModelBuilder> CrosstabModelBuilder::create() {
    auto m = std::make_shared<CrosstabModelBuilder>();
    m->initialize();
    return m;
}

std::shared_ptr<CrosstabModelBuilder> CrosstabModelBuilder::create(const std::shared_ptr<DataSet>& dataSet) {
    auto m = create();
    m->setDataSet(dataSet);
    return m;
}

std::shared_ptr<CrosstabModelBuilder> CrosstabModelBuilder::create(const std::shared_ptr<DataSet>& dataSet,
                                                                   const std::shared_ptr<Crosstab>& crosstab) {
    auto m = create(dataSet);
    m->crosstab_ = crosstab;
    return m;
}

std::shared_ptr<CrosstabModelBuilder> CrosstabModelBuilder::create(const std::shared_ptr<DataSet>& dataSet,
                                                                   const std::string& rowHierarchyName,
                                                                   const std::string& columnHierarchyName,
                                                                   const std::vector<std::string>& rowMemberNames,
                                                                   const std::vector<std::string>& columnMemberNames,
                                                                   const std::vector<std::string>& measureNames) {
    auto m = create(dataSet);
    m->rowHierarchyName_ = rowHierarchyName;
    m->columnHierarchyName_ = columnHierarchyName;
    m->rowMemberNames_ = rowMemberNames;
    m->columnMemberNames_ = columnMemberNames;
    m->measureNames_ = measureNames;
    return m;
}

std::shared_ptr<CrosstabModelBuilder> CrosstabModelBuilder::create(const std::shared_ptr<HierarchyDataSet>& hds,
                                                                   const std::shared_ptr<Crosstab>& crosstab) {
    auto m = create();
    m->crosstab_ = crosstab;
    if (!hds) return m;
    m->hierarchyDataSet_ = hds;
    m->setDataSet(hds->getDataSet());
    const auto& hs = hds->getHierarchies();
    if (!hs.empty()) m->rowHierarchyName_ = *hs[0]->getName();
    if (hs.size() >= 2) m->columnHierarchyName_ = *hs[1]->getName();
    m->measureNames_ = hds->getMeasureNames();
    return m;
}

void CrosstabModelBuilder::setDataSet(const std::shared_ptr<DataSet>& dataSet) {
    if (dataSet_ == dataSet) return;
    if (dataSet_ && dataListener_) dataSet_->removeEventListener(DataSet::CHANGED, dataListener_);
    dataSet_ = dataSet;
    if (!dataSet_) return;
    if (!dataListener_) {
        std::weak_ptr<CrosstabModelBuilder> self = sharedAs<CrosstabModelBuilder>();
        dataListener_ = FunctionEventCallback::create([self](const std::shared_ptr<PortableEvent>&) {
            if (auto b = self.lock()) b->dataChanged();
        });
    }
    dataSet_->addEventListener(DataSet::CHANGED, dataListener_);
}

void CrosstabModelBuilder::dataChanged() {
    // A change caused by the build itself (or by a listener it triggered)
    // does not start another build.
    if (building_ || !crosstab_) return;
    const bool regenerate = regenerateData.get();
    if (!regenerate) regenerateData.set(true);
    build();
    if (!regenerate) regenerateData.set(false);
}

void CrosstabModelBuilder::setRowMemberNames(std::vector<std::string> n, bool actionEnabled) {
    rowMemberNames_ = std::move(n);
    rowActionEnabled_ = actionEnabled;
}
void CrosstabModelBuilder::setColumnMemberNames(std::vector<std::string> n, bool actionEnabled) {
    columnMemberNames_ = std::move(n);
    columnActionEnabled_ = actionEnabled;
}
void CrosstabModelBuilder::setRowLevels(std::vector<std::shared_ptr<Level>> l, bool actionEnabled) {
    rowLevels_ = std::move(l);
    rowActionEnabled_ = actionEnabled;
}
void CrosstabModelBuilder::setColumnLevels(std::vector<std::shared_ptr<Level>> l, bool actionEnabled) {
    columnLevels_ = std::move(l);
    columnActionEnabled_ = actionEnabled;
}

std::vector<std::string> CrosstabModelBuilder::getMeasureNames() const {
    if (!measureNames_.empty() || !dataSet_) return measureNames_;
    std::vector<std::string> out;
    for (const auto& c : dataSet_->getNumberColumns())
        if (!c->isDateTime()) out.push_back(*c->getName());
    return out;
}

std::string CrosstabModelBuilder::totalLabel() {
    auto s = ResourceManager::getString("ketra_orvane", "total.txt");
    return s ? *s : std::string("Total");
}

std::string CrosstabModelBuilder::subtotalLabel() {
    auto s = ResourceManager::getString("ketra_orvane", "subTotal.txt");
    return s ? *s : std::string("Subtotal");
}

int CrosstabModelBuilder::getDisplayedColumnIndex(int position) const {
    if (position < 0 || static_cast<size_t>(position) >= displayedColumnIndices_.size()) return -1;
    return displayedColumnIndices_[static_cast<size_t>(position)];
}

int CrosstabModelBuilder::getNonCollapsedTreeNodeDepth(const std::shared_ptr<DataTreeNode>& node, int depth) {
    if (!node) return 0;
    if (node->isCollapsed()) return depth;
    int best = depth;
    for (const auto& c : node->getChildren()) best = std::max(best, getNonCollapsedTreeNodeDepth(c, depth + 1));
    return best;
}

std::shared_ptr<Hierarchy> CrosstabModelBuilder::createHierarchy(int axis, const std::vector<std::string>& measures) const {
    const auto& levels = axis == 1 ? rowLevels_ : columnLevels_;
    const auto& members = axis == 1 ? rowMemberNames_ : columnMemberNames_;
    const std::string name = axis == 1 ? getRowHierarchyName() : getColumnHierarchyName();
    if (!levels.empty()) return Hierarchy::create(name, levels, measures);
    if (!members.empty()) return Hierarchy::create(name, members, dataSet_, measures);
    return nullptr;
}

bool CrosstabModelBuilder::applyRanking(const std::shared_ptr<Hierarchy>& h, const std::vector<std::string>& ranked) const {
    bool changed = false;
    for (const auto& n : ranked) {
        auto l = h->getLevelForName(n);
        if (!l) continue;
        const int limit = rankLimit_ > 0 ? rankLimit_ : l->getRankLimit();
        const std::string& measure = rankMeasureName_.empty() ? l->getRankMeasureName() : rankMeasureName_;
        // Only a limit changes the members; the flag alone is a display hint.
        changed |= limit > 0 && (!l->isRanked() || l->getRankLimit() != limit || l->getRankMeasureName() != measure);
        l->setRanked(true);
        l->setRankLimit(limit);
        l->setRankMeasureName(measure);
    }
    return changed;
}

void CrosstabModelBuilder::applyOmittedSubtotals(const std::shared_ptr<Hierarchy>& h, bool showSubtotal,
                                                 bool showTotal) const {
    if (!h || h->getLevels().empty()) return;
    const auto& L = h->getLevels();
    const auto k = static_cast<size_t>(std::min<int>(h->getCurrentLevelIndex(), static_cast<int>(L.size()) - 1));
    L[k]->setOmitSubtotal(!showTotal);
    for (size_t i = k + 1; i < L.size(); ++i) L[i]->setOmitSubtotal(!showSubtotal);
    if (showSubtotal) {
        for (const auto& n : omitted_) {
            for (size_t i = 0; i < L.size(); ++i) {
                if (!equalsIgnoringCase(*L[i]->getName(), n)) continue;
                if (i + 1 < L.size() && i != k) L[i + 1]->setOmitSubtotal(true);
                break;
            }
        }
    }
    if (k + 1 == L.size()) L[k]->setOmitSubtotal(!showTotal);
}

std::shared_ptr<DisplayTreeNode> CrosstabModelBuilder::getDisplayTreeNode(const std::shared_ptr<DataTreeNode>& dataNode,
                                                                          NodeType::type type) const {
    int span = static_cast<int>(measureCount_);
    std::string label;
    if (type == NodeType::NONE || type == NodeType::SUBTOTAL) {
        auto v = dataNode->getDataValue();
        label = showMissingLabelAsBlank.get() && v && v->isMissing() ? std::string() : dataNode->getPresentableText();
    }
    if (type == NodeType::SUBTOTAL) {
        span -= static_cast<int>(suppressedSubtotalCount_);
        label = prefixSubtotalLabel_ ? subtotalLabel() + " " + label : label + " ";
    } else if (type == NodeType::TOTAL) {
        span -= static_cast<int>(suppressedTotalCount_);
        label = totalLabel();
    }
    auto node = DisplayTreeNode::create(label, dataNode->getDataValue());
    node->setCollapsed(dataNode->isCollapsed());
    node->setNodeType(type);
    node->setDataTreeNode(dataNode);
    node->setSpan(span);
    return node;
}

void CrosstabModelBuilder::initDisplayTreeNodes(const std::shared_ptr<DataTreeNode>& parent,
                                                const std::shared_ptr<DataTreeNode>& dataNode,
                                                const std::shared_ptr<Hierarchy>& h, bool showTotal, bool showSubtotal,
                                                bool top, int levelIndex, bool isRoot) {
    if (isRoot && showTotal && top) parent->addChild(getDisplayTreeNode(dataNode, NodeType::TOTAL));
    const auto& L = h->getLevels();
    for (const auto& c : DataTreeSortContext::orderedChildren(sortContext_.get(), dataNode)) {
        // The subtotal of a member is governed by the level below it.
        const bool sub = showSubtotal && c->hasChildren() && !c->isCollapsed() &&
                         static_cast<size_t>(levelIndex + 1) < L.size() &&
                         !L[static_cast<size_t>(levelIndex + 1)]->isOmitSubtotal();
        if (sub && top) parent->addChild(getDisplayTreeNode(c, NodeType::SUBTOTAL));
        auto node = getDisplayTreeNode(c, NodeType::NONE);
        parent->addChild(node);
        if (!c->isCollapsed()) initDisplayTreeNodes(node, c, h, showTotal, showSubtotal, top, levelIndex + 1, false);
        if (sub && !top) parent->addChild(getDisplayTreeNode(c, NodeType::SUBTOTAL));
    }
    if (isRoot && showTotal && !top) parent->addChild(getDisplayTreeNode(dataNode, NodeType::TOTAL));
}

std::vector<std::shared_ptr<Level>> CrosstabModelBuilder::getDisplayedLevels(const std::shared_ptr<Hierarchy>& h) const {
    if (!h) return {};
    auto levels = h->getLevelsDown();
    if (dataSet_ && dataSet_->getCutLevelsAtExpandedDepth()) {
        const auto d = static_cast<size_t>(getNonCollapsedTreeNodeDepth(h->getExpandedState(), 0));
        if (levels.size() > d) levels.resize(d);
    }
    return levels;
}

void CrosstabModelBuilder::generateStyleChains(const std::shared_ptr<Style>& style, bool force) {
    if (!crosstab_) return;
    auto chain = [&](Property<std::shared_ptr<StyleChain>>& p, std::vector<int> ids) {
        if (force || !p.get()) p.set(StyleChain::create(style, ids));
    };
    chain(crosstab_->rowHeaderStyle, {269, 307});
    chain(crosstab_->columnHeaderStyle, {284, 270, 266, 307});
    chain(crosstab_->measureHeaderStyle, {273, 284, 307});
    chain(crosstab_->tableStyle, {282, 283, 265, 307});
    chain(crosstab_->subtotalStyle, {286, 275, 307});
    chain(crosstab_->totalStyle, {285, 307});
    chain(crosstab_->rowHeaderLabelStyle, {271, 269, 307});
    chain(crosstab_->columnHeaderLabelStyle, {272, 270, 307});
    chain(crosstab_->scrollbarStyle, {297, 295, 307});
}

void CrosstabModelBuilder::updateStyle(const std::shared_ptr<Style>& style) {
    style_ = style;
    if (!crosstab_) return;
    crosstab_->style.set(style);
    generateStyleChains(style, true);
}

std::shared_ptr<Crosstab> CrosstabModelBuilder::build() {
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(building_);
    if (!crosstab_) crosstab_ = Crosstab::create();
    if (style_) updateStyle(style_);
    if (!dataSet_) return crosstab_;
    const auto measures = getMeasureNames();
    measureCount_ = measures.size();
    const bool regenerate = regenerateData.get();

    // 2. The hierarchy data set (kept on the crosstab for the renderer and
    // the display rules).
    if (!hierarchyDataSet_) {
        std::vector<std::shared_ptr<Hierarchy>> hs;
        if (auto r = createHierarchy(1, measures)) {
            applyRanking(r, rankedRow_);
            hs.push_back(r);
        }
        if (auto c = createHierarchy(2, measures)) {
            applyRanking(c, rankedColumn_);
            hs.push_back(c);
        }
        hierarchyDataSet_ = HierarchyDataSet::create(regenerate ? nullptr : dataSet_, hs, measures);
    } else {
        crosstab_->sourceDataSet.set(hierarchyDataSet_->getDataSet());
    }
    hierarchyDataSet_->setCrosstabDataSet(true);
    crosstab_->hierarchyDataSet.set(hierarchyDataSet_);

    // Ranked levels are set before the trees are made: a rank limit decides
    // which members the trees hold. A ranking that changed rebuilds the trees
    // even when the data is not regenerated (their members change).
    bool rankingChanged = false;
    if (auto h = hierarchyDataSet_->getHierarchyForName(getRowHierarchyName())) rankingChanged |= applyRanking(h, rankedRow_);
    if (auto h = hierarchyDataSet_->getHierarchyForName(getColumnHierarchyName()))
        rankingChanged |= applyRanking(h, rankedColumn_);

    // 3-4. Saved states, regeneration.
    const bool applyStates = !hierarchyStates_.empty() && !hierarchyDataSet_->getHierarchies().empty();
    if (applyStates) HierarchyDataSetUtilities::applyStateFromExpression(hierarchyDataSet_, hierarchyStates_);
    if (regenerate) {
        hierarchyDataSet_->setDataSet(DataSet::create(), aggregateData.get(), false);
        hierarchyDataSet_->setDataSet(dataSet_, aggregateData.get(), false);
        if (applyStates) HierarchyDataSetUtilities::applyStateFromExpression(hierarchyDataSet_, hierarchyStates_);
    } else if (!hierarchyDataSet_->getDataSet() || rankingChanged) {
        hierarchyDataSet_->setDataSet(hierarchyDataSet_->getDataSet() ? hierarchyDataSet_->getDataSet() : dataSet_,
                                      aggregateData.get(), false);
        if (applyStates) HierarchyDataSetUtilities::applyStateFromExpression(hierarchyDataSet_, hierarchyStates_);
    }

    // 5. Indented view.
    if (crosstab_->indentedViewMode.get()) {
        showSummaryOnTop.set(true);
        prefixSubtotalLabel_ = false;
    } else {
        prefixSubtotalLabel_ = true;
    }
    const bool top = showSummaryOnTop.get();

    // 6. Effective totals.
    const auto supTotal = names(crosstab_->suppressedTotalMeasureNames.get());
    const auto supSub = names(crosstab_->suppressedSubtotalMeasureNames.get());
    suppressedTotalCount_ = supTotal.size();
    suppressedSubtotalCount_ = supSub.size();
    const size_t M = measures.size();
    const bool totalsShown = supTotal.empty() || supTotal.size() != M;
    const bool subtotalsShown = supSub.empty() || supSub.size() != M;
    const bool rowTotal = showRowTotal.get() && totalsShown, rowSub = showRowSubTotal.get() && subtotalsShown;
    const bool colTotal = showColumnTotal.get() && totalsShown, colSub = showColumnSubTotal.get() && subtotalsShown;
    hierarchyDataSet_->setSuppressMeasureSubtotalColumnNames(supSub);
    hierarchyDataSet_->setSuppressMeasureTotalColumnNames(supTotal);

    // 7-8. Hierarchies and display trees.
    auto rowH = hierarchyDataSet_->getHierarchyForName(getRowHierarchyName());
    auto colH = hierarchyDataSet_->getHierarchyForName(getColumnHierarchyName());
    // A name that was set but matches no hierarchy is an author mistake
    // (logged once); the axis is left without a tree.
    for (const auto* name : {&rowHierarchyName_, &columnHierarchyName_}) {
        if (name->empty() || hierarchyDataSet_->getHierarchyForName(*name) ||
            std::find(reported_.begin(), reported_.end(), *name) != reported_.end())
            continue;
        reported_.push_back(*name);
        ORVANE_LOG(CLog::ERRORS, kSource, "no hierarchy named " + *name);
    }
    auto axis = [&](const std::shared_ptr<Hierarchy>& h, const std::vector<std::string>& ranked, bool total, bool sub,
                    bool actionEnabled, Property<std::shared_ptr<DataTreeNode>>& out) {
        if (!h) {
            out.set(nullptr);
            return;
        }
        applyRanking(h, ranked);
        applyOmittedSubtotals(h, sub, total);
        auto root = h->getExpandedState();
        if (!root) {
            out.set(nullptr);
            return;
        }
        if (!actionEnabled && regenerate) root->expandAll();
        auto displayRoot = DisplayTreeNode::create(*h->getName());
        initDisplayTreeNodes(displayRoot, root, h, total, sub, top, h->getCurrentLevelIndex(), true);
        out.set(displayRoot);
    };
    axis(rowH, rankedRow_, rowTotal, rowSub, rowActionEnabled_, crosstab_->rowDataTreeNode);
    axis(colH, rankedColumn_, colTotal, colSub, columnActionEnabled_, crosstab_->columnDataTreeNode);

    // 9.
    if (regenerate) {
        crosstab_->rowActionEnabled.set(rowActionEnabled_);
        crosstab_->columnActionEnabled.set(columnActionEnabled_);
    }

    // 10-11. The cells, or a data set without rows.
    auto cells = hierarchyDataSet_->getNormalizedCrossings(rowH, colH, top, showMissingLabelAsBlank.get(), sortContext_, true);
    if ((!cells || cells->getColumnCount() == 0) && M >= 1 && dataSet_->getColumnCount() >= 1) {
        cells = DataSet::create("crossings");
        std::shared_ptr<DataTreeNode> firstColumnLeaf;
        if (auto c = crosstab_->columnDataTreeNode.get()) {
            auto leaves = c->getDepthFirstListOfAllLeafNodesUnderThisNode();
            if (!leaves.empty() && leaves.front() != c) firstColumnLeaf = leaves.front();
        }
        auto* firstDisplay = dynamic_cast<DisplayTreeNode*>(firstColumnLeaf.get());
        const bool firstIsTotal = firstDisplay && firstDisplay->getNodeType() == NodeType::TOTAL;
        for (const auto& m : measures) {
            auto src = dataSet_->getColumnWithName(m);
            if (!src) continue;
            auto col = Column::create(m, src->isNumeric() ? Variable::NUMERIC : Variable::CHARACTER);
            col->setLabel(src->getLabel());
            col->setDataUsage(src->getDataUsage());
            col->setSuppressed(!supTotal.empty() && showRowTotal.get() && firstIsTotal &&
                               std::find(supTotal.begin(), supTotal.end(), m) != supTotal.end());
            cells->addColumn(col);
        }
    }
    // 12.
    displayedColumnIndices_ = CrosstabUtilities::getDisplayedColumnIndicies(cells);

    // 13. Store on the crosstab.
    crosstab_->dataSet.set(cells);
    crosstab_->sourceDataSet.set(dataSet_);
    crosstab_->rowAxisLevels.set(MonitoredVector<std::shared_ptr<Level>>::create(getDisplayedLevels(rowH)));
    crosstab_->columnAxisLevels.set(MonitoredVector<std::shared_ptr<Level>>::create(getDisplayedLevels(colH)));
    crosstab_->rowHierarchy.set(rowH);
    crosstab_->columnHierarchy.set(colH);
    crosstab_->numberOfMeasures.set(static_cast<int>(M));
    crosstab_->showColumnTotal.set(colTotal);
    crosstab_->showColumnSubTotal.set(colSub);
    if (showMissingLabelAsBlank.get()) crosstab_->showMissingLabelAsBlank.set(true);

    // 14. Positions of the total and subtotal rows.
    if (auto rowRoot = crosstab_->rowDataTreeNode.get()) {
        std::vector<int> indices;
        int i = 0;
        for (const auto& leaf : rowRoot->getDepthFirstListOfAllLeafNodesUnderThisNode()) {
            if (leaf == rowRoot) break;
            auto* d = dynamic_cast<DisplayTreeNode*>(leaf.get());
            if (d && (d->getNodeType() == NodeType::TOTAL || d->getNodeType() == NodeType::SUBTOTAL)) indices.push_back(i);
            ++i;
        }
        crosstab_->rowTotalSubTotalIndices.set(MonitoredVector<int>::create(indices));
    }
    applyPaging();
    return crosstab_;
}

void CrosstabModelBuilder::setPagingThresholds(int rows, int columns) {
    pagingThreshold_[0] = std::max(0, rows);
    pagingThreshold_[1] = std::max(0, columns);
}

void CrosstabModelBuilder::setRowPagingWindow(int64_t first, int64_t end) {
    pagingWindow_[0][0] = first;
    pagingWindow_[0][1] = end;
}

void CrosstabModelBuilder::setColumnPagingWindow(int64_t first, int64_t end) {
    pagingWindow_[1][0] = first;
    pagingWindow_[1][1] = end;
}

void CrosstabModelBuilder::applyPaging() {
    if (!crosstab_) return;
    auto tip = [](const char* key) { return ResourceManager::getString("ketra_orvane", key); };
    for (int axis = 0; axis < 2; ++axis) {
        auto root = axis == 0 ? crosstab_->rowDataTreeNode.get() : crosstab_->columnDataTreeNode.get();
        auto& a = paged_[axis];
        if (root != a.root) {
            // A new tree: the old one's flags went with it.
            a = PagedAxis{root, {}, {}};
            if (!root || !root->hasChildren() || pagingWindow_[axis][0] < 0) {
                a.root.reset();  // the leaves are found once a window is set
            } else {
                for (const auto& leaf : root->getDepthFirstListOfAllLeafNodesUnderThisNode())
                    if (auto* d = dynamic_cast<DisplayTreeNode*>(leaf.get())) a.leaves.push_back(d);
            }
        }
        for (auto* d : a.flagged) {
            d->setPageUpButtonVisible(false);
            d->setPageUpEndButtonVisible(false);
            d->setPageDownButtonVisible(false);
            d->setPageDownEndButtonVisible(false);
        }
        a.flagged.clear();
        const auto& leaves = a.leaves;
        const int64_t n = static_cast<int64_t>(leaves.size());
        const int64_t first = pagingWindow_[axis][0], end = std::min(pagingWindow_[axis][1], n);
        if (n <= pagingThreshold_[axis] || first < 0 || end <= first) continue;
        if (first > 0) {
            auto* d = leaves[static_cast<size_t>(first)];
            d->setPageUpButtonVisible(true);
            d->setPageUpEndButtonVisible(true);
            d->setPageUpTooltipLabel(tip("crosstab.pageUp.txt"));
            d->setPageUpEndTooltipLabel(tip("crosstab.pageUpEnd.txt"));
            a.flagged.push_back(d);
        }
        if (end < n) {
            auto* d = leaves[static_cast<size_t>(end - 1)];
            d->setPageDownButtonVisible(true);
            d->setPageDownEndButtonVisible(true);
            d->setPageDownTooltipLabel(tip("crosstab.pageDown.txt"));
            d->setPageDownEndTooltipLabel(tip("crosstab.pageDownEnd.txt"));
            a.flagged.push_back(d);
        }
    }
}

void CrosstabModelBuilder::print(std::ostream& out) const {
    if (!crosstab_) return;
    if (auto d = crosstab_->dataSet.get()) {
        out << "Normalized DataSet: \n";
        d->printTable(-1, out);
    }
    if (auto r = crosstab_->rowDataTreeNode.get()) {
        out << "Row TreeNode: \n";
        r->print(out);
    }
    if (auto c = crosstab_->columnDataTreeNode.get()) {
        out << "Column TreeNode: \n";
        c->print(out);
    }
}

void CrosstabModelBuilder::print() const { print(std::cout); }

} // namespace orvane
