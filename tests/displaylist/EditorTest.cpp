// SPDX-License-Identifier: Apache-2.0
// Editing a display list: groups, deletion, node ids, reference counts,
// display-list images, animations and non-finite input.
#include "common/TestSupport.h"
#include "orvane/displaylist/DLTextureDelegate.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListImage.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/DisplayListRendererFactory.h"
#include "orvane/displaylist/TqAnimate.h"
#include "orvane/displaylist/TqEasing.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/displaylist/TqTweener.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/core/Clock.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace orvane;
using namespace displaylist;

namespace {

// Counts its destruction.
class CountedRect : public TqRectangle {
public:
    explicit CountedRect(int* destroyed) : TqRectangle(0, 0, 10, 10), destroyed_(destroyed) {}
    ~CountedRect() override { ++*destroyed_; }

private:
    int* destroyed_;
};

TEST(EditorTest, GroupsNestAndDeleteAllResets) {
    auto renderer = DisplayListRenderer::create(false);
    auto editor = renderer->getEditor();
    EXPECT_EQ(editor, renderer->getEditor());
    TqGroup* outer = editor->openGroup(10, 20, 100, 50);
    TqGroup* inner = editor->openGroup(5, 5, 10, 10);
    editor->addRectangle(0, 0, 1, 1);
    editor->closeGroup();
    editor->addRectangle(0, 0, 2, 2);
    EXPECT_EQ(editor->getCurrentGroup(), outer);
    editor->closeGroup();
    EXPECT_EQ(renderer->getRootNode()->GetChildCount(), 1u);
    EXPECT_EQ(outer->GetChildCount(), 2u);
    EXPECT_EQ(inner->GetChildCount(), 1u);
    EXPECT_EQ(renderer->getRootNode()->CountNodes(), 4u);

    CLogCapture log;
    editor->closeGroup();  // nothing open
    EXPECT_TRUE(log.contains(CLog::ERRORS, "closeGroup"));

    editor->openGroup(0, 0, 10, 10);
    editor->deleteNode(-1);
    EXPECT_EQ(renderer->getRootNode()->GetChildCount(), 0u);
    EXPECT_EQ(editor->getGroupDepth(), 0u);
    editor->addRectangle(0, 0, 1, 1);
    EXPECT_EQ(renderer->getRootNode()->GetChildCount(), 1u);
}

TEST(EditorTest, DeleteByIdAndNodesKeptWithRef) {
    auto renderer = DisplayListRenderer::create(false);
    auto editor = renderer->getEditor();
    int destroyed = 0;
    auto* kept = new CountedRect(&destroyed);
    kept->SetNodeId(3);
    kept->SetAutoRelease(false);
    kept->Ref();  // the caller keeps it across updates
    editor->openGroup(0, 0, 10, 10);
    editor->addNode(kept);
    editor->addNode(new CountedRect(&destroyed));
    editor->getCurrentGroup()->GetChild(1)->SetNodeId(3);
    editor->addRectangle(0, 0, 1, 1)->SetNodeId(4);
    editor->closeGroup();
    EXPECT_EQ(kept->GetRefCount(), 2);

    editor->deleteNode(3);
    EXPECT_EQ(destroyed, 1);  // the list's only node with id 3 is gone, the kept one lives
    EXPECT_EQ(kept->GetRefCount(), 1);
    EXPECT_EQ(editor->getDisplayNode(3), nullptr);
    EXPECT_NE(editor->getDisplayNode(4), nullptr);

    editor->addNode(kept);  // re-added on the next update
    editor->deleteNode(-1);
    EXPECT_EQ(destroyed, 1);
    kept->Unref();
    EXPECT_EQ(destroyed, 2);

    // A group cannot be added into itself or its descendants.
    CLogCapture log;
    TqGroup* a = editor->openGroup(0, 0, 1, 1);
    TqGroup* b = editor->openGroup(0, 0, 1, 1);
    EXPECT_FALSE(b->AddChild(a));
    EXPECT_FALSE(a->AddChild(a));
    EXPECT_FALSE(editor->addNode(nullptr));
}

TEST(EditorTest, UniqueIdsSkipIdsStillInUse) {
    DisplayListEditor::resetDisplayNodeIds();
    int a = DisplayListEditor::generateUniqueDisplayNodeId(1);
    int b = DisplayListEditor::generateUniqueDisplayNodeId(5);
    int c = DisplayListEditor::generateUniqueDisplayNodeId();
    EXPECT_EQ(b, a + 1);
    EXPECT_EQ(c, b + 5);

    // A node kept across a rebuild holds id a + 2; after the reset its id is
    // not handed out again.
    TqRef<TqRectangle> kept(new TqRectangle(0, 0, 1, 1));
    kept->SetNodeId(a + 2);
    DisplayListEditor::resetDisplayNodeIds();
    EXPECT_EQ(DisplayListEditor::generateUniqueDisplayNodeId(1), a);
    EXPECT_EQ(DisplayListEditor::generateUniqueDisplayNodeId(1), a + 1);
    EXPECT_EQ(DisplayListEditor::generateUniqueDisplayNodeId(1), a + 3);
    DisplayListEditor::resetDisplayNodeIds();
    EXPECT_EQ(DisplayListEditor::generateUniqueDisplayNodeId(3), a + 3);  // a block never spans a used id
    kept = nullptr;
    DisplayListEditor::resetDisplayNodeIds();
    EXPECT_EQ(DisplayListEditor::generateUniqueDisplayNodeId(3), a);
}

TEST(EditorTest, NonFiniteCoordinatesAreSkipped) {
    auto renderer = DisplayListRenderer::create(false);
    renderer->setViewport(0, 0, 40, 30);
    auto editor = renderer->getEditor();
    std::string before = renderer->getDisplayListSVGString();
    CLogCapture log;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    TqRectangle* r = editor->addRectangle(nan, 0, 10, 10, 0xff0000);
    TqText* t = editor->addText("x", 0, INFINITY, 0);
    editor->addLine(0, 0, nan, 1, 0);
    editor->openGroup(0, 0, nan, 10);
    editor->addCircle(1, 1, 1);  // lands in the skipped group: not drawn either
    editor->closeGroup();
    // Setters on the returned nodes are harmless; bad values are refused.
    r->SetFillColor(0x00ff00);
    t->SetFontSize(nan);
    editor->addRectangle(1, 1, 2, 2, 0x0000ff)->SetRect(0, nan, 1, 1);
    EXPECT_GE(log.count(), 5u);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "non-finite"));
    EXPECT_EQ(renderer->getRootNode()->GetChildCount(), 1u);  // only the valid rectangle
    std::string svg = renderer->getDisplayListSVGString();
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    EXPECT_EQ(svg.find("inf"), std::string::npos);
    EXPECT_NE(svg.find("<rect x=\"1\" y=\"27\" width=\"2\" height=\"2\" fill=\"#0000ff\"/>"), std::string::npos);
    EXPECT_NE(before, svg);
}

TEST(EditorTest, DisplayListImageBindsToOneRenderer) {
    auto source = DisplayListRenderer::create(false);
    source->setViewport(0, 0, 50, 40);
    source->getEditor()->addRectangle(0, 0, 50, 40, 0x00ff00)->SetNodeId(9);
    auto image = DisplayListImage::createFromRenderer(source);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->getWidth(), 50);
    EXPECT_EQ(image->getHeight(), 40);
    source->getEditor()->deleteNode(-1);  // the image keeps its nodes
    ASSERT_EQ(image->getDisplayListRootNode()->GetChildCount(), 1u);

    auto first = DisplayListRendererFactory::createRenderer();
    auto second = DisplayListRendererFactory::createRenderer();
    EXPECT_FALSE(image->isBoundToOtherRenderer(first));
    EXPECT_TRUE(image->bindRenderer(first));
    EXPECT_TRUE(image->bindRenderer(first));
    EXPECT_TRUE(image->isBoundToOtherRenderer(second));
    CLogCapture log;
    EXPECT_FALSE(image->bindRenderer(second));
    EXPECT_EQ(image->getRenderer(), first);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "one renderer"));

    // Drawn into the first renderer scaled by one half at (10, 10).
    first->setViewport(0, 0, 100, 100);
    auto e = first->getEditor();
    e->openGroup(10, 10, 25, 20, 0.5f);
    e->addNode(image->getDisplayListRootNode());
    e->closeGroup();
    auto picks = first->getPickedNodeIds({34, 29, 1, 1});
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].nodeId, 9u);
    EXPECT_TRUE(first->getPickedNodeIds({36, 31, 1, 1}).empty());
    auto pixels = first->getImage();
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->getPixel(20, 100 - 20), 0x00ff00ffu);
    EXPECT_EQ(pixels->getPixel(40, 100 - 40), 0xffffffffu);

    // Once the renderer is gone the image may be drawn elsewhere.
    first.reset();
    e.reset();
    EXPECT_TRUE(image->bindRenderer(second));
}

TEST(EditorTest, AnimationsRunOnTheHostClock) {
    ManualClock clock(100.0);
    auto renderer = DisplayListRenderer::create(false);
    auto editor = renderer->getEditor();
    TqGroup* g = editor->openGroup(0, 0, 10, 10);
    editor->closeGroup();

    TqRef<TqTweener> fade(new TqTweener);
    fade->SetTarget(g, TqTweener::OPACITY);
    fade->SetRange(0.0f, 1.0f);
    fade->SetDelay(0.5f);
    fade->SetHasDelay(true);
    fade->SetDuration(1.0f);
    fade->SetEasing(TqEasing::EASE_IN_OUT);
    TqRef<TqTweener> move(new TqTweener);
    move->SetTarget(g, TqTweener::TRANSLATE_X);
    move->SetRange(0.0f, 100.0f);
    move->SetDuration(2.0f);
    editor->addAnimation(fade.get());
    editor->addAnimation(move.get());
    EXPECT_EQ(editor->getAnimationCount(), 2);

    clock.set(100.25);  // inside fade's delay
    renderer->prepareForDrawing();
    EXPECT_FLOAT_EQ(g->GetOpacity(), 0.0f);
    EXPECT_NEAR(g->GetTranslation().x, 12.5f, 1e-4f);
    clock.set(101.0);  // fade half way: ease-in-out is 0.5 there
    renderer->prepareForDrawing();
    EXPECT_NEAR(g->GetOpacity(), 0.5f, 1e-5f);
    clock.set(101.6);
    EXPECT_EQ(editor->getAnimationCount(), 1);  // fade ended (with its final value)
    EXPECT_FLOAT_EQ(g->GetOpacity(), 1.0f);
    clock.set(102.5);
    EXPECT_EQ(editor->getAnimationCount(), 0);
    EXPECT_FLOAT_EQ(g->GetTranslation().x, 100.0f);

    // Without the delay flag the delay does not count.
    TqRef<TqAnimate> plain(new TqAnimate);
    plain->SetDelay(5.0f);
    plain->SetDuration(1.0f);
    float seen = -1.0f;
    plain->SetUpdateFunction([&](float p) { seen = p; });
    editor->addAnimation(plain.get());
    clock.advance(0.5);
    renderer->prepareForDrawing();
    EXPECT_FLOAT_EQ(seen, 0.5f);
}

TEST(EditorTest, EasingCurvesAreNamedAndBounded) {
    for (int code : {TqEasing::LINEAR, TqEasing::EASE_IN, TqEasing::EASE_OUT_QUAD, TqEasing::EASE_IN_OUT,
                     TqEasing::EASE_OUT, 99}) {
        EXPECT_FLOAT_EQ(TqEasing::apply(code, 0.0f), 0.0f);
        EXPECT_FLOAT_EQ(TqEasing::apply(code, 1.0f), 1.0f);
        float prev = 0.0f;
        for (int i = 1; i <= 20; ++i) {
            float v = TqEasing::apply(code, i / 20.0f);
            EXPECT_GE(v, prev) << code;
            prev = v;
        }
    }
    EXPECT_STREQ(TqEasing::name(3), "ease-in-out");
    EXPECT_STREQ(TqEasing::name(4), "ease-out");
    EXPECT_GT(TqEasing::apply(TqEasing::EASE_OUT, 0.25f), 0.25f);  // decelerates
    EXPECT_LT(TqEasing::apply(TqEasing::EASE_IN_OUT, 0.25f), 0.25f);
}

TEST(EditorTest, RendererSharedStateAndStandaloneEditors) {
    auto renderer = DisplayListRenderer::create(true);
    EXPECT_TRUE(renderer->hasInteractiveContext());
    auto temp = DisplayListEditor::create(renderer);
    temp->setFocusRectAttributes(0x123456, 2.0f, 2, 0.0f);
    temp->setFocusRect({1, 2, 3, 4});
    EXPECT_TRUE(renderer->getEditor()->hasFocusRect());
    renderer->getEditor()->clearFocusRect();
    EXPECT_FALSE(temp->hasFocusRect());
    temp->setDrawingMode(3);
    EXPECT_EQ(renderer->getEditor()->getDrawingMode(), 3);
    temp->addSelectionInfo({5, 6});
    ASSERT_EQ(renderer->getEditor()->getSelectionInfoArray().size(), 1u);
    EXPECT_EQ(renderer->getEditor()->getController2D(), temp->getController2D());

    // An editor without a renderer records into one of its own.
    auto standalone = DisplayListEditor::create(nullptr);
    ASSERT_TRUE(standalone->getRenderer());
    standalone->addRectangle(0, 0, 1, 1);
    EXPECT_EQ(standalone->getRenderer()->getRootNode()->GetChildCount(), 1u);

    DLTextureDelegate::setCurrentDisplayListRenderer(renderer);
    EXPECT_EQ(DLTextureDelegate::getCurrentDisplayListRenderer(), renderer);
    DLTextureDelegate::setCurrentDisplayListRenderer(nullptr);
    EXPECT_FALSE(DLTextureDelegate::getCurrentDisplayListRenderer());

    // Off-screen frames are captured by drawFrame and handed out by getImage.
    renderer->setViewport(0, 0, 8, 8);
    renderer->setOffscreen(true);
    renderer->getEditor()->addRectangle(0, 0, 8, 8, 0xff0000);
    renderer->drawFrame();
    auto frame = renderer->getImage();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->getPixel(4, 4), 0xff0000ffu);
    renderer->getEditor()->addRectangle(0, 0, 8, 8, 0x0000ff);
    EXPECT_EQ(renderer->getImage(), frame);  // until the next frame
    renderer->drawFrame();
    EXPECT_EQ(renderer->getImage()->getPixel(4, 4), 0x0000ffffu);
    EXPECT_EQ(renderer->getFrameCount(), 2u);
}

} // namespace
