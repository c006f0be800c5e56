// SPDX-License-Identifier: Apache-2.0
// Enumeration reads and writes asked of properties that hold something else.
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/package/CellVisualType.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace orvane;

TEST(ModelDatabase, EnumerationCallsOnPropertiesOfAnotherTypeAnswerNo) {
    auto* db = BaseUIModelDatabase::instance();
    auto info = DataGridColumnInfo::create();
    info->styleClassName.set(std::make_shared<const std::string>("keep"));
    info->useCompactFormat.set(true);
    info->columnIndex.set(7);
    const int code = CellVisualType::VALUE_TYPE;

    // A string, a bool and an int property are not enumerations.
    EXPECT_EQ(db->setEnumProperty(info->styleClassName, "BAR", code, 0), 0);
    EXPECT_EQ(db->setEnumProperty(info->useCompactFormat, "BAR", code, 0), 0);
    EXPECT_EQ(db->setEnumProperty(info->columnIndex, "BAR", code, 0), 0);
    EXPECT_EQ(*info->styleClassName.get(), "keep");
    EXPECT_TRUE(info->useCompactFormat.get());
    EXPECT_EQ(info->columnIndex.get(), 7);

    std::ostringstream os;
    EXPECT_FALSE(db->serializeEnumProperty(info->styleClassName, os, code, 0, 0));
    EXPECT_FALSE(db->serializeEnumProperty(info->useCompactFormat, os, code, 0, 0));
    EXPECT_TRUE(os.str().empty());

    // An enumeration property asked with another enumeration's code neither.
    info->cellVisual.set(CellVisualType::HEATMAP);
    EXPECT_EQ(db->setEnumProperty(info->cellVisual, "DESCENDING", -1074, 0), 0);
    EXPECT_EQ(info->cellVisual.get(), CellVisualType::HEATMAP);
    // Its own code still works.
    EXPECT_EQ(db->setEnumProperty(info->cellVisual, "BAR", code, 0), 2);
    EXPECT_TRUE(db->serializeEnumProperty(info->cellVisual, os, code, 0, 0));
    EXPECT_EQ(os.str(), "bar");
}
