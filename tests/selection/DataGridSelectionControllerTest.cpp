// SPDX-License-Identifier: Apache-2.0
// The table's selection controller (one selection, the table's data set and
// its category columns) and the link between tables over the same data.
#include "common/EventLog.h"
#include "common/SampleData.h"

#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/datagrid/DataGridSelectionController.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/CLog.h"
#include "orvane/selection/DataSetSelectionController.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionChangeEvent.h"
#include "orvane/selection/SelectionLink.h"
#include "orvane/selection/SelectionOptions.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orvane;
using namespace orvane::test;
using Names = MonitoredVector<std::shared_ptr<const std::string>>;

namespace {

struct TableOver {
    std::shared_ptr<DataGrid> model = DataGrid::create();
    std::shared_ptr<DataGridRenderer> view;
    std::shared_ptr<DataGridSelectionController> controller;
    explicit TableOver(std::shared_ptr<DataSet> ds) {
        model->dataSet.set(std::move(ds));
        view = model->createRenderer();
        controller = std::dynamic_pointer_cast<DataGridSelectionController>(view->getSelectionController());
    }
};

} // namespace

TEST(DataGridSelectionControllerTest, RoundTripThroughTheTable) {
    TableOver t(makeSales());
    ASSERT_NE(t.controller, nullptr);
    EXPECT_EQ(t.controller->getDataGrid(), t.model);
    auto ds = t.model->dataSet.get();
    ds->getRowStates()->setSelectedIndices({0, 3, 6});
    auto sels = t.controller->getSelections(nullptr);
    ASSERT_TRUE(sels);
    ASSERT_EQ(sels->size(), 1u);
    EXPECT_EQ(*(*sels)[0]->dataName.get(), "sales");
    t.controller->clearSelections();
    EXPECT_EQ(ds->getRowStates()->getSelectedCount(), 0u);
    t.controller->applySelections(sels, nullptr);
    // The default variables are the category columns: rows sharing them come too.
    EXPECT_EQ(ds->getRowStates()->getSelectedIndices(),
              rowsSharingValues(*ds, {0, 3, 6}, {"region", "product", "year"}));
}

TEST(DataGridSelectionControllerTest, DefaultVariablesFollowTheTablesColumns) {
    TableOver t(makeSales());
    t.model->orderedColumnNames.set(Names::create({str("units"), str("product")}));
    SelectionOptions options;
    t.controller->populateDefaultVariables(options);
    ASSERT_TRUE(options.expectedVariableNames.get());
    ASSERT_EQ(options.expectedVariableNames.get()->size(), 1u);  // units is a measure
    EXPECT_EQ(*(*options.expectedVariableNames.get())[0], "product");
    t.controller->populateDefaultDataNames(options);
    EXPECT_EQ(*(*options.expectedDataNames.get())[0], "sales");
}

TEST(DataGridSelectionControllerTest, ExactlyOneSelectionAndADataSetWithRowStates) {
    TableOver t(makeSales());
    auto ds = t.model->dataSet.get();
    ds->getRowStates()->setSelectedIndices({1});
    auto one = t.controller->getSelections(nullptr);
    ASSERT_TRUE(one && one->size() == 1);
    auto two = std::make_shared<SelectionController::Selections>(*one);
    two->push_back((*one)[0]);
    ds->getRowStates()->setSelectedIndices({2});
    {
        CLogCapture log;
        t.controller->applySelections(two, nullptr);
        EXPECT_TRUE(log.contains("DataGrid selection requires exactly one Selection (multiple were provided)."));
        t.controller->applySelections(std::make_shared<SelectionController::Selections>(), nullptr);
        t.controller->applySelections(nullptr, nullptr);
        EXPECT_TRUE(log.contains("DataGrid selection requires exactly one Selection (none was provided)."));
    }
    EXPECT_EQ(ds->getRowStates()->getSelectedIndices(), std::vector<int>({2}));  // untouched

    // A data name the options do not expect gives no selection.
    auto options = SelectionOptions::create();
    options->expectedDataNames = Names::create({str("other")});
    options->expectedVariableNames = Names::create({str("region")});
    EXPECT_FALSE(t.controller->getSelections(options));

    // Without a data set every call is logged and does nothing.
    TableOver bare(nullptr);
    CLogCapture log;
    EXPECT_FALSE(bare.controller->getSelections(nullptr));
    bare.controller->applySelections(one, nullptr);
    bare.controller->clearSelections();
    EXPECT_TRUE(log.contains("DataGrid selection requires a DataSet with RowStates."));
}

TEST(DataGridSelectionControllerTest, ObservesTheTablesDataSetAtOnceAndFollowsIt) {
    TableOver t(makeSales());
    EventLog heard(*t.controller, {SelectionController::SELECTION_CHANGED});
    t.model->dataSet.get()->getRowStates()->setSelectedIndices({1});
    EXPECT_EQ(heard.dataNames(), std::vector<std::string>({"sales"}));
    // A new data set on the model is observed instead of the old one.
    auto old = t.model->dataSet.get();
    t.model->dataSet.set(makeSales("stock"));
    old->getRowStates()->setSelectedIndices({2});
    t.model->dataSet.get()->getRowStates()->setSelectedIndices({2});
    EXPECT_EQ(heard.dataNames(), std::vector<std::string>({"sales", "stock"}));
}

TEST(SelectionLinkTest, DataSetsWithOneNameShareTheirSelectedRows) {
    auto a = makeSales();
    auto b = reversedCopy(*a);
    auto other = makeSales("stock");
    auto link = SelectionLink::create({a, b, other});
    ASSERT_NE(link, nullptr);
    a->getRowStates()->setSelectedIndices({1, 4});
    const int n = int(a->getRowCount());
    EXPECT_EQ(b->getRowStates()->getSelectedIndices(), std::vector<int>({n - 1 - 4, n - 1 - 1}));
    EXPECT_EQ(other->getRowStates()->getSelectedCount(), 0u);
    EXPECT_EQ(link->getPropagationCount(), 1);  // b's own change is not passed back
    b->getRowStates()->setSelectedIndices({0});
    EXPECT_EQ(a->getRowStates()->getSelectedIndices(), std::vector<int>({n - 1}));
    b->getRowStates()->clear(0);
    EXPECT_EQ(a->getRowStates()->getSelectedCount(), 0u);
    // Nothing to link: a single data set, or different names.
    EXPECT_EQ(SelectionLink::create({a}), nullptr);
    EXPECT_EQ(SelectionLink::create({a, other}), nullptr);
    EXPECT_EQ(SelectionLink::create({a, a, nullptr}), nullptr);
}
