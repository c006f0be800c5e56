// SPDX-License-Identifier: Apache-2.0
// Report prompts: hit areas turning taps, drags, keys and typing into model
// values, the selections they make and how prompts over one data combine.
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/prompts/ComboBoxModel.h"
#include "orvane/prompts/PromptButtonBarModel.h"
#include "orvane/prompts/PromptButtonBarRenderer.h"
#include "orvane/prompts/PromptListModel.h"
#include "orvane/prompts/PromptListRenderer.h"
#include "orvane/prompts/PromptSelectionController.h"
#include "orvane/prompts/RangeSliderModel.h"
#include "orvane/prompts/RangeSliderRenderer.h"
#include "orvane/prompts/SingleRangeSliderModel.h"
#include "orvane/prompts/TextFieldModel.h"
#include "orvane/report/ReportPrompt.h"
#include "orvane/selection/SelectionChangeEvent.h"
#include "orvane/host/core/AbstractEventCallback.h"

#include "common/EventLog.h"
#include "common/ViewSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvane;

namespace {

// 12 orders: 4 regions x 3 years, two products.
std::shared_ptr<DataSet> orders() {
    auto ds = DataSet::create("orders");
    std::vector<std::string> regions, products;
    std::vector<double> years;
    const char* names[] = {"East", "North", "South", "West"};
    for (int y = 0; y < 3; ++y)
        for (int r = 0; r < 4; ++r) {
            regions.push_back(names[r]);
            years.push_back(2021 + y);
            products.push_back(r % 2 ? "Widget" : "Gizmo");
        }
    ds->addColumn(Column::createCharacter("region", regions));
    ds->addColumn(Column::createNumeric("year", years));
    ds->addColumn(Column::createCharacter("product", products));
    return ds;
}

// A prompt laid out at W x H in a page root, as a report page hosts it.
struct Hosted {
    std::shared_ptr<ReportPrompt> prompt;
    std::shared_ptr<BaseView> root;
};

Hosted host(ReportPrompt::Kind kind, const std::string& column, const std::shared_ptr<DataSet>& data, float w = 216,
            float h = 0, std::vector<std::string> initial = {}) {
    ReportPrompt::Settings s;
    s.kind = kind;
    s.column = column;
    s.initial = std::move(initial);
    std::string error;
    Hosted out;
    out.prompt = ReportPrompt::create(s, data, error);
    EXPECT_TRUE(out.prompt) << error;
    if (!out.prompt) return out;
    const float height = h > 0 ? h : out.prompt->getPreferredHeight(w);
    out.root = test::rootView(w, height + 300);
    out.root->addSubview(out.prompt->getHostView());
    out.prompt->getHostView()->setFrame({0, 300, w, height});
    out.prompt->setOverlayParent(out.root);
    out.prompt->start();
    out.root->render();
    return out;
}

size_t selected(const std::shared_ptr<DataSet>& ds) {
    return ds->getRowStates() ? ds->getRowStates()->getSelectedCount() : 0;
}

} // namespace

TEST(ReportPrompt, TappingListRowsTicksValuesAndSelectsTheirRows) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto data = orders();
    Hosted h = host(ReportPrompt::Kind::LIST, "region", data);
    auto list = std::static_pointer_cast<PromptListRenderer>(h.prompt->getView());
    auto model = std::static_pointer_cast<PromptListModel>(h.prompt->getModel());
    ASSERT_EQ(list->getTotalLines(), 4);
    const float l = list->getLineHeight();
    const float H = list->getFrame().height;
    auto rowPoint = [&](int k) { return Point{60, H - l / 8 - (k + 1) * l + l / 2}; };

    test::EventLog events(*h.prompt->getController(), {SelectionController::SELECTION_CHANGED});

    EXPECT_TRUE(h.prompt->tap(rowPoint(3)));  // West
    EXPECT_EQ(model->getSelectedIndices(), (std::vector<int>{3}));
    EXPECT_EQ(selected(data), 3u);
    EXPECT_EQ(h.prompt->describeSelection(), "West");
    EXPECT_EQ(events.size(), 1u);
    EXPECT_TRUE(h.prompt->tap(rowPoint(0)));  // and East
    EXPECT_EQ(selected(data), 6u);
    EXPECT_EQ(h.prompt->describeSelection(), "East, West");
    EXPECT_TRUE(h.prompt->tap(rowPoint(3)));  // West off again
    EXPECT_EQ(selected(data), 3u);
    EXPECT_TRUE(h.prompt->tap(rowPoint(0)));  // nothing ticked: no row selected
    EXPECT_EQ(selected(data), 0u);
    EXPECT_EQ(h.prompt->describeSelection(), "nothing picked");
    EXPECT_EQ(events.size(), 4u);
    // Outside the rows nothing changes.
    EXPECT_FALSE(h.prompt->tap({60, 0.2f}));
    EXPECT_EQ(events.size(), 4u);
    // Keys: down moves the focused row, space ticks it.
    EXPECT_TRUE(h.prompt->pressKey(ReportPrompt::Key::DOWN));
    EXPECT_TRUE(h.prompt->pressKey(ReportPrompt::Key::SPACE));
    EXPECT_EQ(model->getSelectedIndices(), (std::vector<int>{1}));
    EXPECT_EQ(h.prompt->describeSelection(), "North");
}

TEST(ReportPrompt, RadioListsKeepOneValue) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto data = orders();
    Hosted h = host(ReportPrompt::Kind::RADIO, "region", data, 216, 0, {"South"});
    EXPECT_EQ(h.prompt->describeSelection(), "South");
    EXPECT_EQ(selected(data), 3u);
    auto list = std::static_pointer_cast<PromptListRenderer>(h.prompt->getView());
    const float l = list->getLineHeight(), H = list->getFrame().height;
    EXPECT_TRUE(h.prompt->tap({60, H - l / 8 - l / 2}));  // East
    EXPECT_EQ(h.prompt->describeSelection(), "East");
    EXPECT_TRUE(h.prompt->tap({60, H - l / 8 - l / 2}));  // again: stays on
    EXPECT_EQ(h.prompt->describeSelection(), "East");
}

TEST(ReportPrompt, DraggingRangeThumbsSnapsAndSelectsTheRange) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto data = orders();
    Hosted h = host(ReportPrompt::Kind::RANGE, "year", data, 216);  // track: 200 px for 2 years
    auto view = std::static_pointer_cast<RangeSliderRenderer>(h.prompt->getView());
    auto model = std::static_pointer_cast<RangeSliderModel>(h.prompt->getModel());
    const float y = view->trackCentre();
    EXPECT_EQ(h.prompt->describeSelection(), "nothing picked");  // the whole range filters nothing

    // Take the upper thumb and drag it 90 px left: 2023 - 0.9 years snaps to 2022.
    const Point upper{view->getThumbPosition(true) - 3, y};
    EXPECT_TRUE(h.prompt->drag(GestureRecognizerState::BEGAN, upper, upper));
    EXPECT_TRUE(h.prompt->drag(GestureRecognizerState::CHANGED, upper, {upper.x - 90, y}));
    EXPECT_TRUE(h.prompt->drag(GestureRecognizerState::ENDED, upper, {upper.x - 90, y}));
    EXPECT_DOUBLE_EQ(model->selectedMaximumValue.get(), 2022.0);
    EXPECT_DOUBLE_EQ(model->selectedMinimumValue.get(), 2021.0);
    auto values = h.prompt->getController()->getSelectedValues();
    ASSERT_TRUE(values);
    ASSERT_EQ(values->size(), 2u);  // RANGE: exactly [min, max]
    EXPECT_EQ(selected(data), 8u);
    EXPECT_EQ(h.prompt->describeSelection(), "2021 to 2022");

    // The lower thumb dragged far beyond the track stops at the upper one.
    const Point lower{view->getThumbPosition(false), y};
    h.prompt->drag(GestureRecognizerState::BEGAN, lower, lower);
    h.prompt->drag(GestureRecognizerState::ENDED, lower, {lower.x + 5000, y});
    EXPECT_DOUBLE_EQ(model->selectedMinimumValue.get(), 2022.0);
    EXPECT_DOUBLE_EQ(model->selectedMaximumValue.get(), 2022.0);
    EXPECT_EQ(selected(data), 4u);

    // Keys move the last thumb held by one snap step, page keys by ten (kept in range).
    EXPECT_FALSE(h.prompt->pressKey(ReportPrompt::Key::RIGHT));  // the lower thumb cannot pass the upper
    EXPECT_TRUE(h.prompt->pressKey(ReportPrompt::Key::LEFT));
    EXPECT_DOUBLE_EQ(model->selectedMinimumValue.get(), 2021.0);
    h.prompt->pressKey(ReportPrompt::Key::SPACE);  // the other thumb: the upper one
    EXPECT_TRUE(h.prompt->pressKey(ReportPrompt::Key::PAGE_UP));
    EXPECT_DOUBLE_EQ(model->selectedMaximumValue.get(), 2023.0);
    EXPECT_EQ(selected(data), 0u);  // the whole range again: nothing picked, no row marked
}

TEST(ReportPrompt, SingleSliderTapsAndEqualThumbs) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto data = orders();
    Hosted h = host(ReportPrompt::Kind::SLIDER, "year", data, 216);
    auto model = std::static_pointer_cast<SingleRangeSliderModel>(h.prompt->getModel());
    auto view = std::static_pointer_cast<SliderRenderer>(h.prompt->getView());
    EXPECT_TRUE(h.prompt->tap({200, view->trackCentre()}));
    EXPECT_DOUBLE_EQ(model->selectedValue.get(), 2023.0);
    EXPECT_EQ(selected(data), 4u);
    EXPECT_TRUE(h.prompt->pressKey(ReportPrompt::Key::HOME));
    EXPECT_DOUBLE_EQ(model->selectedValue.get(), 2021.0);

    // A value given at the start is picked even where the thumb already is.
    auto fresh = orders();
    Hosted first = host(ReportPrompt::Kind::SLIDER, "year", fresh, 216, 0, {"2021"});
    EXPECT_EQ(first.prompt->describeSelection(), "2021");
    EXPECT_EQ(selected(fresh), 4u);

    // Both thumbs on one spot: the drag's direction picks the thumb.
    Hosted r = host(ReportPrompt::Kind::RANGE, "year", data, 216, 0, {"2022", "2022"});
    auto range = std::static_pointer_cast<RangeSliderModel>(r.prompt->getModel());
    auto rv = std::static_pointer_cast<RangeSliderRenderer>(r.prompt->getView());
    const Point at{rv->getThumbPosition(true), rv->trackCentre()};
    r.prompt->drag(GestureRecognizerState::BEGAN, at, {at.x - 150, at.y});
    r.prompt->drag(GestureRecognizerState::ENDED, at, {at.x - 150, at.y});
    EXPECT_DOUBLE_EQ(range->selectedMinimumValue.get(), 2021.0);
    EXPECT_DOUBLE_EQ(range->selectedMaximumValue.get(), 2022.0);
}

TEST(ReportPrompt, ButtonsDropDownsAndTheirKeys) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto data = orders();
    Hosted b = host(ReportPrompt::Kind::BUTTONS, "product", data, 216);
    auto bar = std::static_pointer_cast<PromptButtonBarRenderer>(b.prompt->getView());
    auto rects = bar->getButtonRects();
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_TRUE(b.prompt->tap({rects[1].x + 2, rects[1].y + 2}));
    EXPECT_EQ(b.prompt->describeSelection(), "Widget");
    EXPECT_EQ(selected(data), 6u);
    EXPECT_TRUE(b.prompt->tap({rects[1].x + 2, rects[1].y + 2}));  // pressed again: released
    EXPECT_EQ(selected(data), 0u);
    EXPECT_TRUE(b.prompt->pressKey(ReportPrompt::Key::RIGHT));
    EXPECT_EQ(b.prompt->describeSelection(), "Gizmo");

    auto data2 = orders();
    Hosted d = host(ReportPrompt::Kind::DROPDOWN, "region", data2, 216);
    auto combo = std::static_pointer_cast<ComboBoxModel>(d.prompt->getModel());
    EXPECT_TRUE(d.prompt->tap({100, 10}));
    ASSERT_TRUE(d.prompt->isPopupOpen());
    auto popup = d.prompt->getPopupView();
    EXPECT_EQ(popup->getSuperview(), d.root);
    // The list opens under the box; a tap on its third line chooses South.
    const Rect f = popup->getFrame();
    EXPECT_LE(f.y + f.height, 300.0f + 0.5f);
    const float l = popup->getLineHeight();
    EXPECT_TRUE(d.prompt->tapWhilePopupOpen({f.x + 40, f.y + f.height - l / 8 - 2.5f * l}));
    EXPECT_FALSE(d.prompt->isPopupOpen());
    ASSERT_TRUE(combo->currentValue.get());
    EXPECT_EQ(combo->currentValue.get()->toString(), "South");
    EXPECT_EQ(selected(data2), 3u);
    // A tap outside an open list closes it and chooses nothing.
    d.prompt->tap({100, 10});
    EXPECT_TRUE(d.prompt->tapWhilePopupOpen({-50, -50}));
    EXPECT_FALSE(d.prompt->isPopupOpen());
    EXPECT_EQ(combo->currentValue.get()->toString(), "South");
    EXPECT_FALSE(d.prompt->tapWhilePopupOpen({1, 1}));  // none open: the tap goes on
    EXPECT_TRUE(d.prompt->pressKey(ReportPrompt::Key::DOWN));
    EXPECT_EQ(combo->currentValue.get()->toString(), "West");
}

TEST(ReportPrompt, TypingSelectsMatchingValuesAndSurvivesBadText) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto data = orders();
    Hosted h = host(ReportPrompt::Kind::TEXT, "product", data, 216);
    EXPECT_TRUE(h.prompt->tap({50, 10}));
    EXPECT_TRUE(h.prompt->hasFocus());
    EXPECT_TRUE(h.prompt->typeText("wID"));
    EXPECT_EQ(h.prompt->describeSelection(), "Widget");
    EXPECT_EQ(selected(data), 6u);
    EXPECT_TRUE(h.prompt->pressKey(ReportPrompt::Key::BACKSPACE));
    EXPECT_TRUE(h.prompt->pressKey(ReportPrompt::Key::BACKSPACE));
    EXPECT_TRUE(h.prompt->pressKey(ReportPrompt::Key::BACKSPACE));
    EXPECT_EQ(selected(data), 0u);  // empty: nothing picked
    EXPECT_TRUE(h.prompt->typeText("zzz"));
    EXPECT_EQ(selected(data), 0u);  // matches no value: no row
    EXPECT_EQ(h.prompt->describeSelection(), "no value matches");

    // Invalid UTF-8 and a huge paste: repaired and cut, no crash.
    CLogCapture log;
    h.prompt->pressKey(ReportPrompt::Key::ESCAPE);
    EXPECT_TRUE(h.prompt->typeText(std::string("G\xff\xfe", 3)));
    auto text = std::static_pointer_cast<TextFieldModel>(h.prompt->getModel())->currentValue.get()->toString();
    EXPECT_EQ(text, "G\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_TRUE(h.prompt->typeText(std::string(100000, 'x')));
    text = std::static_pointer_cast<TextFieldModel>(h.prompt->getModel())->currentValue.get()->toString();
    EXPECT_EQ(text.size(), TextFieldModel::MAX_CHARACTERS + 4);  // the two replacement characters are 3 bytes each
    EXPECT_TRUE(log.contains(CLog::ERRORS, ""));
    h.root->render();
}

TEST(ReportPrompt, PromptsOverOneDataSelectTogether) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto data = orders();
    Hosted list = host(ReportPrompt::Kind::LIST, "region", data, 216, 0, {"East", "West"});
    Hosted range = host(ReportPrompt::Kind::RANGE, "year", data, 216);
    ReportPrompt::link({list.prompt, range.prompt});
    EXPECT_EQ(selected(data), 6u);
    auto view = std::static_pointer_cast<RangeSliderRenderer>(range.prompt->getView());
    const Point upper{view->getThumbPosition(true), view->trackCentre()};
    range.prompt->drag(GestureRecognizerState::BEGAN, upper, upper);
    range.prompt->drag(GestureRecognizerState::ENDED, upper, {upper.x - 200, upper.y});
    // East and West, in 2021 only.
    EXPECT_EQ(range.prompt->describeSelection(), "2021 to 2021");
    EXPECT_EQ(selected(data), 2u);
    EXPECT_EQ(list.prompt->getSelectedRowCount(), 2u);
}

TEST(ReportPrompt, RefusesColumnsThatDoNotExistOrDoNotSuit) {
    auto data = orders();
    ReportPrompt::Settings s;
    s.kind = ReportPrompt::Kind::RANGE;
    s.column = "nope";
    std::string error;
    EXPECT_FALSE(ReportPrompt::create(s, data, error));
    EXPECT_NE(error.find("no column \"nope\" (columns: region, year, product)"), std::string::npos) << error;
    s.column = "region";
    EXPECT_FALSE(ReportPrompt::create(s, data, error));
    EXPECT_NE(error.find("needs a column of numbers"), std::string::npos) << error;
    EXPECT_FALSE(ReportPrompt::create(s, nullptr, error));
    // A column of missing numbers has no range to slide over.
    auto empty = DataSet::create("empty");
    empty->addColumn(Column::createNumeric("x", {std::nan(""), std::nan("")}));
    s.column = "x";
    EXPECT_FALSE(ReportPrompt::create(s, empty, error));
    // A one-value range and a 10,000-value list build and draw.
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto one = DataSet::create("one");
    one->addColumn(Column::createNumeric("x", {7, 7}));
    Hosted flat = host(ReportPrompt::Kind::RANGE, "x", one, 216);
    EXPECT_TRUE(flat.prompt->tap({100, 20}));
    EXPECT_FALSE(flat.prompt->pressKey(ReportPrompt::Key::RIGHT));
    std::vector<std::string> many;
    for (int i = 0; i < 10000; ++i) many.push_back("v" + std::to_string(i));
    auto big = DataSet::create("big");
    big->addColumn(Column::createCharacter("v", many));
    Hosted list = host(ReportPrompt::Kind::LIST, "v", big, 216);
    auto lv = std::static_pointer_cast<PromptListRenderer>(list.prompt->getView());
    EXPECT_EQ(lv->getTotalLines(), 10000);
    // A drag up scrolls the window of lines.
    list.prompt->drag(GestureRecognizerState::BEGAN, {50, 20}, {50, 20});
    list.prompt->drag(GestureRecognizerState::ENDED, {50, 20}, {50, 20 + 10 * lv->getLineHeight()});
    EXPECT_EQ(lv->getFirstLine(), 10);
    list.root->render();
}

TEST(ReportPrompt, DateSlidersSnapToDaysAndSelectByDate) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    // 27 Feb to 2 Mar 2024 (a leap year): day numbers from 1 January 1960.
    const double feb27 = 23433;
    auto data = DataSet::create("days");
    std::vector<double> days;
    for (int i = 0; i < 5; ++i) days.push_back(feb27 + i);
    data->addColumn(Column::createNumeric("day", days, "DATE9."));
    Hosted h = host(ReportPrompt::Kind::RANGE, "day", data, 216);  // 200 px for 4 days
    auto model = std::static_pointer_cast<RangeSliderModel>(h.prompt->getModel());
    EXPECT_EQ(*model->formattedMinimumValue.get(), "27FEB2024");
    auto view = std::static_pointer_cast<RangeSliderRenderer>(h.prompt->getView());
    const Point upper{view->getThumbPosition(true), view->trackCentre()};
    // 1.9 days back from 2 March: into 29 February, snapped to its start.
    h.prompt->drag(GestureRecognizerState::BEGAN, upper, upper);
    h.prompt->drag(GestureRecognizerState::ENDED, upper, {upper.x - 95, upper.y});
    EXPECT_DOUBLE_EQ(model->selectedMaximumValue.get(), feb27 + 2);
    EXPECT_EQ(*model->formattedSelectedMaximumValue.get(), "29FEB2024");
    auto values = h.prompt->getController()->getSelectedValues();
    ASSERT_TRUE(values && values->size() == 2u);
    EXPECT_TRUE((*values)[1]->isDate());
    EXPECT_EQ(h.prompt->describeSelection(), "27FEB2024 to 29FEB2024");
    EXPECT_EQ(selected(data), 3u);
    // A key steps one day: into March.
    EXPECT_TRUE(h.prompt->pressKey(ReportPrompt::Key::RIGHT));
    EXPECT_EQ(*model->formattedSelectedMaximumValue.get(), "01MAR2024");
    EXPECT_EQ(selected(data), 4u);
}
