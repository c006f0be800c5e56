// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/HierarchyDataSet.h"

#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Aggregation.h"
#include "orvane/host/data/InMemoryCrossingEngine.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace orvane {

namespace {
constexpr const char* kSource = "HierarchyDataSet";
using Kind = CrossingEngine::LeafKind;

void walk(const std::shared_ptr<DataTreeNode>& n, size_t li, const std::vector<std::shared_ptr<Level>>& L, bool top,
          const DataTreeSortContext* sort, std::vector<CrossingEngine::Leaf>& out) {
    for (const auto& c : DataTreeSortContext::orderedChildren(sort, n)) {
        const bool sub = c->hasChildren() && !c->isCollapsed() && li + 1 < L.size() && !L[li + 1]->isOmitSubtotal();
        if (sub && top) out.push_back({Kind::SUBTOTAL, c});
        if (c->isCollapsed() || !c->hasChildren()) out.push_back({Kind::MEMBER, c});
        else walk(c, li + 1, L, top, sort, out);
        if (sub && !top) out.push_back({Kind::SUBTOTAL, c});
    }
}
} // namespace

HierarchyDataSet::HierarchyDataSet() : engine_(std::make_shared<InMemoryCrossingEngine>()) {}

std::shared_ptr<HierarchyDataSet> HierarchyDataSet::create(const std::shared_ptr<DataSet>& dataSet,
                                                           std::vector<std::shared_ptr<Hierarchy>> hierarchies,
                                                           std::vector<std::string> measureNames) {
    auto h = std::make_shared<HierarchyDataSet>();
    for (auto& x : hierarchies)
        if (x) h->hierarchies_.push_back(std::move(x));
    h->measureNames_ = std::move(measureNames);
    if (dataSet) h->setDataSet(dataSet, true, false);
    return h;
}

HierarchyDataSet::~HierarchyDataSet() {
    if (dataSet_ && dataListener_) dataSet_->removeEventListener(DataSet::CHANGED, dataListener_);
}

void HierarchyDataSet::setDataSet(const std::shared_ptr<DataSet>& dataSet, bool aggregateData, bool /*notify*/) {
    if (dataSet_ != dataSet) {
        if (dataSet_ && dataListener_) dataSet_->removeEventListener(DataSet::CHANGED, dataListener_);
        if (dataSet) {
            if (!dataListener_) {
                dataListener_ = FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>&) {
                    if (auto* mem = dynamic_cast<InMemoryCrossingEngine*>(engine_.get())) mem->invalidate();
                });
            }
            dataSet->addEventListener(DataSet::CHANGED, dataListener_);
        }
    }
    dataSet_ = dataSet;
    aggregateData_ = aggregateData;
    if (auto* mem = dynamic_cast<InMemoryCrossingEngine*>(engine_.get())) mem->invalidate();
    for (auto& h : hierarchies_) {
        h->resetDrill(false);   // build makes the tree
        h->build(dataSet && dataSet->getColumnCount() ? dataSet : nullptr);
    }
}

std::shared_ptr<Hierarchy> HierarchyDataSet::getHierarchyForName(std::string_view name) const {
    for (const auto& h : hierarchies_)
        if (*h->getName() == name) return h;
    return nullptr;
}

void HierarchyDataSet::setCrossingEngine(std::shared_ptr<CrossingEngine> engine) {
    engine_ = engine ? std::move(engine) : std::make_shared<InMemoryCrossingEngine>();
}

std::vector<CrossingEngine::Leaf> HierarchyDataSet::getLeaves(const std::shared_ptr<Hierarchy>& h, bool top,
                                                              const DataTreeSortContext* sort) {
    std::vector<CrossingEngine::Leaf> out;
    auto root = h ? h->getExpandedState() : nullptr;
    if (!root) {
        out.push_back({Kind::ALL, nullptr});
        return out;
    }
    const auto& L = h->getLevels();
    const auto k = static_cast<size_t>(h->getCurrentLevelIndex());
    const bool total = k >= L.size() || !L[k]->isOmitSubtotal();
    if (total && top) out.push_back({Kind::TOTAL, root});
    walk(root, k, L, top, sort, out);
    if (total && !top) out.push_back({Kind::TOTAL, root});
    return out;
}

std::string HierarchyDataSet::leafLabel(const CrossingEngine::Leaf& leaf, bool missingAsBlank) {
    auto text = [&](const std::shared_ptr<DataTreeNode>& n) {
        auto v = n->getDataValue();
        if (missingAsBlank && v && v->isMissing()) return std::string();
        return n->getPresentableText();
    };
    switch (leaf.kind) {
    case Kind::ALL: return std::string();
    case Kind::TOTAL: return "Total";
    case Kind::SUBTOTAL: return text(leaf.node) + " Subtotal";
    case Kind::MEMBER: break;
    }
    std::string path;
    for (const auto& n : leaf.node->getUniqueNodePath()) {
        if (!path.empty()) path += " / ";
        path += text(n);
    }
    return path;
}

std::shared_ptr<DataSet> HierarchyDataSet::getNormalizedCrossings(const std::shared_ptr<Hierarchy>& rowHierarchy,
                                                                  const std::shared_ptr<Hierarchy>& columnHierarchy,
                                                                  bool summaryOnTop, bool missingAsBlank,
                                                                  const std::shared_ptr<DataTreeSortContext>& sortContext,
                                                                  bool /*includeSparse*/) {
    if (!dataSet_ || measureNames_.empty()) return nullptr;
    if (sortContext) sortContext->setDataSet(dataSet_);
    CrossingEngine::Query q;
    q.data = dataSet_;
    q.rowHierarchy = rowHierarchy;
    q.columnHierarchy = columnHierarchy;
    q.aggregateData = aggregateData_;
    q.rowLeaves = getLeaves(rowHierarchy, summaryOnTop, sortContext.get());
    q.columnLeaves = getLeaves(columnHierarchy, summaryOnTop, sortContext.get());
    std::vector<std::shared_ptr<Column>> sources;
    std::vector<size_t> measureIndex;
    for (size_t i = 0; i < measureNames_.size(); ++i) {
        auto column = dataSet_->getColumnWithName(measureNames_[i]);
        if (!column) {
            if (std::find(reported_.begin(), reported_.end(), measureNames_[i]) == reported_.end()) {
                reported_.push_back(measureNames_[i]);
                ORVANE_LOG(CLog::ERRORS, kSource, "no measure column named " + measureNames_[i]);
            }
            continue;
        }
        int code = i < measureCodes_.size() && measureCodes_[i] >= 0 ? measureCodes_[i] : column->getAggregation();
        q.measures.push_back({measureNames_[i], code});
        sources.push_back(column);
        measureIndex.push_back(i);
    }
    if (q.measures.empty() || q.rowLeaves.empty() || q.columnLeaves.empty()) return nullptr;
    CrossingEngine::Answer a;
    std::string error;
    if (!engine_->answer(q, a, error)) {
        ORVANE_LOG(CLog::ERRORS, kSource, "crossings not computed: " + error);
        return nullptr;
    }
    auto out = DataSet::create("crossings");
    out->beginUpdate();
    const std::set<std::string> supTotal(suppressTotal_.begin(), suppressTotal_.end());
    const std::set<std::string> supSub(suppressSubtotal_.begin(), suppressSubtotal_.end());
    std::set<std::string> names;
    std::vector<double> values(a.rows);
    for (size_t c = 0; c < a.columns; ++c) {
        const auto& leaf = q.columnLeaves[c];
        const std::string leafText = leafLabel(leaf, missingAsBlank);
        for (size_t m = 0; m < a.measures; ++m) {
            const auto& src = sources[m];
            const std::string& measure = q.measures[m].column;
            std::string name = leafText.empty() ? measure : leafText + " | " + measure;
            if (q.measures[m].code != src->getAggregation()) name += " (" + std::string(Aggregation::name(q.measures[m].code)) + ")";
            for (int n = 2; names.count(name); ++n) name += "#" + std::to_string(n);
            names.insert(name);
            for (size_t r = 0; r < a.rows; ++r) values[r] = a.at(r, c, m);
            const bool count = Aggregation::isCount(q.measures[m].code);
            auto col = Column::createNumeric(name, values,
                                             count || !src->isNumeric() || !src->getFormatName()
                                                 ? std::string_view()
                                                 : std::string_view(*src->getFormatName()));
            std::string label = *src->getLabel();
            if (q.measures[m].code != src->getAggregation())
                label += " (" + std::string(Aggregation::name(q.measures[m].code)) + ")";
            col->setLabel(label);
            col->setDataUsage(Variable::MEASURE);
            col->setAggregation(q.measures[m].code);
            col->setMeasureName(measure);
            col->setSuppressed((leaf.kind == Kind::TOTAL && supTotal.count(measure)) ||
                               (leaf.kind == Kind::SUBTOTAL && supSub.count(measure)));
            for (size_t r = 0; r < a.rows; ++r)
                if (a.isSparse(r, c)) col->setValueFlagsAtIndex(r, DataValue::SPARSE);
            out->addColumn(col);
        }
    }
    out->endUpdate();
    (void)measureIndex;
    return out;
}

} // namespace orvane
