// SPDX-License-Identifier: Apache-2.0
// Picking: apertures and polygons in root coordinates through group
// transforms, front-most first, rich-text detail indices, and the spatial
// index of large groups agreeing with a plain scan.
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqEllipse.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqRichText.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/text/TextEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace orvane;
using namespace displaylist;

namespace {

std::vector<unsigned> ids(const std::vector<TqSelectionInfoStruct>& picks) {
    std::vector<unsigned> out;
    for (const auto& p : picks) out.push_back(p.nodeId);
    return out;
}

class PickTest : public ::testing::Test {
protected:
    std::shared_ptr<DisplayListRenderer> renderer = DisplayListRenderer::create(false);
    std::shared_ptr<DisplayListEditor> editor = renderer->getEditor();

    TqRectangle* rect(int id, float x, float y, float w, float h) {
        TqRectangle* r = editor->addRectangle(x, y, w, h, 0x336699);
        r->SetNodeId(id);
        return r;
    }
    std::vector<unsigned> at(float x, float y, bool first = false) {
        return ids(renderer->getPickedNodeIds({x, y, 1, 1}, first));
    }
};

TEST_F(PickTest, NestedScaledGroupsMapRootCoordinates) {
    // Outer group at (100, 50) scaled by 2, inner group at (10, 10) scaled by
    // 0.5: a 20 x 20 rect at (4, 4) in the inner group covers
    // root x in [100 + 2 * (10 + 0.5 * 4), ...] = [124, 144], the same for y from 74.
    editor->openGroup(100, 50, 200, 200, 2.0f);
    editor->openGroup(10, 10, 50, 50, 0.5f);
    rect(7, 4, 4, 20, 20);
    editor->closeGroup();
    editor->closeGroup();
    EXPECT_EQ(at(125, 75), std::vector<unsigned>{7});
    EXPECT_EQ(at(143, 93), std::vector<unsigned>{7});
    EXPECT_TRUE(at(120, 75).empty());
    EXPECT_TRUE(at(125, 95.5f).empty());
    // The same place in group-local terms (no transform) is empty.
    EXPECT_TRUE(at(5, 5).empty());
    // A polygon around the rect's corner hits it; one beside it does not.
    std::vector<Point> tri{{140, 90}, {160, 90}, {150, 110}};
    EXPECT_EQ(ids(renderer->getPickedNodeIdsInPolygon(tri)), std::vector<unsigned>{7});
    std::vector<Point> away{{150, 90}, {170, 90}, {160, 110}};
    EXPECT_TRUE(renderer->getPickedNodeIdsInPolygon(away).empty());
}

TEST_F(PickTest, FrontMostFirstAndOnlyPickableVisibleNodes) {
    rect(1, 0, 0, 100, 100);
    editor->openGroup(10, 10, 80, 80);
    rect(2, 0, 0, 50, 50);
    editor->addRectangle(0, 0, 80, 80, 0xff0000);  // no id: drawn, never picked
    TqRectangle* hidden = rect(4, 0, 0, 80, 80);
    hidden->SetVisible(false);
    editor->closeGroup();
    rect(3, 20, 20, 10, 10);
    EXPECT_EQ(at(25, 25), (std::vector<unsigned>{3, 2, 1}));
    EXPECT_EQ(at(25, 25, true), (std::vector<unsigned>{3}));
    EXPECT_EQ(at(70, 70), (std::vector<unsigned>{1}));
    hidden->SetVisible(true);
    EXPECT_EQ(at(70, 70), (std::vector<unsigned>{4, 1}));
    // Moving a node after a pick is seen by the next pick (cached bounds refresh).
    static_cast<TqRectangle*>(editor->getDisplayNode(3))->SetRect(200, 200, 10, 10);
    EXPECT_EQ(at(205, 205), (std::vector<unsigned>{3}));
    EXPECT_EQ(at(25, 25), (std::vector<unsigned>{4, 2, 1}));
}

TEST_F(PickTest, ShapesUseTheirOwnOutline) {
    TqEllipse* c = editor->addCircle(50, 50, 10);
    c->SetFillColor(0x00ff00);
    c->SetNodeId(1);
    TqLine* l = editor->addLine(100, 0, 200, 100, 0x000000, 4.0f);
    l->SetNodeId(2);
    EXPECT_EQ(at(49, 49), std::vector<unsigned>{1});
    EXPECT_TRUE(at(58.5f, 58.5f).empty());  // inside the bounding box, outside the circle
    EXPECT_EQ(at(149.5f, 49.5f), std::vector<unsigned>{2});
    EXPECT_TRUE(at(160, 40).empty());
}

TEST_F(PickTest, RichTextReportsActionNumbers) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    // 16 px lines and 9.6 px characters. Line 1: "Go " + "here"(action 0);
    // line 2: "or " + "there"(action 1).
    const int nodeId = 500;
    TqRichText* rt = editor->addRichText({0, 0, 300, 100}, nodeId);
    rt->AddTextObject("Go ");
    rt->AddTextObject("here")->SetContinueLine(true);
    rt->GetTextObject(1)->SetId(nodeId + 0);
    rt->AddTextObject("or ");
    TqTextObject* there = rt->AddTextObject("there");
    there->SetContinueLine(true);
    there->SetId(nodeId + 1);

    auto hit = renderer->getPickedNodeIds({4 * 9.6f, 92, 1, 1});
    ASSERT_EQ(hit.size(), 1u);
    EXPECT_EQ(hit[0].nodeId, 500u);
    EXPECT_EQ(hit[0].detailIndex, 0u);
    hit = renderer->getPickedNodeIds({5 * 9.6f, 76, 1, 1});
    ASSERT_EQ(hit.size(), 1u);
    EXPECT_EQ(hit[0].detailIndex, 1u);
    // Plain runs and empty space give nothing.
    EXPECT_TRUE(renderer->getPickedNodeIds({5, 92, 1, 1}).empty());
    EXPECT_TRUE(renderer->getPickedNodeIds({5, 20, 1, 1}).empty());
    // A wide aperture reports each action once.
    auto all = renderer->getPickedNodeIds({0, 60, 300, 40});
    ASSERT_EQ(all.size(), 2u);
    EXPECT_NE(all[0].detailIndex, all[1].detailIndex);
}

TEST_F(PickTest, LargeGroupsUseTheIndexAndAgreeWithAScan) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<float> pos(0.0f, 2000.0f), size(1.0f, 60.0f);
    struct Item {
        int id;
        Rect r;
    };
    std::vector<Item> items;
    editor->openGroup(0, 0, 2000, 2000);
    for (int i = 0; i < 3000; ++i) {
        Rect r{pos(rng), pos(rng), size(rng), size(rng)};
        if (i % 500 == 0) r = {0, 0, 1500, 1500};  // a few large ones
        rect(i, r.x, r.y, r.width, r.height);
        items.push_back({i, r});
    }
    // A nested group with a scale among the children.
    TqGroup* g = editor->openGroup(300, 300, 100, 100, 3.0f);
    rect(9000, 0, 0, 10, 10);
    editor->closeGroup();
    editor->closeGroup();
    ASSERT_GT(editor->getCurrentGroup()->GetChild(0)->AsGroup()->GetChildCount(), TqGroup::INDEX_THRESHOLD);

    std::uniform_real_distribution<float> probe(-10.0f, 2010.0f);
    for (int k = 0; k < 300; ++k) {
        Rect q{probe(rng), probe(rng), k % 3 == 0 ? 40.0f : 1.0f, k % 3 == 0 ? 25.0f : 1.0f};
        std::vector<unsigned> expected;
        if (q.intersects({300, 300, 30, 30})) expected.push_back(9000);
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            if (it->r.intersects(q)) expected.push_back(static_cast<unsigned>(it->id));
        EXPECT_EQ(ids(renderer->getPickedNodeIds(q)), expected) << q.x << "," << q.y;
    }
    // Changing the scaled group moves its child in the index too.
    g->SetTranslation(1900, 1900);
    EXPECT_EQ(at(1905, 1905, true), std::vector<unsigned>{9000});
}

TEST_F(PickTest, BadPickInputIsRejected) {
    rect(1, 0, 0, 10, 10);
    CLogCapture log;
    EXPECT_TRUE(renderer->getPickedNodeIds({std::numeric_limits<float>::quiet_NaN(), 0, 1, 1}).empty());
    EXPECT_TRUE(renderer->getPickedNodeIdsInPolygon({}).empty());
    EXPECT_TRUE(renderer->getPickedNodeIdsInPolygon({{0, 0}, {INFINITY, 5}, {5, 5}}).empty());
    EXPECT_TRUE(log.contains(CLog::ERRORS, "non-finite"));
    // A negative-size aperture is the same rectangle.
    EXPECT_EQ(ids(renderer->getPickedNodeIds({5, 5, -2, -2})), std::vector<unsigned>{1});
}

TEST(PickQueryTest, PolygonAgainstSegmentsAndEllipses) {
    TqPickQuery square = TqPickQuery::polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_TRUE(square.intersectsSegment({-5, 5}, {15, 5}, 0.5f));     // crosses
    EXPECT_TRUE(square.intersectsSegment({2, 2}, {3, 3}, 0.5f));       // inside
    EXPECT_TRUE(square.intersectsSegment({-5, 11}, {15, 11}, 1.5f));   // near, thick
    EXPECT_FALSE(square.intersectsSegment({-5, 12}, {15, 12}, 0.5f));
    EXPECT_TRUE(square.intersectsEllipse({15, 5}, 6, 2));
    EXPECT_FALSE(square.intersectsEllipse({15, 15}, 6, 6));  // corner distance 7.07
    EXPECT_TRUE(square.intersectsEllipse({5, 5}, 100, 100));  // polygon inside the ellipse
    TqPickQuery local = square.toLocal({2.0f, 2.0f, 10.0f, 0.0f});
    EXPECT_FLOAT_EQ(local.getBounds().x, -5.0f);
    EXPECT_FLOAT_EQ(local.getBounds().width, 5.0f);
}

} // namespace
