// SPDX-License-Identifier: Apache-2.0
// Crosstab descriptions: header spans (3 x 1, 2 x 3, and what an expanded
// child covers), expansion states (expanded, collapsed when the hierarchy
// can expand, nothing when it cannot), drillability, totals, the path of
// level names and values, sparse values spoken as missing, measure-header
// sorts, axis-label headers, selected cells; an empty crosstab lists nothing.
#include "orvane/accessibility/AccessibilityMessages.h"
#include "orvane/accessibility/CrosstabAccessibilityController.h"
#include "crosstab/CrosstabTestData.h"
#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabDefinition.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/data/Hierarchy.h"
#include "orvane/host/data/Level.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/DisplayTreeNode.h"

#include <gtest/gtest.h>

#include <iostream>

using namespace orvane;
using Axis = CrosstabAccessibilityController::Axis;
using Nav = AccessibilityControllerNavigationType;

namespace {

std::shared_ptr<DataSet> orders() {
    auto ds = DataSet::create("orders");
    ds->addColumn(Column::createCharacter("Region", {"East", "East", "East", "West", "West"}));
    ds->addColumn(Column::createCharacter("City", {"Boston", "Boston", "Albany", "Reno", "Reno"}));
    ds->addColumn(Column::createCharacter("Channel", {"Online", "Retail", "Online", "Online", "Retail"}));
    ds->addColumn(Column::createNumeric("Revenue", {1, 2, 3, 4, 5}));
    return ds;
}

struct Fixture {
    std::shared_ptr<BaseView> view = BaseView::create();
    std::shared_ptr<DataSet> data = orders();
    std::shared_ptr<Hierarchy> rows =
        Hierarchy::create("rows", std::vector<std::string>{"Region", "City", "Channel"}, data);
    std::shared_ptr<Crosstab> model = Crosstab::create();
    std::shared_ptr<CrosstabAccessibilityController> a11y;
    Fixture() {
        if (!rows->getExpandedState()) rows->build(data);
        model->rowHierarchy.set(rows);
        a11y = CrosstabAccessibilityController::create(view, model);
    }
    std::shared_ptr<DataTreeNode> member(const std::string& label) const {
        if (!rows->getExpandedState()) return nullptr;
        for (const auto& n : rows->getExpandedState()->getChildren())
            if (n->getPresentableText() == label || (n->getLabel() && *n->getLabel() == label)) return n;
        return nullptr;
    }
};

// A display node of a level, with children.
std::shared_ptr<DisplayTreeNode> node(const std::string& level, const std::string& value,
                                      std::vector<std::shared_ptr<DisplayTreeNode>> children = {}, int span = -1) {
    auto n = DisplayTreeNode::create(value, DataValue::create(value));
    n->setLevelName(std::make_shared<const std::string>(level));
    n->setSpan(span);
    for (auto& c : children) n->addChild(c);
    return n;
}

TEST(CrosstabAccessibilityTest, HeaderSpansCountTheCellsTheyCoverAsDrawn) {
    Fixture f;
    // Row axis, three levels: East over three channels of one city level.
    auto root = DisplayTreeNode::create("");
    auto east = node("Region", "East", {node("City", "Boston"), node("City", "Albany"), node("City", "Salem")});
    root->addChild(east);
    int columns = 0, rows = 0;
    f.a11y->getHeaderSpans(Axis::ROW, east, columns, rows);
    EXPECT_EQ(columns, 1);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(CrosstabAccessibilityController::describeSpans(columns, rows), "Spans 3 rows");
    // One child expanded further: East now covers four drawn rows, not its three children.
    auto boston = east->getChildren()[0];
    boston->addChild(node("Channel", "Online"));
    boston->addChild(node("Channel", "Retail"));
    f.a11y->getHeaderSpans(Axis::ROW, east, columns, rows);
    EXPECT_EQ(rows, 4);
    // A leaf above the deepest level stretches over the levels left.
    f.a11y->getHeaderSpans(Axis::ROW, east->getChildren()[1], columns, rows);
    EXPECT_EQ(columns, 2);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(CrosstabAccessibilityController::describeSpans(columns, rows), "Spans 2 columns");

    // Column axis: a top-level leaf of two measures over three levels.
    auto cols = Hierarchy::create("cols", std::vector<std::string>{"Region", "City", "Channel"}, f.data);
    f.model->columnHierarchy.set(cols);
    auto croot = DisplayTreeNode::create("");
    auto year = node("Region", "West", {}, 2);
    croot->addChild(year);
    f.a11y->getHeaderSpans(Axis::COLUMN, year, columns, rows);
    EXPECT_EQ(columns, 2);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(CrosstabAccessibilityController::describeSpans(columns, rows), "Spans 2 columns and 3 rows");
    EXPECT_EQ(CrosstabAccessibilityController::describeSpans(1, 1), "");
    EXPECT_NE(f.a11y->describeHeader(Axis::ROW, east).find("; Spans 4 rows"), std::string::npos);
}

TEST(CrosstabAccessibilityTest, ExpansionAndDrillFollowTheHierarchy) {
    Fixture f;
    auto east = f.member("East");
    ASSERT_TRUE(east);
    ASSERT_TRUE(east->isCollapsed());
    // Collapsed and expandable; the level below can be drilled into.
    EXPECT_EQ(f.a11y->describeExpansion(Axis::ROW, east), "Collapsed");
    std::string header = f.a11y->describeHeader(Axis::ROW, east);
    EXPECT_EQ(header.rfind("Row header; Level 1; Region = East; Collapsed; Can drill down", 0), 0u) << header;
    ASSERT_TRUE(f.rows->expand(east));
    EXPECT_EQ(f.a11y->describeExpansion(Axis::ROW, east), "Expanded");
    // A member of the last level cannot expand: neither state is spoken.
    auto boston = east->getChildren()[0];
    ASSERT_TRUE(f.rows->expand(boston));
    auto online = boston->getChildren()[0];
    EXPECT_FALSE(f.rows->canExpand(online));
    EXPECT_EQ(f.a11y->describeExpansion(Axis::ROW, online), "");
    header = f.a11y->describeHeader(Axis::ROW, online);
    EXPECT_EQ(header, "Row header; Level 3; Region = East, City = Albany, Channel = Online") << header;
    EXPECT_EQ(header.find("Collapsed"), std::string::npos);
    EXPECT_EQ(header.find("drill"), std::string::npos);
}

TEST(CrosstabAccessibilityTest, TotalsValuesAndCellsAreSpokenPlainly) {
    Fixture f;
    auto total = DisplayTreeNode::create("Total");
    total->setNodeType(NodeType::TOTAL);
    DisplayTreeNode::create("")->addChild(total);
    EXPECT_EQ(f.a11y->getLevelLabel(Axis::ROW, total), "Row total");
    EXPECT_EQ(f.a11y->getLevelLabel(Axis::COLUMN, total), "Column total");
    EXPECT_EQ(f.a11y->describeExpansion(Axis::ROW, total), "");
    // A grand total covers every level column of the row headers.
    EXPECT_EQ(f.a11y->describeHeader(Axis::ROW, total), "Row header; Level 1; Row total; Spans 3 columns");
    // Missing and sparse values are spoken as missing; no value says nothing.
    auto sparse = DataValue::create(12.0);
    sparse->setFlags(DataValue::SPARSE);
    EXPECT_EQ(f.a11y->getValueLabel(sparse, "12"), "Missing value");
    EXPECT_EQ(f.a11y->getValueLabel(DataValue::createMissing(), ""), "Missing value");
    EXPECT_EQ(f.a11y->getValueLabel(DataValue::create(3.5), "3.50"), "3.50");
    EXPECT_EQ(f.a11y->getLabelFromNode(nullptr), "");
    auto rowRoot = DisplayTreeNode::create(""), colRoot = DisplayTreeNode::create("");
    auto row = node("Region", "East");
    auto col = node("Year", "2024");
    rowRoot->addChild(row);
    colRoot->addChild(col);
    EXPECT_EQ(f.a11y->describeDataCell(row, col, "3.50", true), "Region = East; Year = 2024; 3.50; Cell selected");
    EXPECT_EQ(f.a11y->describeMeasureHeader(col, "Revenue", 2),
              "Column header; Year = 2024; Level 1; Revenue; Sorted descending");
    EXPECT_EQ(f.a11y->describeAxisLabelHeader(Axis::ROW, 1), "Row category; City");
    EXPECT_EQ(f.a11y->getObjectDescription(), "Crosstab");
}

TEST(CrosstabAccessibilityTest, ACrosstabWithoutAGridListsNothingAndNavigatesNowhere) {
    Fixture f;
    for (auto detail : {AccessibilityDetailType::DATA_ELEMENTS, AccessibilityDetailType::CROSSTAB_ROW_HEADER,
                        AccessibilityDetailType::CROSSTAB_COLUMN_AXIS_LABEL_HEADER, AccessibilityDetailType::GRAPH_AXES})
        EXPECT_TRUE(f.a11y->getAccessibilityElements(detail).empty());
    for (auto type : {Nav::NEXT, Nav::PREVIOUS, Nav::FIRST, Nav::CELL_DOWN})
        EXPECT_EQ(f.a11y->getAccessibilityElement(type), nullptr);
    // A crosstab with no data at all.
    auto empty = CrosstabAccessibilityController::create(f.view, Crosstab::create());
    EXPECT_EQ(empty->describeHeader(Axis::ROW, nullptr), "");
    EXPECT_EQ(empty->describeAxisLabelHeader(Axis::COLUMN, 0), "Column category");
    EXPECT_EQ(empty->describeMeasureHeader(nullptr, "Revenue", 0), "Column header; Level 1; Revenue");
}

} // namespace

namespace {

std::shared_ptr<CrosstabRenderer> renderedCrosstab() {
    CrosstabDefinition def;
    def.rows = {"Region", "City"};
    def.columns = {"Year"};
    def.measures = {"Sales:sum", "Units:mean"};
    std::string error;
    auto model = def.build(test::crosstabSales(), error);
    EXPECT_TRUE(model) << error;
    auto r = CrosstabRenderer::create();
    r->setModel(model);
    r->setFrame({0.0f, 0.0f, 900.0f, 500.0f});
    r->updateDisplayList(displaylist::DisplayListEditor::create(nullptr));
    return r;
}

TEST(CrosstabAccessibilityTest, ARenderedCrosstabIsReadInGridOrderAndWalkedAcrossItsHeaders) {
    auto r = renderedCrosstab();
    auto base = r->getAccessibilityController();
    ASSERT_TRUE(base);
    auto a11y = std::dynamic_pointer_cast<CrosstabAccessibilityController>(base);
    ASSERT_TRUE(a11y);
    auto elements = a11y->getAccessibilityElements();
    ASSERT_FALSE(elements.empty());
    auto label = [&](int64_t row, int64_t col) {
        for (const auto& e : elements)
            if (e->getRow() == row && e->getColumn() == col) return e->getAccessibilityLabel();
        return std::string("(none)");
    };
    // The corner, the column headers (a year spans its two measures), the
    // measure row, then each row: its header and its cells.
    EXPECT_EQ(label(1, 2), "Column category; Year");
    EXPECT_EQ(label(1, 3), "Column header; Level 1; Year = 2023; Spans 2 columns");
    EXPECT_EQ(label(2, 1), "Row category; Region");
    EXPECT_EQ(label(2, 4), "Column header; Year = 2023; Level 2; Units (mean)");
    EXPECT_EQ(label(3, 1), "Row header; Level 1; Region = East; Collapsed; Can drill down; Spans 2 columns");
    EXPECT_EQ(label(3, 5), "Region = East; Year = 2024; 100");
    EXPECT_EQ(label(4, 3), "Region = North; Year = 2023; Missing value");
    EXPECT_EQ(elements.front()->getRole(), "columnheader");
    // Walking: from the spanning 2023 header, right reaches 2024 (not 2023 again).
    auto first = a11y->getAccessibilityElement(Nav::NEXT);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->getAccessibilityLabel(), "Column category; Year");
    auto year = a11y->getAccessibilityElement(Nav::CELL_RIGHT);
    EXPECT_EQ(year->getAccessibilityLabel(), "Column header; Level 1; Year = 2023; Spans 2 columns");
    EXPECT_EQ(a11y->getAccessibilityElement(Nav::CELL_RIGHT)->getAccessibilityLabel(),
              "Column header; Level 1; Year = 2024; Spans 2 columns");
    EXPECT_EQ(a11y->getAccessibilityElement(Nav::CELL_RIGHT)->getAccessibilityLabel(),
              "Column header; Level 1; Year = 2024; Spans 2 columns");  // the edge
    EXPECT_EQ(a11y->getAccessibilityElement(Nav::CELL_DOWN)->getAccessibilityLabel(),
              "Column header; Year = 2024; Level 2; Sales");
    EXPECT_EQ(a11y->getAccessibilityElement(Nav::CELL_DOWN)->getAccessibilityLabel(), "Region = East; Year = 2024; 100");
    EXPECT_EQ(a11y->getAccessibilityElement(Nav::LOCAL_FIRST)->getAccessibilityLabel(),
              "Row header; Level 1; Region = East; Collapsed; Can drill down; Spans 2 columns");
    EXPECT_EQ(a11y->getAccessibilityElement(Nav::CELL_DOWN)->getRole(), "rowheader");
    // The column of a data cell goes to the sonification: East, North, West in 2024.
    auto cell = a11y->getAccessibilityElement(Nav::LOCAL_LAST);
    std::vector<double> values = a11y->getSeriesValues(cell, true);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[0], 5.0);
    EXPECT_EQ(values[1], 6.0);
    // Headers of each axis on request.
    EXPECT_EQ(a11y->getAccessibilityElements(AccessibilityDetailType::CROSSTAB_ROW_HEADER).size(), 3u);
    EXPECT_EQ(a11y->getAccessibilityElements(AccessibilityDetailType::CROSSTAB_COLUMN_HEADER).size(), 2u);
    auto corner = a11y->getAccessibilityElements(AccessibilityDetailType::CROSSTAB_ROW_AXIS_LABEL_HEADER);
    ASSERT_EQ(corner.size(), 2u);
    EXPECT_EQ(corner[1]->getAccessibilityLabel(), "Row category; City");
    EXPECT_EQ(a11y->getAccessibilityElements(AccessibilityDetailType::CROSSTAB_COLUMN_AXIS_LABEL_HEADER).size(), 1u);
    EXPECT_TRUE(a11y->getAccessibilityElements(AccessibilityDetailType::GRAPH_AXES).empty());
}

} // namespace
