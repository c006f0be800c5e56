// SPDX-License-Identifier: Apache-2.0
// Crosstab: per-column and per-level records through the column info
// manager, header-update events.
#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabLevelInfo.h"
#include "orvane/datagrid/GridColumnInfoManager.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/data/Rule.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(Crosstab, RecordsGoThroughAManagerCreatedOnFirstSet) {
    auto x = Crosstab::create();
    EXPECT_FALSE(x->getDisplayRule(0));
    EXPECT_FALSE(x->getRowLevelInfo(1));
    EXPECT_FALSE(x->columnInfoManager.get());
    auto rule = Rule::create();
    x->setDisplayRule(3, rule);
    ASSERT_TRUE(x->columnInfoManager.get());
    EXPECT_EQ(x->getDisplayRule(3), rule);
    EXPECT_FALSE(x->getDisplayRule(2));
    auto manager = x->columnInfoManager.get();
    auto level = CrosstabLevelInfo::create();
    x->setRowLevelInfo(1, level);
    x->setColumnLevelInfo(0, CrosstabLevelInfo::create());
    EXPECT_EQ(x->columnInfoManager.get(), manager);   // the same manager keeps every record
    EXPECT_EQ(x->getRowLevelInfo(1), level);
    EXPECT_NE(x->getColumnLevelInfo(0), level);
    EXPECT_FALSE(x->getColumnLevelInfo(1));
}

TEST(Crosstab, HeaderUpdatesAreDispatched) {
    auto x = Crosstab::create();
    std::vector<int> seen;
    auto cb = FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>& e) { seen.push_back(e->getType()); });
    x->addEventListener(Crosstab::ROW_HEADER_UPDATED, cb);
    x->addEventListener(Crosstab::COLUMN_HEADER_UPDATED, cb);
    x->updateRowHeader();
    x->updateColumnHeader();
    EXPECT_EQ(seen, (std::vector<int>{Crosstab::ROW_HEADER_UPDATED, Crosstab::COLUMN_HEADER_UPDATED}));
}
