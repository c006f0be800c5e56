// SPDX-License-Identifier: Apache-2.0
// The hierarchy engine: data trees, leaf order, normalised crossings with
// every aggregation code, sort contexts, drill and saved states.
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Aggregation.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/HierarchyDataSet.h"
#include "orvane/host/data/HierarchyDataSetUtilities.h"
#include "orvane/host/data/InMemoryCrossingEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>

using namespace orvane;
using Kind = CrossingEngine::LeafKind;

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

// region (3 values and missing), city (several per region), year (numbers),
// sales with missing values, units.
std::shared_ptr<DataSet> sample(size_t rows = 400, unsigned seed = 3) {
    std::mt19937 rng(seed);
    const char* regions[] = {"West", "East", "North", ""};
    const char* cities[] = {"A", "B", "C", "D", "E"};
    std::vector<std::string> region, city;
    std::vector<double> year, sales, units;
    for (size_t i = 0; i < rows; ++i) {
        region.push_back(regions[rng() % 4]);
        city.push_back(cities[rng() % 5]);
        year.push_back(2019 + static_cast<double>(rng() % 3));
        sales.push_back(rng() % 11 == 0 ? NaN : static_cast<double>(rng() % 1000) / 7.0);
        units.push_back(static_cast<double>(rng() % 20));
    }
    auto ds = DataSet::create("sales");
    ds->addColumn(Column::createCharacter("Region", region));
    ds->addColumn(Column::createCharacter("City", city));
    ds->addColumn(Column::createNumeric("Year", year));
    ds->addColumn(Column::createNumeric("Sales", sales));
    ds->addColumn(Column::createNumeric("Units", units));
    return ds;
}

struct Fixture {
    std::shared_ptr<DataSet> data = sample();
    std::shared_ptr<Hierarchy> rows = Hierarchy::create("rows", std::vector<std::string>{"Region", "City"}, data);
    std::shared_ptr<Hierarchy> cols = Hierarchy::create("cols", std::vector<std::string>{"Year"}, data);
    std::shared_ptr<HierarchyDataSet> hds = HierarchyDataSet::create(data, {rows, cols}, {"Sales", "Units"});
};

// The rows of a leaf found from the data alone: every level value on the
// node's path (and the drill path) must match.
std::vector<int> rowsOfLeaf(const DataSet& data, const Hierarchy& h, const CrossingEngine::Leaf& leaf) {
    std::vector<std::pair<std::string, std::shared_ptr<DataValue>>> conds;
    for (int i = 0; i < h.getCurrentLevelIndex(); ++i)
        conds.emplace_back(*h.getLevels()[static_cast<size_t>(i)]->getName(), h.getDrillPath()[static_cast<size_t>(i)]);
    if (leaf.kind == Kind::MEMBER || leaf.kind == Kind::SUBTOTAL)
        for (const auto& n : leaf.node->getUniqueNodePath()) conds.emplace_back(*n->getLevelName(), n->getDataValue());
    std::vector<int> out;
    for (size_t r = 0; r < data.getRowCount(); ++r) {
        bool in = true;
        for (const auto& [name, value] : conds) {
            auto v = data.getColumnWithName(name)->getDataValueAtIndex(r);
            in = in && ((v->isMissing() && value->isMissing()) || (!v->isMissing() && DataValue::compare(*v, *value) == 0));
        }
        if (in) out.push_back(static_cast<int>(r));
    }
    return out;
}

double reference(const DataSet& data, const std::string& measure, int code, const std::vector<int>& rows) {
    std::vector<double> v;
    auto col = data.getColumnWithName(measure);
    for (int r : rows) v.push_back(col->getNumberAtIndex(static_cast<size_t>(r)));
    return Aggregation::compute(code, v.data(), v.size());
}

bool same(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    if (std::isinf(a) || std::isinf(b)) return a == b;
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

// Checks every cell of the normalised data set against the rows found
// independently of the tree.
void checkAllCells(Fixture& f, bool top, const std::vector<int>& codes) {
    auto rowLeaves = HierarchyDataSet::getLeaves(f.rows, top, nullptr);
    auto colLeaves = HierarchyDataSet::getLeaves(f.cols, top, nullptr);
    for (int code : codes) {
        f.data->getColumnWithName("Sales")->setAggregation(code);
        f.data->getColumnWithName("Units")->setAggregation(code);
        auto out = f.hds->getNormalizedCrossings(f.rows, f.cols, top, false, nullptr, true);
        ASSERT_TRUE(out);
        ASSERT_EQ(out->getRowCount(), rowLeaves.size());
        ASSERT_EQ(out->getColumnCount(), colLeaves.size() * 2);
        for (size_t r = 0; r < rowLeaves.size(); ++r) {
            auto rr = rowsOfLeaf(*f.data, *f.rows, rowLeaves[r]);
            for (size_t c = 0; c < colLeaves.size(); ++c) {
                auto cr = rowsOfLeaf(*f.data, *f.cols, colLeaves[c]);
                std::vector<int> both;
                std::set_intersection(rr.begin(), rr.end(), cr.begin(), cr.end(), std::back_inserter(both));
                for (size_t m = 0; m < 2; ++m) {
                    auto col = out->getColumn(static_cast<int>(c * 2 + m));
                    const std::string measure = m == 0 ? "Sales" : "Units";
                    ASSERT_EQ(*col->getMeasureName(), measure);
                    if (both.empty()) {
                        EXPECT_TRUE(col->getValueFlagsAtIndex(r) & DataValue::SPARSE);
                        EXPECT_EQ(*col->getFormattedValueAtIndex(r), "");
                        continue;
                    }
                    double want = reference(*f.data, measure, code, both);
                    double got = col->getNumberAtIndex(r);
                    EXPECT_TRUE(same(got, want)) << "code " << code << " cell " << r << "," << c << " got " << got
                                                 << " want " << want;
                }
            }
        }
    }
}

} // namespace

TEST(Aggregation, DefinitionsMatchTheStatisticsLibraries) {
    // Reference values from pandas (Series.median/quantile/var/skew/kurt).
    auto run = [](int code) {
        std::vector<double> v{10, NaN, 1, 3, 2, 4};
        return Aggregation::compute(code, v.data(), v.size());
    };
    EXPECT_DOUBLE_EQ(run(Aggregation::MEDIAN), 3.0);
    EXPECT_DOUBLE_EQ(run(Aggregation::Q1), 2.0);
    EXPECT_DOUBLE_EQ(run(Aggregation::Q3), 4.0);
    EXPECT_DOUBLE_EQ(run(Aggregation::VARIANCE), 12.5);
    EXPECT_NEAR(run(Aggregation::SKEW), 1.697056274847714, 1e-12);
    EXPECT_NEAR(run(Aggregation::KURTOSIS), 3.152, 1e-12);
    EXPECT_NEAR(run(Aggregation::CV), 88.38834764831844, 1e-10);
    EXPECT_DOUBLE_EQ(run(Aggregation::NMISS), 1.0);
    EXPECT_DOUBLE_EQ(run(Aggregation::COUNT), 5.0);
    EXPECT_DOUBLE_EQ(run(Aggregation::USS), 130.0);
    EXPECT_DOUBLE_EQ(run(Aggregation::CSS), 50.0);
    EXPECT_DOUBLE_EQ(run(Aggregation::AVERAGE), 4.0);
    // t = mean / (sd / sqrt(n)); with one degree of freedom (Cauchy) a |t| of 1
    // has a two-sided p-value of exactly 0.5.
    std::vector<double> two{0, 2};
    EXPECT_DOUBLE_EQ(Aggregation::compute(Aggregation::T, two.data(), 2), 1.0);
    EXPECT_NEAR(Aggregation::compute(Aggregation::PRT, two.data(), 2), 0.5, 1e-12);
    // Too few values give missing, never a division by zero.
    std::vector<double> one{5};
    EXPECT_TRUE(std::isnan(Aggregation::compute(Aggregation::STD, one.data(), 1)));
    EXPECT_TRUE(std::isnan(Aggregation::compute(Aggregation::KURTOSIS, one.data(), 1)));
    EXPECT_TRUE(std::isnan(Aggregation::compute(Aggregation::SUM, nullptr, 0)));
    EXPECT_DOUBLE_EQ(Aggregation::compute(Aggregation::COUNT, nullptr, 0), 0.0);
    // Infinities are values; +inf and -inf together make the sum NaN.
    std::vector<double> inf{1, INFINITY, 2};
    EXPECT_EQ(Aggregation::compute(Aggregation::SUM, inf.data(), 3), INFINITY);
    EXPECT_EQ(Aggregation::compute(Aggregation::MAXIMUM, inf.data(), 3), INFINITY);
    std::vector<double> both{INFINITY, -INFINITY};
    EXPECT_TRUE(std::isnan(Aggregation::compute(Aggregation::SUM, both.data(), 2)));
    // Compensated summation keeps small terms next to large ones.
    std::vector<double> big{1e16, 1.0, -1e16, 1.0};
    EXPECT_DOUBLE_EQ(Aggregation::compute(Aggregation::SUM, big.data(), 4), 2.0);
    std::vector<double> dup{3, 1, 3, NaN, 1, 2};
    EXPECT_DOUBLE_EQ(Aggregation::compute(Aggregation::DISTINCT, dup.data(), dup.size()), 3.0);
    EXPECT_EQ(Aggregation::codeForName("MEAN"), Aggregation::AVERAGE);
    EXPECT_EQ(Aggregation::codeForName("nonsense"), -1);
}

TEST(HierarchyTree, MembersAreDistinctSortedValuesWithMissingLastAndKeepTheirRows) {
    Fixture f;
    auto root = f.rows->getExpandedState();
    ASSERT_TRUE(root);
    EXPECT_FALSE(root->isCollapsed());
    ASSERT_EQ(root->getChildCount(), 4u);
    EXPECT_EQ(root->getChildren()[0]->getPresentableText(), "East");
    EXPECT_EQ(root->getChildren()[1]->getPresentableText(), "North");
    EXPECT_EQ(root->getChildren()[2]->getPresentableText(), "West");
    EXPECT_TRUE(root->getChildren()[3]->getDataValue()->isMissing());
    size_t total = 0;
    for (const auto& region : root->getChildren()) {
        EXPECT_TRUE(region->isCollapsed());
        EXPECT_EQ(*region->getLevelName(), "Region");
        size_t under = 0;
        for (const auto& city : region->getChildren()) {
            under += city->getSourceRows().size();
            for (int r : city->getSourceRows()) {
                EXPECT_EQ(*f.data->getColumnWithName("City")->getStringAtIndex(static_cast<size_t>(r)),
                          city->getPresentableText());
            }
        }
        EXPECT_EQ(under, region->getSourceRows().size());
        total += region->getSourceRows().size();
    }
    EXPECT_EQ(total, f.data->getRowCount());
    EXPECT_EQ(f.rows->getLevelsDown().size(), 2u);
    EXPECT_EQ(f.cols->getExpandedState()->getChildren()[0]->getDataValue()->getNumber(), 2019);
}

TEST(HierarchyTree, PredicatesExpandCollapseAndDrill) {
    Fixture f;
    auto root = f.rows->getExpandedState();
    auto east = root->getChildren()[0];
    auto city = east->getChildren()[0];
    EXPECT_TRUE(f.rows->canExpand(east));
    EXPECT_FALSE(f.rows->canCollapse(east));
    EXPECT_TRUE(f.rows->canDrillDown(east));
    EXPECT_FALSE(f.rows->canDrillDown(root));
    EXPECT_FALSE(f.rows->canDrillDown(city));   // last level
    EXPECT_FALSE(f.rows->canExpand(city));
    EXPECT_TRUE(f.rows->expand(east));
    EXPECT_TRUE(f.rows->canCollapse(east));
    {
        CLogCapture log;
        EXPECT_FALSE(f.rows->expand(east));
        EXPECT_EQ(log.count(), 1u);
    }
    // Drilling restricts every row, the root (total) included.
    const size_t eastRows = east->getSourceRows().size();
    ASSERT_TRUE(f.rows->drillDown(east));
    EXPECT_EQ(f.rows->getCurrentLevelIndex(), 1);
    EXPECT_EQ(f.rows->getExpandedState()->getSourceRows().size(), eastRows);
    EXPECT_EQ(f.rows->getLevelsDown().size(), 1u);
    EXPECT_EQ(HierarchyDataSetUtilities::getStateExpression(*f.rows), "\"Region\" in (\"East\")");
    auto out = f.hds->getNormalizedCrossings(f.rows, f.cols, false, false, nullptr);
    ASSERT_TRUE(out);
    // Total row: counts of Units over the drill only.
    f.data->getColumnWithName("Units")->setAggregation(Aggregation::COUNT);
    out = f.hds->getNormalizedCrossings(f.rows, f.cols, false, false, nullptr);
    // The last column is the column total of Units; the last row the row total.
    EXPECT_EQ(out->getColumn(static_cast<int>(out->getColumnCount()) - 1)->getNumberAtIndex(out->getRowCount() - 1),
              static_cast<double>(eastRows));
    EXPECT_TRUE(f.rows->drillUp());
    EXPECT_EQ(f.rows->getExpandedState()->getSourceRows().size(), f.data->getRowCount());
    // A saved state drills again after a rebuild.
    f.hds->setDataSet(f.data, true, false);
    {
        // West drills; B is a member of the last level, which cannot be
        // drilled into (logged, skipped).
        CLogCapture log;
        EXPECT_EQ(HierarchyDataSetUtilities::applyStateFromExpression(f.hds, {"\"Region\" in (\"West\", \"B\")", ""}), 1);
        EXPECT_EQ(log.count(), 1u);
    }
    EXPECT_EQ(f.rows->getCurrentLevelIndex(), 1);
    for (int r : f.rows->getExpandedState()->getSourceRows())
        EXPECT_EQ(*f.data->getColumnWithName("Region")->getStringAtIndex(static_cast<size_t>(r)), "West");
    EXPECT_EQ(HierarchyDataSetUtilities::getStateExpression(*f.rows), "\"Region\" in (\"West\")");
    CLogCapture log;
    EXPECT_EQ(HierarchyDataSetUtilities::applyStateFromExpression(f.hds, {"not an expression ((", ""}), 0);
    EXPECT_GE(log.count(), 1u);
}

TEST(HierarchyLeaves, TotalsAndSubtotalsTopOrBottomCollapsedAndOmitted) {
    Fixture f;
    auto root = f.rows->getExpandedState();
    f.rows->expand(root->getChildren()[0]);
    auto bottom = HierarchyDataSet::getLeaves(f.rows, false, nullptr);
    // East expanded: its 5 cities, its subtotal after them, 3 collapsed
    // regions, the grand total last.
    ASSERT_EQ(bottom.size(), 5u + 1 + 3 + 1);
    EXPECT_EQ(bottom[5].kind, Kind::SUBTOTAL);
    EXPECT_EQ(bottom[5].node, root->getChildren()[0]);
    EXPECT_EQ(bottom.back().kind, Kind::TOTAL);
    auto top = HierarchyDataSet::getLeaves(f.rows, true, nullptr);
    EXPECT_EQ(top[0].kind, Kind::TOTAL);
    EXPECT_EQ(top[1].kind, Kind::SUBTOTAL);
    EXPECT_EQ(top[2].kind, Kind::MEMBER);
    // The City level's omit flag removes the subtotal of the member above it;
    // the Region level's removes the grand total.
    f.rows->getLevels()[1]->setOmitSubtotal(true);
    auto noSub = HierarchyDataSet::getLeaves(f.rows, false, nullptr);
    EXPECT_EQ(noSub.size(), 9u);
    EXPECT_EQ(noSub.back().kind, Kind::TOTAL);
    f.rows->getLevels()[0]->setOmitSubtotal(true);
    f.rows->getLevels()[1]->setOmitSubtotal(false);
    auto noTotal = HierarchyDataSet::getLeaves(f.rows, false, nullptr);
    EXPECT_EQ(noTotal.size(), 9u);
    EXPECT_EQ(noTotal[5].kind, Kind::SUBTOTAL);
    // No hierarchy: one leaf for all rows.
    auto none = HierarchyDataSet::getLeaves(nullptr, false, nullptr);
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].kind, Kind::ALL);
}

TEST(HierarchyCrossings, EveryCodeIsComputedFromSourceRowsOnEveryCrossing) {
    Fixture f;
    auto root = f.rows->getExpandedState();
    f.rows->expand(root->getChildren()[0]);
    f.rows->expand(root->getChildren()[3]);   // the missing region
    std::vector<int> codes;
    for (int c = 0; c <= 23; ++c)
        if (Aggregation::isKnown(c)) codes.push_back(c);
    checkAllCells(f, false, codes);
    checkAllCells(f, true, {Aggregation::AVERAGE, Aggregation::MEDIAN, Aggregation::DISTINCT});
}

TEST(HierarchyCrossings, TotalsOfAveragesAreNotAveragesOfAverages) {
    auto ds = DataSet::create();
    ds->addColumn(Column::createCharacter("G", {"a", "b", "b", "b"}));
    ds->addColumn(Column::createNumeric("X", {10, 0, 0, 2}));
    ds->getColumnWithName("X")->setAggregation(Aggregation::AVERAGE);
    auto h = Hierarchy::create("g", std::vector<std::string>{"G"}, ds);
    auto hds = HierarchyDataSet::create(ds, {h}, {"X"});
    auto out = hds->getNormalizedCrossings(h, nullptr, false, false, nullptr);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->getRowCount(), 3u);
    EXPECT_DOUBLE_EQ(out->getColumn(0)->getNumberAtIndex(0), 10);
    EXPECT_DOUBLE_EQ(out->getColumn(0)->getNumberAtIndex(1), 2.0 / 3);
    EXPECT_DOUBLE_EQ(out->getColumn(0)->getNumberAtIndex(2), 3.0);   // (10+0+0+2)/4, not (10+2/3)/2
    ds->getColumnWithName("X")->setAggregation(Aggregation::MEDIAN);
    out = hds->getNormalizedCrossings(h, nullptr, false, false, nullptr);
    EXPECT_DOUBLE_EQ(out->getColumn(0)->getNumberAtIndex(2), 1.0);
}

TEST(HierarchyCrossings, SuppressedMeasuresAndSparseCrossings) {
    auto ds = DataSet::create();
    ds->addColumn(Column::createCharacter("R", {"a", "b"}));
    ds->addColumn(Column::createCharacter("C", {"x", "y"}));
    ds->addColumn(Column::createNumeric("M", {1, 2}));
    ds->addColumn(Column::createNumeric("N", {3, 4}));
    auto r = Hierarchy::create("r", std::vector<std::string>{"R"}, ds);
    auto c = Hierarchy::create("c", std::vector<std::string>{"C"}, ds);
    auto hds = HierarchyDataSet::create(ds, {r, c}, {"M", "N"});
    hds->setSuppressMeasureTotalColumnNames({"N"});
    auto out = hds->getNormalizedCrossings(r, c, false, false, nullptr);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->getColumnCount(), 6u);   // x, y, total; two measures each
    for (int i = 0; i < 6; ++i) EXPECT_EQ(out->getColumn(i)->isSuppressed(), i == 5) << i;
    EXPECT_EQ(*out->getColumn(0)->getLabel(), "M");
    EXPECT_EQ(out->getColumn(0)->getDataUsage(), Variable::MEASURE);
    // (a, y) has no row: sparse, shown as "".
    EXPECT_TRUE(out->getColumn(2)->getValueFlagsAtIndex(0) & DataValue::SPARSE);
    EXPECT_EQ(*out->getColumn(2)->getFormattedValueAtIndex(0), "");
    EXPECT_DOUBLE_EQ(out->getColumn(4)->getNumberAtIndex(2), 3.0);   // grand total of M
    // Names are unique.
    std::set<std::string> names;
    for (const auto& col : out->getColumns()) names.insert(*col->getName());
    EXPECT_EQ(names.size(), out->getColumnCount());
}

TEST(HierarchySort, LevelSortsExplicitListsAndOutOfRangeIndices) {
    Fixture f;
    auto sort = DataTreeSortContext::create();
    auto root = f.rows->getExpandedState();
    sort->setLevelSortByLabel("Region", SortDirection::DESCENDING);
    auto ordered = sort->getOrderedChildren(root);
    ASSERT_EQ(ordered.size(), 4u);
    EXPECT_EQ(ordered[0]->getPresentableText(), "West");
    // By a measure, descending: the region with the largest sum of Units first.
    sort->setDataSet(f.data);
    sort->setLevelSortByMeasure("Region", "Units", SortDirection::DESCENDING);
    ordered = sort->getOrderedChildren(root);
    auto sumOf = [&](const std::shared_ptr<DataTreeNode>& n) {
        double s = 0;
        for (int r : n->getSourceRows()) s += f.data->getColumnWithName("Units")->getNumberAtIndex(static_cast<size_t>(r));
        return s;
    };
    for (size_t i = 1; i < ordered.size(); ++i) EXPECT_GE(sumOf(ordered[i - 1]), sumOf(ordered[i]));
    // The crossings follow the same order.
    auto out = f.hds->getNormalizedCrossings(f.rows, f.cols, false, false, sort);
    auto leaves = HierarchyDataSet::getLeaves(f.rows, false, sort.get());
    EXPECT_EQ(leaves[0].node, ordered[0]);
    // Explicit lists: extra entries beyond the children are ignored, an index
    // outside the children is refused with std::out_of_range.
    sort->setSortedIndices(root, {3, 2, 1, 0, 9});
    EXPECT_EQ(sort->getOrderedChildren(root)[0], root->getChildren()[3]);
    sort->setSortedIndices(root, {0, 7});
    EXPECT_THROW(sort->getOrderedChildren(root), std::out_of_range);
    EXPECT_THROW(f.hds->getNormalizedCrossings(f.rows, f.cols, false, false, sort), std::out_of_range);
    sort->setSortedIndices(root, {-1});
    EXPECT_THROW(sort->getOrderedChildren(root), std::out_of_range);
}

TEST(HierarchyCrossings, ExpandingReusesTheCrossingsOfUnchangedLeaves) {
    Fixture f;
    auto engine = std::make_shared<InMemoryCrossingEngine>();
    f.hds->setCrossingEngine(engine);
    auto before = f.hds->getNormalizedCrossings(f.rows, f.cols, false, false, nullptr);
    EXPECT_EQ(engine->getLastComputedRowLeafCount(), before->getRowCount());
    const size_t passes = engine->getPassCount();
    auto east = f.rows->getExpandedState()->getChildren()[0];
    f.rows->expand(east);
    auto after = f.hds->getNormalizedCrossings(f.rows, f.cols, false, false, nullptr);
    // The 5 cities are new; East's subtotal covers the rows of the collapsed
    // East answered before, and the other leaves are reused.
    EXPECT_EQ(engine->getLastComputedRowLeafCount(), 5u);
    EXPECT_EQ(engine->getPassCount(), passes) << "expanding visits no source row again";
    auto fresh = std::make_shared<InMemoryCrossingEngine>();
    f.hds->setCrossingEngine(fresh);
    auto full = f.hds->getNormalizedCrossings(f.rows, f.cols, false, false, nullptr);
    ASSERT_EQ(full->getRowCount(), after->getRowCount());
    for (size_t c = 0; c < full->getColumnCount(); ++c)
        for (size_t r = 0; r < full->getRowCount(); ++r)
            EXPECT_TRUE(same(after->getColumn(static_cast<int>(c))->getNumberAtIndex(r),
                             full->getColumn(static_cast<int>(c))->getNumberAtIndex(r)));
    // A value changed in place reaches the next crossings.
    f.hds->setCrossingEngine(engine);
    const double oldTotal = after->getColumn(static_cast<int>(after->getColumnCount()) - 1)->getNumberAtIndex(after->getRowCount() - 1);
    const double oldUnits = f.data->getColumnWithName("Units")->getNumberAtIndex(0);
    f.data->getColumnWithName("Units")->setNumberAtIndex(0, oldUnits + 1000);
    auto changed = f.hds->getNormalizedCrossings(f.rows, f.cols, false, false, nullptr);
    EXPECT_DOUBLE_EQ(changed->getColumn(static_cast<int>(changed->getColumnCount()) - 1)->getNumberAtIndex(changed->getRowCount() - 1),
                     oldTotal + 1000);
    // A new data set drops what was kept.
    f.hds->setCrossingEngine(engine);
    f.hds->setDataSet(f.data, true, false);
    f.hds->getNormalizedCrossings(f.rows, f.cols, false, false, nullptr);
    EXPECT_EQ(engine->getLastComputedRowLeafCount(), f.rows->getExpandedState()->getChildCount() + 1);
}

TEST(HierarchyBadInput, NothingCrashesAndAuthorMistakesAreLoggedOnce) {
    CLogCapture log;
    auto ds = sample(50);
    // Unknown level: logged once, the tree ends above it.
    auto h = Hierarchy::create("h", std::vector<std::string>{"Region", "Nope"}, ds);
    auto hds = HierarchyDataSet::create(ds, {h}, {"Sales", "Missing measure", "Region"});
    hds->getNormalizedCrossings(h, nullptr, false, false, nullptr);
    hds->getNormalizedCrossings(h, nullptr, false, false, nullptr);
    hds->setDataSet(ds, true, false);
    EXPECT_TRUE(h->getExpandedState());
    EXPECT_TRUE(h->getExpandedState()->getChildren()[0]->isLeaf());
    size_t nope = 0, missing = 0, text = 0;
    for (const auto& e : log.entries()) {
        nope += e.message.find("Nope") != std::string::npos;
        missing += e.message.find("Missing measure") != std::string::npos;
        text += e.message.find("holds text") != std::string::npos;
    }
    EXPECT_EQ(nope, 1u);
    EXPECT_EQ(missing, 1u);
    EXPECT_EQ(text, 1u);
    // A text measure counts; the other statistics are missing.
    ds->getColumnWithName("Region")->setAggregation(Aggregation::COUNT);
    auto out = hds->getNormalizedCrossings(h, nullptr, false, false, nullptr);
    ASSERT_TRUE(out);
    double nonMissingRegions = 0;
    for (size_t r = 0; r < ds->getRowCount(); ++r) nonMissingRegions += !ds->getColumnWithName("Region")->isMissingAtIndex(r);
    EXPECT_DOUBLE_EQ(out->getColumn(1)->getNumberAtIndex(out->getRowCount() - 1), nonMissingRegions);
    // No data set, no measures.
    auto empty = HierarchyDataSet::create(nullptr, {h}, {});
    EXPECT_FALSE(empty->getNormalizedCrossings(h, nullptr, false, false, nullptr));
    // A level column with every value missing: one missing member.
    auto allMissing = DataSet::create();
    allMissing->addColumn(Column::createNumeric("L", {NaN, NaN}));
    allMissing->addColumn(Column::createNumeric("M", {1, INFINITY}));
    auto hm = Hierarchy::create("m", std::vector<std::string>{"L"}, allMissing);
    auto hdm = HierarchyDataSet::create(allMissing, {hm}, {"M"});
    ASSERT_EQ(hm->getExpandedState()->getChildCount(), 1u);
    EXPECT_TRUE(hm->getExpandedState()->getChildren()[0]->getDataValue()->isMissing());
    auto o = hdm->getNormalizedCrossings(hm, nullptr, false, false, nullptr);
    EXPECT_EQ(o->getColumn(0)->getNumberAtIndex(0), INFINITY);
    // aggregateData false: a crossing of one row shows that row's value.
    auto one = DataSet::create();
    one->addColumn(Column::createCharacter("L", {"a"}));
    one->addColumn(Column::createNumeric("M", {7}));
    one->getColumnWithName("M")->setAggregation(Aggregation::COUNT);
    auto h1 = Hierarchy::create("one", std::vector<std::string>{"L"}, one);
    auto hd1 = HierarchyDataSet::create(one, {h1}, {"M"});
    EXPECT_DOUBLE_EQ(hd1->getNormalizedCrossings(h1, nullptr, false, false, nullptr)->getColumn(0)->getNumberAtIndex(0), 1);
    hd1->setDataSet(one, false, false);
    EXPECT_DOUBLE_EQ(hd1->getNormalizedCrossings(h1, nullptr, false, false, nullptr)->getColumn(0)->getNumberAtIndex(0), 7);
}

TEST(HierarchyBadInput, HundredThousandMembersOnOneLevel) {
    const size_t n = 100000;
    std::vector<double> id(n), x(n);
    for (size_t i = 0; i < n; ++i) {
        id[i] = static_cast<double>((i * 7919) % n);
        x[i] = static_cast<double>(i % 13);
    }
    auto ds = DataSet::create();
    ds->addColumn(Column::createNumeric("Id", id));
    ds->addColumn(Column::createNumeric("X", x));
    auto h = Hierarchy::create("ids", std::vector<std::string>{"Id"}, ds);
    auto hds = HierarchyDataSet::create(ds, {h}, {"X"});
    auto out = hds->getNormalizedCrossings(h, nullptr, true, false, nullptr);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->getRowCount(), n + 1);
    double total = 0;
    for (double v : x) total += v;
    EXPECT_DOUBLE_EQ(out->getColumn(0)->getNumberAtIndex(0), total);
}

// A ranked level with a limit keeps its best members under each parent and
// gathers the rest, rows and all, into one all-others member placed last.
TEST(HierarchyRanking, AllOthersGathersTheRowsOfTheMembersBeyondTheLimit) {
    auto data = DataSet::create("ranked");
    data->addColumn(Column::createCharacter("Region", {"East", "East", "West", "West", "West", "North", "South"}));
    data->addColumn(Column::createCharacter("City", {"Boston", "NYC", "Denver", "Reno", "Reno", "Fargo", "Austin"}));
    data->addColumn(Column::createNumeric("Sales", {10, 25, 30, 40, NaN, 100, 1}));
    auto region = Level::create("Region");
    region->setRanked(true);
    region->setRankLimit(2);
    auto h = Hierarchy::create("rows", {region, Level::create("City")}, {"Sales"});
    h->build(data);
    auto root = h->getExpandedState();
    ASSERT_TRUE(root);
    // By the sum of Sales: North 100, West 70 (the missing value left out), East 35, South 1.
    std::vector<std::string> texts;
    for (const auto& c : root->getChildren()) texts.push_back(c->getPresentableText());
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "North");   // kept members stay in their usual order
    EXPECT_EQ(texts[1], "West");
    auto others = root->getChildren()[2];
    EXPECT_TRUE(others->getDataValue()->isAllOthers());
    EXPECT_FALSE(texts[2].empty());
    EXPECT_EQ(others->getSourceRows(), (std::vector<int32_t>{0, 1, 6}));
    // Nothing is lost: the children's rows cover the root's exactly once, and
    // the row-to-child map agrees with them.
    size_t covered = 0;
    for (const auto& c : root->getChildren()) covered += c->getSourceRows().size();
    EXPECT_EQ(covered, root->getSourceRows().size());
    const auto& childOf = root->getChildIndexOfRows();
    ASSERT_EQ(childOf.size(), root->getSourceRows().size());
    for (size_t i = 0; i < childOf.size(); ++i) {
        const auto& rows = root->getChildren()[childOf[i]]->getSourceRows();
        EXPECT_TRUE(std::binary_search(rows.begin(), rows.end(), root->getSourceRows()[i])) << i;
    }
    // The bucket has the cities of its rows below it and cannot be drilled into.
    EXPECT_EQ(others->getChildCount(), 3u);   // Austin, Boston, NYC
    EXPECT_FALSE(h->canDrillDown(others));
    EXPECT_TRUE(h->canDrillDown(root->getChildren()[0]));

    // Ranked by a text column: by row count (West 3, East 2, then the rest).
    region->setRankMeasureName("City");
    h->build(data);
    ASSERT_EQ(h->getExpandedState()->getChildCount(), 3u);
    EXPECT_EQ(h->getExpandedState()->getChildren()[0]->getPresentableText(), "East");
    EXPECT_EQ(h->getExpandedState()->getChildren()[1]->getPresentableText(), "West");
    EXPECT_EQ(h->getExpandedState()->getChildren()[2]->getSourceRows(), (std::vector<int32_t>{5, 6}));

    // A limit at or above the member count, or no ranking: every member, no bucket.
    region->setRankLimit(4);
    h->build(data);
    EXPECT_EQ(h->getExpandedState()->getChildCount(), 4u);
    region->setRankLimit(1);
    region->setRanked(false);
    h->build(data);
    EXPECT_EQ(h->getExpandedState()->getChildCount(), 4u);
    for (const auto& c : h->getExpandedState()->getChildren()) EXPECT_FALSE(c->getDataValue()->isAllOthers());
}

// Resetting the drill gives the tree of the top level back at once (the tree
// used to stay on the drilled member until the next build).
TEST(HierarchyRanking, ResetDrillRebuildsTheTopLevelTree) {
    Fixture f;
    const size_t top = f.rows->getExpandedState()->getChildCount();
    ASSERT_TRUE(f.rows->drillDown(f.rows->getExpandedState()->getChildren()[0]));
    ASSERT_EQ(f.rows->getCurrentLevelIndex(), 1);
    f.rows->resetDrill();
    EXPECT_EQ(f.rows->getCurrentLevelIndex(), 0);
    EXPECT_EQ(f.rows->getExpandedState()->getChildCount(), top);
    EXPECT_EQ(f.rows->getExpandedState()->getSourceRows().size(), f.data->getRowCount());
}

// Distinct counts give each value a dense id: whole numbers over a short span
// directly, anything else through a table. Each kind of column must count as
// the plain definition does on every crossing (signed zeros as one value,
// missing values left out, infinities counted once each).
TEST(HierarchyCrossings, DistinctCountsAgreeForEveryKindOfMeasureColumn) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<double>> columns = {
        {-3, 0.0, -0.0, 5, -3, NaN, 2, 5, -1, 0.0},                 // whole, negative, signed zeros
        {1e15, 1, 1e15, 7, NaN, 1, 2e15, 7, 1, 3},                   // whole over a huge span
        {0.5, 0.25, 0.5, NaN, -0.0, 0.0, 1e-300, 0.25, 9.75, 0.5},  // fractions
        {NaN, NaN, NaN, NaN, NaN, NaN, NaN, NaN, NaN, NaN},          // nothing present
        {inf, -inf, 1, inf, NaN, 2, 2, -inf, 1, 4},                  // infinities
        {1e9 + 1, 1e9 + 2, 1e9 + 1, 1e9 + 3, 1e9 + 2, 1e9, 1e9, NaN, 1e9 + 3, 1e9 + 4},   // far from zero
    };
    for (size_t k = 0; k < columns.size(); ++k) {
        auto ds = DataSet::create("d");
        ds->addColumn(Column::createCharacter("G", {"a", "a", "b", "b", "b", "c", "c", "a", "c", "b"}));
        ds->addColumn(Column::createCharacter("Y", {"1", "2", "1", "2", "1", "2", "1", "1", "2", "2"}));
        ds->addColumn(Column::createNumeric("X", columns[k]));
        ds->getColumnWithName("X")->setAggregation(Aggregation::DISTINCT);
        auto rows = Hierarchy::create("rows", std::vector<std::string>{"G"}, ds);
        auto cols = Hierarchy::create("cols", std::vector<std::string>{"Y"}, ds);
        auto hds = HierarchyDataSet::create(ds, {rows, cols}, {"X"});
        auto out = hds->getNormalizedCrossings(rows, cols, false, false, nullptr, true);
        ASSERT_TRUE(out);
        auto rowLeaves = HierarchyDataSet::getLeaves(rows, false, nullptr);
        auto colLeaves = HierarchyDataSet::getLeaves(cols, false, nullptr);
        ASSERT_EQ(out->getRowCount(), rowLeaves.size());
        for (size_t r = 0; r < rowLeaves.size(); ++r) {
            auto rr = rowsOfLeaf(*ds, *rows, rowLeaves[r]);
            for (size_t c = 0; c < colLeaves.size(); ++c) {
                auto cr = rowsOfLeaf(*ds, *cols, colLeaves[c]);
                std::vector<int> both;
                std::set_intersection(rr.begin(), rr.end(), cr.begin(), cr.end(), std::back_inserter(both));
                if (both.empty()) continue;
                EXPECT_TRUE(same(out->getColumn(static_cast<int>(c))->getNumberAtIndex(r),
                                 reference(*ds, "X", Aggregation::DISTINCT, both)))
                    << "column kind " << k << " cell " << r << "," << c;
            }
        }
        // The grand total of the first kind: -3, 0, 5, 2, -1.
        if (k == 0) {
            EXPECT_EQ(out->getColumn(static_cast<int>(colLeaves.size()) - 1)->getNumberAtIndex(rowLeaves.size() - 1), 5.0);
        }
    }
}

TEST(HierarchyCrossings, ExpandingAColumnMemberComputesOnlyItsNewCrossings) {
    Fixture f;
    auto engine = std::make_shared<InMemoryCrossingEngine>();
    f.hds->setCrossingEngine(engine);
    // Regions and cities across, years down.
    auto before = f.hds->getNormalizedCrossings(f.cols, f.rows, false, false, nullptr);
    ASSERT_TRUE(before);
    const size_t passes = engine->getPassCount();
    auto east = f.rows->getExpandedState()->getChildren()[0];
    ASSERT_TRUE(f.rows->expand(east));
    auto after = f.hds->getNormalizedCrossings(f.cols, f.rows, false, false, nullptr);
    ASSERT_TRUE(after);
    // East's cities are the only new column leaves (its subtotal covers the
    // rows of the collapsed East answered before).
    EXPECT_EQ(engine->getLastComputedCellCount(), after->getRowCount() * east->getChildCount());
    EXPECT_EQ(engine->getPassCount(), passes);
    auto fresh = std::make_shared<InMemoryCrossingEngine>();
    f.hds->setCrossingEngine(fresh);
    auto full = f.hds->getNormalizedCrossings(f.cols, f.rows, false, false, nullptr);
    ASSERT_EQ(full->getColumnCount(), after->getColumnCount());
    ASSERT_EQ(full->getRowCount(), after->getRowCount());
    for (size_t c = 0; c < full->getColumnCount(); ++c) {
        EXPECT_EQ(*full->getColumn(static_cast<int>(c))->getName(), *after->getColumn(static_cast<int>(c))->getName());
        for (size_t r = 0; r < full->getRowCount(); ++r) {
            EXPECT_TRUE(same(after->getColumn(static_cast<int>(c))->getNumberAtIndex(r),
                             full->getColumn(static_cast<int>(c))->getNumberAtIndex(r)));
            EXPECT_EQ(after->getColumn(static_cast<int>(c))->getValueFlagsAtIndex(r),
                      full->getColumn(static_cast<int>(c))->getValueFlagsAtIndex(r));
        }
    }
    // Collapsing again copies every crossing.
    f.hds->setCrossingEngine(engine);
    ASSERT_TRUE(f.rows->collapse(east));
    auto again = f.hds->getNormalizedCrossings(f.cols, f.rows, false, false, nullptr);
    EXPECT_EQ(engine->getLastComputedCellCount(), 0u);
    ASSERT_EQ(again->getColumnCount(), before->getColumnCount());
    for (size_t c = 0; c < again->getColumnCount(); ++c)
        for (size_t r = 0; r < again->getRowCount(); ++r)
            EXPECT_TRUE(same(again->getColumn(static_cast<int>(c))->getNumberAtIndex(r),
                             before->getColumn(static_cast<int>(c))->getNumberAtIndex(r)));
}
