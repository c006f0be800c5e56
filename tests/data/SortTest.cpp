// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/io/LocalizationContext.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/data/SortState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <numeric>
#include <random>

using namespace orvane;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<unsigned> sortBy(const DataSet& ds, std::vector<std::pair<std::string, SortDirection::type>> keys) {
    std::vector<std::shared_ptr<SortContext>> contexts;
    for (auto& [n, d] : keys) contexts.push_back(SortContext::create(n, d));
    return SortState::sortRows(ds, contexts);
}
} // namespace

TEST(Sort, NumbersWithMissingFirstInBothDirectionsAndTiesInDataOrder) {
    auto ds = DataSet::create();
    ds->addColumn(Column::createNumeric("x", {3, kNaN, -kInf, 1, 3, kInf, -0.0, 0.0, kNaN, 1}));
    EXPECT_EQ(sortBy(*ds, {{"x", SortDirection::ASCENDING}}),
              (std::vector<unsigned>{1, 8, 2, 6, 7, 3, 9, 0, 4, 5}));
    EXPECT_EQ(sortBy(*ds, {{"x", SortDirection::DESCENDING}}),
              (std::vector<unsigned>{1, 8, 5, 0, 4, 3, 9, 6, 7, 2}));
    EXPECT_EQ(sortBy(*ds, {{"x", SortDirection::NONE}}), (std::vector<unsigned>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(Sort, StringsByCollationThenNumbers) {
    ResourceManager::getLocalizationContext()->setLocale("en_US");
    auto ds = DataSet::create();
    ds->addColumn(Column::createCharacter("name", {"banana", "Apple", "", "apple", "Banana", "cherry", "Äpfel", "banana"}));
    ds->addColumn(Column::createNumeric("n", {2, 1, 5, 7, 4, 3, 6, 1}));
    // Letters decide first, accents and case only between equal letters: "Äpfel"
    // (a-p-f) comes before "apple", and lower case before upper case.
    auto asc = sortBy(*ds, {{"name", SortDirection::ASCENDING}});
    EXPECT_EQ(asc, (std::vector<unsigned>{2, 6, 3, 1, 0, 7, 4, 5}));
    // Descending keeps the missing string first.
    auto desc = sortBy(*ds, {{"name", SortDirection::DESCENDING}});
    EXPECT_EQ(desc, (std::vector<unsigned>{2, 5, 4, 0, 7, 1, 3, 6}));
    // Two keys: ties of the first are ordered by the second, stably.
    auto two = sortBy(*ds, {{"name", SortDirection::ASCENDING}, {"n", SortDirection::ASCENDING}});
    EXPECT_EQ(two, (std::vector<unsigned>{2, 6, 3, 1, 7, 0, 4, 5}));
}

TEST(Sort, MatchesAReferenceStableSortOnRandomData) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> small(0, 9), big(0, 5000);
    std::vector<std::string> s;
    std::vector<double> a, b;
    for (int i = 0; i < 20000; ++i) {
        s.push_back("k" + std::to_string(small(rng)));
        a.push_back(small(rng) == 0 ? kNaN : big(rng) / 7.0 - 300);
        b.push_back(small(rng));
    }
    auto ds = DataSet::create();
    ds->addColumn(Column::createCharacter("s", s));
    ds->addColumn(Column::createNumeric("a", a));
    ds->addColumn(Column::createNumeric("b", b));
    auto got = sortBy(*ds, {{"b", SortDirection::DESCENDING}, {"s", SortDirection::ASCENDING}, {"a", SortDirection::ASCENDING}});

    std::vector<unsigned> want(s.size());
    std::iota(want.begin(), want.end(), 0u);
    auto numLess = [](double x, double y) { return std::isnan(x) ? !std::isnan(y) : (!std::isnan(y) && x < y); };
    std::stable_sort(want.begin(), want.end(), [&](unsigned i, unsigned j) {
        if (b[i] != b[j]) return b[i] > b[j];
        if (s[i] != s[j]) return s[i] < s[j];  // "k0".."k9" collate as bytes
        return numLess(a[i], a[j]);
    });
    EXPECT_EQ(got, want);
}

TEST(SortState, ContextsPerAxisAndTheSortMap) {
    auto ds = DataSet::create();
    ds->addColumn(Column::createNumeric("x", {3, 1, 2}));
    ds->addColumn(Column::createCharacter("y", {"b", "b", "a"}));
    auto state = SortState::create();
    EXPECT_FALSE(state->getRelationalSortIndices());
    EXPECT_TRUE(state->getRelationalSortsForAxis(0).empty());

    auto x = SortContext::create("x", SortDirection::ASCENDING);
    state->setRelationalSortForAxis(0, x, false);
    state->computeRelationalSortMap(ds);
    EXPECT_EQ(*state->getRelationalSortIndices(), (std::vector<unsigned>{1, 2, 0}));

    // Keeping others: a context of another column is appended, one of the same column replaces it.
    auto y = SortContext::create("y", SortDirection::ASCENDING);
    state->setRelationalSortForAxis(0, y, true);
    EXPECT_EQ(state->getRelationalSortsForAxis(0).size(), 2u);
    auto x2 = SortContext::create("x", SortDirection::DESCENDING);
    state->setRelationalSortForAxis(0, x2, true);
    ASSERT_EQ(state->getRelationalSortsForAxis(0).size(), 2u);
    EXPECT_EQ(state->getRelationalSortsForAxis(0)[0], x2);
    state->computeRelationalSortMap(ds);
    EXPECT_EQ(*state->getRelationalSortIndices(), (std::vector<unsigned>{0, 2, 1}));

    // A context naming no column is skipped with a log line; the others still sort.
    CLogCapture log;
    state->setRelationalSortForAxis(0, SortContext::create("gone", SortDirection::ASCENDING), false);
    state->setRelationalSortForAxis(0, y, true);
    state->computeRelationalSortMap(ds);
    EXPECT_EQ(*state->getRelationalSortIndices(), (std::vector<unsigned>{2, 0, 1}));
    EXPECT_TRUE(log.contains("gone"));

    EXPECT_TRUE(state->getRelationalSortsForAxis(1).empty());
    state->computeRelationalSortMap(std::shared_ptr<DataSet>());
    EXPECT_FALSE(state->getRelationalSortIndices());
    // Some rows only, in sorted order; rows outside the data dropped.
    EXPECT_EQ(SortState::sortRows(*ds, {SortContext::create("x", SortDirection::DESCENDING)}, {2, 1, 9}),
              (std::vector<unsigned>{2, 1}));
    auto c = SortContext::create();
    c->setDirection(7);
    EXPECT_EQ(c->getDirection(), SortDirection::NONE);
}
