// SPDX-License-Identifier: Apache-2.0
#include "common/EventLog.h"
#include "common/SampleData.h"

#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/data/MetadataProvider.h"
#include "orvane/selection/DataSetSelectionController.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionControl.h"
#include "orvane/selection/SelectionControlEvent.h"
#include "orvane/selection/SelectionControlItem.h"
#include "orvane/selection/SelectionControlTerm.h"
#include "orvane/selection/SelectionOptions.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::test;
using B = ExpressionBuilder;

namespace {

struct Fixture {
    std::shared_ptr<DataSet> ds = makeSales();
    std::shared_ptr<DataSetSelectionController> controller = DataSetSelectionController::create(dataSetList({ds}));
    std::shared_ptr<SelectionControl> control = SelectionControl::create();
    std::shared_ptr<MetadataProvider> metadata = MetadataProvider::create(ds);
    EventLog rec{*control,
                 {SelectionControl::SELECTION_CONTROL_CHANGE, SelectionControl::REMOVE_ITEM, SelectionControl::REMOVE_TERM}};
    Fixture() { ds->getColumnWithName("units")->setLabel("Units sold"); }
    // Region East or West and units 10 to 25, applied and shown.
    void selectTwoConditions() {
        auto s = selectionList({namedSelection("sales", B::and_(B::in(B::var("region"), {B::const_("East"), B::const_("West")}),
                                                     B::between(B::var("units"), B::const_(10.0), B::const_(25.0))))});
        controller->applySelections(s, nullptr);
        control->updateSelection(controller, nullptr, metadata, false, s);
    }
};

} // namespace

TEST(SelectionControl, ItemsAndReadableTermsFromAController) {
    Fixture f;
    f.selectTwoConditions();
    auto items = f.control->getItemList();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(SelectionControl::describe(*f.control),
              "{items: sales: [region: East, West, Units sold: 10 to 25]}");
    EXPECT_EQ(f.rec.count(SelectionControl::SELECTION_CONTROL_CHANGE), 1);

    // The same selections again: still one item and no second change.
    f.control->updateSelection(f.controller, nullptr, f.metadata, false,
                               items[0]->selections.get() ? std::make_shared<std::vector<std::shared_ptr<Selection>>>(
                                                                 items[0]->getSelectionList())
                                                          : nullptr);
    f.control->updateSelection(f.controller, nullptr, f.metadata, false,
                               selectionList({namedSelection("sales", B::and_(B::in(B::var("region"), {B::const_("East"), B::const_("West")}),
                                                                  B::between(B::var("units"), B::const_(10.0), B::const_(25.0))))}));
    EXPECT_EQ(f.control->getItemList().size(), 1u);
    EXPECT_EQ(f.rec.count(SelectionControl::SELECTION_CONTROL_CHANGE), 1);
    // Read-only flips are a change.
    f.control->updateSelection(f.controller, nullptr, f.metadata, true, nullptr);
    EXPECT_EQ(f.rec.count(SelectionControl::SELECTION_CONTROL_CHANGE), 2);
    EXPECT_TRUE(f.control->getItemList()[0]->readOnly.get());
}

TEST(SelectionControl, RemovingATermReappliesTheRest) {
    // Removed by the control, or asked of the item (a chip's close button):
    // the same outcome.
    for (bool askTheItem : {false, true}) {
        SCOPED_TRACE(askTheItem ? "asked of the item" : "removed by the control");
        Fixture f;
        f.selectTwoConditions();
        EXPECT_EQ(f.ds->getRowStates()->getSelectedIndices(), (std::vector<int>{1, 2, 4, 9}));
        auto item = f.control->getItemList()[0];
        auto units = (*item->terms.get())[1];
        if (askTheItem)
            item->dispatchEvent(SelectionControlEvent::create(SelectionControl::REMOVE_TERM, item, units));
        else
            EXPECT_TRUE(f.control->removeTerm(units));
        // Only the region condition is left, and applied.
        EXPECT_EQ(item->terms.get()->size(), 1u);
        EXPECT_EQ(f.ds->getRowStates()->getSelectedIndices(), (std::vector<int>{0, 1, 2, 4, 5, 9}));
        EXPECT_EQ(SelectionControl::describe(*f.control), "{items: sales: [region: East, West]}");
        EXPECT_FALSE(f.control->removeTerm(units));  // already gone

        // Removing the last term removes the item and clears the controller.
        auto region = (*item->terms.get())[0];
        EXPECT_TRUE(f.control->removeTerm(region));
        EXPECT_TRUE(f.control->getItemList().empty());
        EXPECT_TRUE(f.ds->getRowStates()->getSelectedIndices().empty());
        EXPECT_EQ(f.rec.count(SelectionControl::REMOVE_ITEM), 1);
    }
}

TEST(SelectionControl, RemovingItemsAndClearing) {
    Fixture f;
    f.selectTwoConditions();
    auto item = f.control->getItemList()[0];
    EXPECT_FALSE(f.control->removeItem(nullptr));
    EXPECT_FALSE(f.control->removeItem(SelectionControlItem::create()));
    EXPECT_TRUE(f.control->removeItem(item));
    EXPECT_TRUE(f.control->getItemList().empty());
    EXPECT_TRUE(f.ds->getRowStates()->getSelectedIndices().empty());
    EXPECT_EQ(f.rec.count(SelectionControl::REMOVE_ITEM), 1);
    EXPECT_FALSE(f.control->removeItem(item));

    f.selectTwoConditions();
    f.rec.clear();
    f.control->clear();
    EXPECT_EQ(f.rec.types(), (std::vector<int>{SelectionControl::REMOVE_ITEM, SelectionControl::SELECTION_CONTROL_CHANGE}));
    EXPECT_TRUE(f.control->getItemList().empty());
    f.rec.clear();
    f.control->clear();  // nothing there: nothing sent
    EXPECT_EQ(f.rec.size(), 0u);
}

TEST(SelectionControl, NullOrEmptySelectionsRemoveTheItemWithoutClearing) {
    for (bool empty : {false, true}) {
        Fixture f;
        f.selectTwoConditions();
        f.rec.clear();
        // The controller answers nothing (no rows selected in its data any more)...
        if (empty) f.control->updateSelection(f.controller, nullptr, f.metadata, false, selectionList({}));
        else {
            f.ds->getRowStates()->clear(0);
            f.control->updateSelection(f.controller, nullptr, f.metadata, false, nullptr);
        }
        EXPECT_TRUE(f.control->getItemList().empty());
        EXPECT_EQ(f.rec.count(SelectionControl::REMOVE_ITEM), 0);
        EXPECT_EQ(f.rec.count(SelectionControl::SELECTION_CONTROL_CHANGE), 1);
    }
    // A null controller does nothing.
    Fixture g;
    g.control->updateSelection(nullptr, nullptr, g.metadata, false, nullptr);
    EXPECT_EQ(g.rec.size(), 0u);
}

TEST(SelectionControl, NestedUpdateInsideAListenerAnnouncesOnce) {
    Fixture f;
    auto second = DataSetSelectionController::create(dataSetList({makeSales("stock")}));
    int changes = 0;
    bool nested = false;
    auto cb = FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) {
        ++changes;
        if (nested) return;
        nested = true;
        f.control->updateSelection(second, nullptr, f.metadata, false,
                                   selectionList({namedSelection("stock", B::eq(B::var("region"), B::const_("North")))}));
    });
    f.control->addEventListener(SelectionControl::SELECTION_CONTROL_CHANGE, cb);
    f.selectTwoConditions();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(f.control->getItemList().size(), 2u);
}

TEST(SelectionControl, ExpressionsWithoutTheUniformShapeAreDropped) {
    Fixture f;
    f.control->updateSelection(f.controller, nullptr, f.metadata, false,
                               selectionList({namedSelection("sales", B::not_(B::eq(B::var("region"), B::const_("East"))))}));
    EXPECT_TRUE(f.control->getItemList().empty());
    EXPECT_EQ(f.rec.size(), 0u);
}
