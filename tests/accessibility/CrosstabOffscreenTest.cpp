// SPDX-License-Identifier: Apache-2.0
// A crosstab taller than its frame: cells and row headers scrolled out of the
// window keep their outline where they would be (outside the data area) and
// are marked off screen; without the off-screen nodes the element list holds
// the window only; paging the window moves which rows are on screen.
#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/CrosstabAccessibilityController.h"
#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabDefinition.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqCrosstab.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/input/GestureRecognizerType.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace orvane;
using displaylist::TqCrosstab;

namespace {

// Forty regions over two years: far more rows than a 160-pixel frame shows.
std::shared_ptr<CrosstabRenderer> tallCrosstab() {
    std::vector<std::string> regions, years;
    std::vector<double> sales;
    for (int i = 0; i < 40; ++i)
        for (const char* y : {"2023", "2024"}) {
            char name[16];
            std::snprintf(name, sizeof name, "R%02d", i);
            regions.push_back(name);
            years.push_back(y);
            sales.push_back(i + 1);
        }
    auto ds = DataSet::create("tall");
    ds->addColumn(Column::createCharacter("Region", regions));
    ds->addColumn(Column::createCharacter("Year", years));
    ds->addColumn(Column::createNumeric("Sales", sales));
    CrosstabDefinition def;
    def.rows = {"Region"};
    def.columns = {"Year"};
    def.measures = {"Sales:sum"};
    std::string error;
    auto model = def.build(ds, error);
    EXPECT_TRUE(model) << error;
    auto r = CrosstabRenderer::create();
    r->setModel(model);
    r->setFrame({0.0f, 0.0f, 400.0f, 160.0f});
    r->updateDisplayList(displaylist::DisplayListEditor::create(nullptr));
    return r;
}

struct Split {
    std::vector<std::shared_ptr<AccessibilityElement>> on, off;
};

Split split(CrosstabAccessibilityController& a11y) {
    Split s;
    for (const auto& e : a11y.getAccessibilityElements()) (e->isOnScreen() ? s.on : s.off).push_back(e);
    return s;
}

// The lowest (smallest y, view coordinates) point of an element's outline.
float bottomOf(const AccessibilityElement& e) {
    float y = 1.0e9f;
    for (const auto& p : e.getPoints()) y = std::min(y, p.y);
    return y;
}

float topOf(const AccessibilityElement& e) {
    float y = -1.0e9f;
    for (const auto& p : e.getPoints()) y = std::max(y, p.y);
    return y;
}

} // namespace

TEST(CrosstabOffscreenTest, RowsScrolledOutOfTheWindowKeepTheirOutline) {
    auto r = tallCrosstab();
    auto a11y = std::dynamic_pointer_cast<CrosstabAccessibilityController>(r->getAccessibilityController());
    ASSERT_TRUE(a11y);
    TqCrosstab* grid = r->getCrosstabNode();
    ASSERT_TRUE(grid);
    int64_t r0, r1;
    int c0, c1;
    grid->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    ASSERT_EQ(r0, 0);
    ASSERT_LT(r1, 30);  // the window shows a few of the forty rows

    // At the top: the row below the window is listed, off screen, with an
    // outline below the crosstab's frame (view coordinates, y up).
    Split top = split(*a11y);
    ASSERT_FALSE(top.on.empty());
    ASSERT_FALSE(top.off.empty());
    for (const auto& e : top.off) {
        ASSERT_EQ(e->getPoints().size(), 4u) << e->getAccessibilityLabel();
        EXPECT_LT(bottomOf(*e), 0.0f) << e->getAccessibilityLabel();
        EXPECT_NE(e->getAccessibilityLabel().find("R"), std::string::npos);
    }
    for (const auto& e : top.on) EXPECT_EQ(e->getPoints().size(), 4u) << e->getAccessibilityLabel();

    // The picks themselves: the first row's header is on screen, the header
    // of a row far below is not, yet has a rectangle below the frame.
    uint64_t firstHeader = TqCrosstab::NO_PICK_ID, farHeader = TqCrosstab::NO_PICK_ID;
    for (int i = 0; i < grid->GetCrosstabCellCount(); ++i) {
        const auto* c = grid->GetCrosstabCell(i);
        if (!c || c->axis != TqCrosstab::AXIS_ROW || !c->leaf) continue;
        const uint64_t id = TqCrosstab::GetHeaderPickID(TqCrosstab::COMPONENT_ROW_HEADER, c->first, c->level, TqCrosstab::BUTTON_NONE);
        if (c->first == 0) firstHeader = id;
        if (c->first == 35) farHeader = id;
    }
    ASSERT_NE(firstHeader, TqCrosstab::NO_PICK_ID);
    ASSERT_NE(farHeader, TqCrosstab::NO_PICK_ID);
    EXPECT_TRUE(grid->IsPickOnScreen(firstHeader));
    EXPECT_FALSE(grid->IsPickOnScreen(farHeader));
    const Rect far = grid->GetScreenRectForPickID(farHeader);
    EXPECT_GT(far.height, 0.0f);
    EXPECT_GT(far.y, grid->GetFrame().height);

    // Without the off-screen nodes only the window is listed.
    a11y->setIncludeOffscreenNodesInImageMap(false);
    Split window = split(*a11y);
    EXPECT_TRUE(window.off.empty());
    EXPECT_EQ(window.on.size(), top.on.size());
    a11y->setIncludeOffscreenNodesInImageMap(true);

    // A page down: the rows that were shown now lie above the data area; the
    // one just above the window keeps an outline up there, under the headers.
    ASSERT_TRUE(r->page(GestureDirectionType::DOWN));
    r->updateDisplayList(displaylist::DisplayListEditor::create(nullptr));
    grid = r->getCrosstabNode();  // the redraw may make the node afresh
    ASSERT_TRUE(grid);
    int64_t p0, p1;
    grid->GetMinMaxVisibleRowColIndices(p0, p1, c0, c1);
    EXPECT_GT(p0, r0);
    EXPECT_FALSE(grid->IsPickOnScreen(firstHeader));
    Split paged = split(*a11y);
    ASSERT_FALSE(paged.off.empty());
    const float frameTop = r->getFrame().height;
    bool above = false, below = false;
    for (const auto& e : paged.off) {
        ASSERT_EQ(e->getPoints().size(), 4u) << e->getAccessibilityLabel();
        // Off screen means out of the data area: above its top edge (under
        // the column headers or past the frame) or below the frame.
        if (bottomOf(*e) < 0.0f) below = true;
        else if (topOf(*e) > frameTop - grid->GetTotalColumnHeaderHeight() - grid->GetColumnHeaderHeight() - 0.5f)
            above = true;
        else ADD_FAILURE() << "an off-screen element inside the data area: " << e->getAccessibilityLabel();
    }
    EXPECT_TRUE(above);
    EXPECT_TRUE(below);
}
