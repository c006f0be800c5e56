// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/ZxAxis.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/format/Formatter.h"
#include "orvane/prompts/ComboBoxModel.h"
#include "orvane/prompts/PromptButtonBarModel.h"
#include "orvane/prompts/PromptListModel.h"
#include "orvane/prompts/RangeSliderModel.h"
#include "orvane/prompts/SingleRangeSliderModel.h"
#include "orvane/prompts/TextFieldModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace orvane;

namespace {
double day(int d, int m, int y) { return static_cast<double>(ZxAxis::ziddmdy(m, d, y)); }
}

TEST(SliderModels, RangesRefuseBadBoundsAndSwapInvertedOnes) {
    auto s = RangeSliderModel::create();
    CLogCapture log;
    auto f = Formatter::create("COMMA8.1");
    EXPECT_TRUE(s->setRange(10, 2, f));
    EXPECT_EQ(s->minimumValue.get(), 2);
    EXPECT_EQ(s->maximumValue.get(), 10);
    EXPECT_EQ(*s->formattedMaximumValue.get(), "10.0");
    EXPECT_TRUE(log.contains(1, "swapped"));
    EXPECT_FALSE(s->setRange(std::nan(""), 3, f));
    EXPECT_FALSE(s->setRange(0, std::numeric_limits<double>::infinity(), f));
    EXPECT_EQ(s->maximumValue.get(), 10);  // unchanged
}

TEST(SliderModels, ThumbsSnapStayInRangeAndInOrder) {
    auto s = RangeSliderModel::create();
    auto f = Formatter::create("COMMA8.1");
    s->setRange(2, 10, f);
    EXPECT_TRUE(s->setSelectedRange(7.26, 3.04, f));
    EXPECT_DOUBLE_EQ(s->selectedMinimumValue.get(), 3.0);
    EXPECT_DOUBLE_EQ(s->selectedMaximumValue.get(), 7.3);
    EXPECT_EQ(*s->formattedSelectedMaximumValue.get(), "7.3");
    // A drag beyond the track stops at the ends.
    s->setSelectedRange(-50, 1e9, f);
    EXPECT_EQ(s->selectedMinimumValue.get(), 2);
    EXPECT_EQ(s->selectedMaximumValue.get(), 10);
    // The lower thumb dragged past the upper one stops at it.
    s->setSelectedRange(4, 6, f);
    s->moveThumb(false, 8, f);
    EXPECT_DOUBLE_EQ(s->selectedMinimumValue.get(), 6);
    EXPECT_DOUBLE_EQ(s->selectedMaximumValue.get(), 8);
    EXPECT_FALSE(s->setSelectedRange(std::nan(""), 4, f));
    // Arrow keys: one snap step; page keys: ten.
    EXPECT_DOUBLE_EQ(s->stepFrom(4.0, 1, f), 4.1);
    EXPECT_DOUBLE_EQ(s->stepFrom(4.0, -10, f), 3.0);
    EXPECT_DOUBLE_EQ(s->stepFrom(9.95, 10, f), 10.0);
    // Equal bounds: every value goes to the one value.
    s->setRange(5, 5, f);
    s->setSelectedRange(1, 9, f);
    EXPECT_EQ(s->selectedMinimumValue.get(), 5);
    EXPECT_EQ(s->selectedMaximumValue.get(), 5);
}

TEST(SliderModels, DateThumbsSnapToDaysAndMonthsInsideTheRange) {
    auto s = SingleRangeSliderModel::create();
    auto months = Formatter::create("MONYY7.");
    s->setRange(day(15, 1, 2024), day(20, 6, 2024), months);
    // The month of 15 January starts before the range: the thumb goes to 1 February.
    EXPECT_TRUE(s->setSelectedValueSnapped(day(16, 1, 2024), months));
    EXPECT_EQ(s->selectedValue.get(), day(1, 2, 2024));
    EXPECT_EQ(*s->formattedSelectedValue.get(), "FEB2024");
    s->setSelectedValueSnapped(day(29, 2, 2024), months);
    EXPECT_EQ(s->selectedValue.get(), day(1, 2, 2024));
    EXPECT_EQ(s->stepFrom(day(29, 2, 2024), 1, months), day(1, 3, 2024));
    auto days = Formatter::create("DATE9.");
    s->setRange(day(1, 2, 2024), day(1, 3, 2024), days);
    EXPECT_EQ(s->stepFrom(day(28, 2, 2024), 1, days), day(29, 2, 2024));
    EXPECT_EQ(s->stepFrom(day(29, 2, 2024), 5, days), day(1, 3, 2024));
}

TEST(ListModels, RadioListsKeepOneTickAndBadIndicesAreRefused) {
    auto l = PromptListModel::create();
    l->setItems({DataValue::create("East"), DataValue::create("West"), DataValue::create("North")});
    EXPECT_TRUE(l->setItemSelected(0, true));
    EXPECT_TRUE(l->setItemSelected(2, true));
    EXPECT_EQ(l->getSelectedIndices(), (std::vector<int>{0, 2}));
    l->isPromptListRadio = true;
    EXPECT_TRUE(l->setItemSelected(1, true));
    EXPECT_EQ(l->getSelectedIndices(), (std::vector<int>{1}));
    CLogCapture log;
    EXPECT_FALSE(l->setItemSelected(3, true));
    EXPECT_FALSE(l->setItemSelected(-1, true));
    EXPECT_TRUE(log.contains(1, "List entry 3 does not exist."));
    EXPECT_EQ(l->getSelectedValues().size(), 1u);
    EXPECT_EQ(l->getSelectedValues()[0]->getPresentableText(), "West");
    l->isPromptListRadio = false;
    l->selectValues({DataValue::create("North"), DataValue::create("East"), DataValue::create(3.0)});
    EXPECT_EQ(l->getSelectedIndices(), (std::vector<int>{0, 2}));

    // Ten thousand entries.
    std::vector<std::shared_ptr<DataValue>> many;
    for (int i = 0; i < 10000; ++i) many.push_back(DataValue::create("item " + std::to_string(i)));
    l->setItems(many);
    EXPECT_TRUE(l->setItemSelected(9999, true));
    EXPECT_EQ(l->getSelectedIndices(), (std::vector<int>{9999}));
}

TEST(ListModels, ButtonsDropDownsAndTextFields) {
    auto b = PromptButtonBarModel::create();
    b->values = MonitoredVector<std::shared_ptr<DataValue>>::create({DataValue::create("2023"), DataValue::create("2024")});
    b->numberOfItems = 2u;
    EXPECT_TRUE(b->pressButton(1));
    EXPECT_EQ(b->getSelectedValue()->getPresentableText(), "2024");
    EXPECT_FALSE(b->pressButton(2));
    EXPECT_EQ(b->selectedIndex.get(), 1);
    EXPECT_TRUE(b->pressButton(-1));
    EXPECT_EQ(b->getSelectedValue(), nullptr);

    auto c = ComboBoxModel::create();
    std::vector<std::shared_ptr<DataValue>> entries{DataValue::create("Ink"), DataValue::create("Pens")};
    EXPECT_TRUE(c->choose(DataValue::create("Pens"), entries));
    EXPECT_FALSE(c->choose(DataValue::create("Paper"), entries));
    EXPECT_EQ(c->currentValue.get()->getPresentableText(), "Pens");
    // The empty drop-down accepts what it is given.
    EXPECT_TRUE(c->choose(DataValue::create("Paper"), {}));

    auto t = TextFieldModel::create();
    EXPECT_EQ(t->setText("Zürich"), "Zürich");
    // Invalid UTF-8: each bad byte becomes U+FFFD.
    EXPECT_EQ(t->setText(std::string("a\xff" "b\xc3")), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
    CLogCapture log;
    std::string huge(100000, 'x');
    EXPECT_EQ(t->setText(huge).size(), TextFieldModel::MAX_CHARACTERS);
    EXPECT_TRUE(log.contains(1, "cut to"));
    EXPECT_EQ(t->currentValue.get()->getString()->size(), TextFieldModel::MAX_CHARACTERS);
}
