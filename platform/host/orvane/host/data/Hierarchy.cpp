// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/Hierarchy.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/format/Formatter.h"
#include "orvane/host/io/ResourceManager.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace orvane {

namespace {
constexpr const char* kSource = "Hierarchy";
}

Hierarchy::Hierarchy(std::string name, std::vector<std::shared_ptr<Level>> levels, std::vector<std::string> measureNames)
    : name_(std::make_shared<const std::string>(std::move(name))), measureNames_(std::move(measureNames)) {
    for (auto& l : levels)
        if (l) levels_.push_back(std::move(l));
}

std::shared_ptr<Hierarchy> Hierarchy::create(const std::string& name, std::vector<std::shared_ptr<Level>> levels,
                                             std::vector<std::string> measureNames) {
    return std::make_shared<Hierarchy>(name, std::move(levels), std::move(measureNames));
}

std::shared_ptr<Hierarchy> Hierarchy::create(const std::string& name, const std::vector<std::string>& memberNames,
                                             const std::shared_ptr<DataSet>& dataSet,
                                             std::vector<std::string> measureNames) {
    std::vector<std::shared_ptr<Level>> levels;
    for (const auto& m : memberNames) {
        auto column = dataSet ? dataSet->getColumnWithName(m) : nullptr;
        std::string label = column && column->getExplicitLabel() ? *column->getExplicitLabel() : m;
        std::string format = column && column->getFormatName() ? *column->getFormatName() : std::string();
        levels.push_back(Level::create(m, label, format));
    }
    return create(name, std::move(levels), std::move(measureNames));
}

std::shared_ptr<Level> Hierarchy::getLevelForName(std::string_view name) const {
    for (const auto& l : levels_)
        if (*l->getName() == name) return l;
    return nullptr;
}

std::vector<std::shared_ptr<Level>> Hierarchy::getLevelsDown() const {
    if (currentLevel_ >= static_cast<int>(levels_.size())) return {};
    return {levels_.begin() + currentLevel_, levels_.end()};
}

std::vector<std::shared_ptr<DataValue>> Hierarchy::getDrillPath() const {
    std::vector<std::shared_ptr<DataValue>> path;
    for (int i = 0; i < currentLevel_ && i < static_cast<int>(levels_.size()); ++i)
        path.push_back(levels_[static_cast<size_t>(i)]->getCurrentValue());
    return path;
}

int Hierarchy::getLevelIndexOfNode(const DataTreeNode& node) const {
    if (!root_) return -1;
    int depth = 0;
    const DataTreeNode* n = &node;
    std::shared_ptr<DataTreeNode> p;
    while ((p = n->getParent())) {
        ++depth;
        n = p.get();
    }
    if (n != root_.get() || depth == 0) return -1;
    return currentLevel_ + depth - 1;
}

bool Hierarchy::canExpand(const std::shared_ptr<DataTreeNode>& node) const {
    if (!node) return false;
    int li = node.get() == root_.get() ? currentLevel_ - 1 : getLevelIndexOfNode(*node);
    if (li < -1 || (li == -1 && node.get() != root_.get())) return false;
    return node->isCollapsed() && li + 1 < static_cast<int>(codes_.size()) && node->hasChildren();
}

bool Hierarchy::canCollapse(const std::shared_ptr<DataTreeNode>& node) const {
    return node && !node->isCollapsed() && node->hasChildren();
}

bool Hierarchy::canDrillDown(const std::shared_ptr<DataTreeNode>& node) const {
    if (!node || node.get() == root_.get()) return false;
    int li = getLevelIndexOfNode(*node);
    if (li < 0 || li + 1 >= static_cast<int>(codes_.size())) return false;
    auto v = node->getDataValue();
    return !(v && v->isAllOthers());
}

void Hierarchy::changed() {
    if (wouldDeliver(TREE_CHANGED)) dispatchEvent(std::make_shared<PortableEvent>(TREE_CHANGED));
}

bool Hierarchy::expand(const std::shared_ptr<DataTreeNode>& node) {
    if (!canExpand(node)) {
        ORVANE_LOG(CLog::ERRORS, kSource, "expand: the node cannot be expanded");
        return false;
    }
    node->setCollapsed(false);
    changed();
    return true;
}

bool Hierarchy::collapse(const std::shared_ptr<DataTreeNode>& node) {
    if (!canCollapse(node) || node.get() == root_.get()) {
        ORVANE_LOG(CLog::ERRORS, kSource, "collapse: the node cannot be collapsed");
        return false;
    }
    node->setCollapsed(true);
    changed();
    return true;
}

bool Hierarchy::drillDown(const std::shared_ptr<DataTreeNode>& node) {
    if (!canDrillDown(node)) {
        ORVANE_LOG(CLog::ERRORS, kSource, "drillDown: the node cannot be drilled into");
        return false;
    }
    int li = getLevelIndexOfNode(*node);
    auto path = node->getUniqueNodePath();
    for (size_t i = 0; i < path.size(); ++i)
        levels_[static_cast<size_t>(currentLevel_) + i]->setCurrentValue(path[i]->getDataValue());
    currentLevel_ = li + 1;
    rebuild();
    return true;
}

bool Hierarchy::drillDown(const std::shared_ptr<DataValue>& member) {
    if (!member || !root_) return false;
    for (const auto& c : root_->getChildren()) {
        if (c->getDataValue() && c->getDataValue()->equals(*member)) return drillDown(c);
    }
    ORVANE_LOG(CLog::ERRORS, kSource, "drillDown: no member " + member->toString() + " at the current level");
    return false;
}

bool Hierarchy::drillUp() {
    if (currentLevel_ == 0) return false;
    --currentLevel_;
    levels_[static_cast<size_t>(currentLevel_)]->setCurrentValue(nullptr);
    rebuild();
    return true;
}

void Hierarchy::resetDrill(bool rebuildTree) {
    const bool drilled = currentLevel_ != 0;
    for (auto& l : levels_) l->setCurrentValue(nullptr);
    currentLevel_ = 0;
    // The tree must stand for the top level again, not the old drill.
    if (rebuildTree && drilled && root_) rebuild();
}

void Hierarchy::build(const std::shared_ptr<DataSet>& dataSet) {
    dataSet_ = dataSet;
    codes_.clear();
    root_.reset();
    if (!dataSet) {
        changed();
        return;
    }
    prepareCodes(*dataSet);
    if (currentLevel_ > static_cast<int>(codes_.size())) resetDrill(false);
    rebuild();
}

bool Hierarchy::prepareCodes(const DataSet& data) {
    const size_t rows = data.getRowCount();
    for (const auto& level : levels_) {
        auto column = data.getColumnWithName(*level->getName());
        if (!column) {
            if (std::find(reportedMissing_.begin(), reportedMissing_.end(), *level->getName()) == reportedMissing_.end()) {
                reportedMissing_.push_back(*level->getName());
                ORVANE_LOG(CLog::ERRORS, kSource,
                           "hierarchy " + *name_ + ": no column named " + *level->getName() + " for its level");
            }
            return false;
        }
        auto formatter = level->getFormatter();
        if (!formatter) formatter = column->getEffectiveFormatter();
        LevelCodes lc;
        lc.code.resize(rows);
        if (column->isCharacter()) {
            // Dictionary codes ranked by the strings' bytes; code 0 ("") is the
            // missing member and goes last.
            const auto& dict = column->getDictionary();
            std::vector<uint32_t> order(dict.size() > 0 ? dict.size() - 1 : 0);
            std::iota(order.begin(), order.end(), 1u);
            std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return *dict[a] < *dict[b]; });
            std::vector<uint32_t> rank(dict.size(), 0);
            std::vector<uint32_t> used(dict.size(), 0);
            bool missingUsed = false;
            const auto& codes = column->getCodes();
            for (size_t r = 0; r < rows; ++r) {
                used[codes[r]] = 1;
                missingUsed = missingUsed || codes[r] == 0;
            }
            for (uint32_t c : order) {
                if (!used[c]) continue;
                rank[c] = static_cast<uint32_t>(lc.values.size());
                lc.values.push_back(DataValue::create(dict[c]));
                lc.labels.push_back(dict[c]);
            }
            if (missingUsed) {
                rank[0] = static_cast<uint32_t>(lc.values.size());
                lc.values.push_back(DataValue::createMissing(DataValue::Type::String));
                lc.labels.push_back(std::make_shared<const std::string>());
            }
            for (size_t r = 0; r < rows; ++r) lc.code[r] = rank[codes[r]];
        } else {
            const auto& numbers = column->getNumbers();
            std::vector<double> distinct;
            distinct.reserve(1024);
            bool missing = false;
            for (size_t r = 0; r < rows; ++r) {
                if (std::isnan(numbers[r])) missing = true;
            }
            distinct.assign(numbers.begin(), numbers.begin() + static_cast<std::ptrdiff_t>(rows));
            distinct.erase(std::remove_if(distinct.begin(), distinct.end(), [](double v) { return std::isnan(v); }),
                           distinct.end());
            std::sort(distinct.begin(), distinct.end());
            distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
            const auto type = column->getValueType();
            for (double v : distinct) {
                auto dv = DataValue::create(type, v);
                auto text = std::make_shared<const std::string>(formatter ? formatter->format(v) : dv->toString());
                dv->setFormattedValue(text);
                lc.values.push_back(dv);
                lc.labels.push_back(text);
            }
            const auto missingCode = static_cast<uint32_t>(distinct.size());
            if (missing) {
                lc.values.push_back(DataValue::createMissing(type));
                lc.labels.push_back(std::make_shared<const std::string>(formatter ? formatter->format(NAN) : "."));
            }
            for (size_t r = 0; r < rows; ++r) {
                double v = numbers[r];
                lc.code[r] = std::isnan(v) ? missingCode
                                           : static_cast<uint32_t>(std::lower_bound(distinct.begin(), distinct.end(), v) -
                                                                   distinct.begin());
            }
        }
        codes_.push_back(std::move(lc));
    }
    return true;
}

uint32_t Hierarchy::findCode(int level, const DataValue& value) const {
    const auto& values = codes_[static_cast<size_t>(level)].values;
    for (size_t i = 0; i < values.size(); ++i) {
        const auto& v = *values[i];
        if ((v.isMissing() && value.isMissing()) || v.equals(value)) return static_cast<uint32_t>(i);
    }
    return UINT32_MAX;
}

void Hierarchy::rebuild() {
    auto data = dataSet_.lock();
    if (!data) {
        root_.reset();
        changed();
        return;
    }
    const size_t rowCount = codes_.empty() ? data->getRowCount() : codes_.front().code.size();
    // Rows within the drill.
    std::vector<int32_t> rows;
    std::vector<uint32_t> drillCodes;
    for (int i = 0; i < currentLevel_ && i < static_cast<int>(codes_.size()); ++i) {
        auto v = levels_[static_cast<size_t>(i)]->getCurrentValue();
        drillCodes.push_back(v ? findCode(i, *v) : UINT32_MAX);
    }
    rows.reserve(rowCount);
    for (size_t r = 0; r < rowCount; ++r) {
        bool in = true;
        for (size_t i = 0; i < drillCodes.size() && in; ++i) in = codes_[i].code[r] == drillCodes[i];
        if (in) rows.push_back(static_cast<int32_t>(r));
    }
    std::shared_ptr<DataValue> rootValue;
    std::string rootLabel = *name_;
    if (currentLevel_ > 0) {
        rootValue = levels_[static_cast<size_t>(currentLevel_ - 1)]->getCurrentValue();
        uint32_t c = drillCodes.back();
        if (c != UINT32_MAX) rootLabel = *codes_[drillCodes.size() - 1].labels[c];
    } else {
        rootValue = DataValue::createMatchesAll();
    }
    root_ = DataTreeNode::create(rootLabel, rootValue);
    root_->setSourceRows(std::move(rows));
    if (currentLevel_ < static_cast<int>(codes_.size())) buildChildren(root_, currentLevel_);
    changed();
}

void Hierarchy::buildChildren(const std::shared_ptr<DataTreeNode>& node, int level) {
    const auto& lc = codes_[static_cast<size_t>(level)];
    const auto& rows = node->getSourceRows();
    const size_t k = lc.values.size();
    std::vector<std::pair<uint32_t, std::vector<int32_t>>> groups;
    if (rows.size() * 8 >= k) {
        // Counting pass over the level's codes.
        std::vector<uint32_t> counts(k, 0);
        for (int32_t r : rows) ++counts[lc.code[static_cast<size_t>(r)]];
        std::vector<uint32_t> slot(k, UINT32_MAX);
        for (size_t c = 0; c < k; ++c) {
            if (!counts[c]) continue;
            slot[c] = static_cast<uint32_t>(groups.size());
            groups.emplace_back(static_cast<uint32_t>(c), std::vector<int32_t>());
            groups.back().second.reserve(counts[c]);
        }
        for (int32_t r : rows) groups[slot[lc.code[static_cast<size_t>(r)]]].second.push_back(r);
    } else {
        // Few rows over many members: sort the rows' codes instead.
        std::vector<std::pair<uint32_t, int32_t>> pairs;
        pairs.reserve(rows.size());
        for (int32_t r : rows) pairs.emplace_back(lc.code[static_cast<size_t>(r)], r);
        std::sort(pairs.begin(), pairs.end());
        for (const auto& [c, r] : pairs) {
            if (groups.empty() || groups.back().first != c) groups.emplace_back(c, std::vector<int32_t>());
            groups.back().second.push_back(r);
        }
    }
    // A ranked level with a limit keeps its best members; the rest share one
    // all-others member.
    std::vector<int32_t> others;
    rankGroups(level, groups, others);
    // Which child holds each row, in row order (lets a walk over the parent's
    // rows find the children without visiting each child's rows apart).
    const auto othersIndex = static_cast<uint32_t>(groups.size());
    std::vector<uint32_t> slot(k, othersIndex);
    for (size_t g = 0; g < groups.size(); ++g) slot[groups[g].first] = static_cast<uint32_t>(g);
    std::vector<uint32_t> childOfRow(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) childOfRow[i] = slot[lc.code[static_cast<size_t>(rows[i])]];
    node->setChildIndexOfRows(std::move(childOfRow));
    const bool deeper = level + 1 < static_cast<int>(codes_.size());
    auto add = [&](const std::shared_ptr<DataTreeNode>& child, std::shared_ptr<const std::string> label,
                   std::vector<int32_t> childRows) {
        child->setFormattedValue(std::move(label));
        child->setLevelName(levels_[static_cast<size_t>(level)]->getName());
        child->setSourceRows(std::move(childRows));
        node->addChild(child);
        if (deeper) {
            child->setCollapsed(true);
            buildChildren(child, level + 1);
        }
    };
    for (auto& [c, childRows] : groups) add(DataTreeNode::create(*lc.labels[c], lc.values[c]), lc.labels[c], std::move(childRows));
    if (!others.empty()) {
        auto text = ResourceManager::getString("ketra_orvane", "selection.allOthers.txt");
        auto label = text && !text->empty() ? text : std::make_shared<const std::string>("All others");
        add(DataTreeNode::create(*label, DataValue::createAllOthers()), label, std::move(others));
    }
}

void Hierarchy::rankGroups(int level, std::vector<std::pair<uint32_t, std::vector<int32_t>>>& groups,
                           std::vector<int32_t>& others) const {
    const auto& lvl = *levels_[static_cast<size_t>(level)];
    const auto limit = static_cast<size_t>(lvl.getRankLimit());
    if (!lvl.isRanked() || limit == 0 || groups.size() <= limit) return;
    auto data = dataSet_.lock();
    const std::string& measure = !lvl.getRankMeasureName().empty() ? lvl.getRankMeasureName()
                                 : measureNames_.empty()         ? std::string()
                                                                 : measureNames_.front();
    auto column = data && !measure.empty() ? data->getColumnWithName(measure) : nullptr;
    if (column && !column->isNumeric()) column.reset();
    std::vector<double> score(groups.size(), 0.0);
    for (size_t g = 0; g < groups.size(); ++g) {
        if (!column) {
            score[g] = static_cast<double>(groups[g].second.size());
            continue;
        }
        for (int32_t r : groups[g].second) {
            const double v = column->getNumberAtIndex(static_cast<size_t>(r));
            if (std::isfinite(v)) score[g] += v;
        }
    }
    // The best scores first; ties keep the usual member order.
    std::vector<size_t> order(groups.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return score[a] > score[b]; });
    std::vector<bool> keep(groups.size(), false);
    for (size_t i = 0; i < limit; ++i) keep[order[i]] = true;
    std::vector<std::pair<uint32_t, std::vector<int32_t>>> kept;
    for (size_t g = 0; g < groups.size(); ++g) {
        if (keep[g]) kept.push_back(std::move(groups[g]));
        else others.insert(others.end(), groups[g].second.begin(), groups[g].second.end());
    }
    std::sort(others.begin(), others.end());
    groups = std::move(kept);
}

} // namespace orvane
