// SPDX-License-Identifier: Apache-2.0
#include "orvane/report/Report.h"
#include "orvane/report/ReportPage.h"

#include "common/TestSupport.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/RichTextView.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvane;
using orvane::test::sourceDir;
using orvane::test::tempDir;

TEST(Report, OpensLaysOutRendersAndRoutesTheBundledReport) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    std::vector<std::string> errors;
    auto report = Report::open(sourceDir() + "/examples/report/report.xml", errors);
    ASSERT_TRUE(report) << (errors.empty() ? "" : errors.back());
    EXPECT_TRUE(report->isLayoutTree());
    report->layout(1024);
    EXPECT_EQ(report->getWidth(), 1024.0f);
    EXPECT_GT(report->getHeight(), 100.0f);
    report->render();
    ASSERT_TRUE(report->getRenderer());
    // The page's content was recorded: its SVG names the title text.
    std::string svg = report->getRenderer()->getDisplayListSVGString();
    EXPECT_GT(svg.size(), 1000u);

    // A narrower layout re-flows the same report to the new width.
    report->layout(600);
    EXPECT_EQ(report->getWidth(), 600.0f);
    EXPECT_EQ(report->getRootView()->getFrame().width, 600.0f);

    // A tap far outside every view is not handled and changes nothing.
    EXPECT_EQ(report->routeGesture(std::make_shared<Tap>(Point{-50, -50})), Report::Outcome::NOT_HANDLED);
    EXPECT_EQ(report->routeGesture(nullptr), Report::Outcome::NOT_HANDLED);
}

TEST(Report, RichTextDocumentsBecomeOneTextViewAndTapsSelectTheirActions) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    std::vector<std::string> errors;
    auto report = Report::open(sourceDir() + "/examples/actions.xml", errors);
    ASSERT_TRUE(report);
    EXPECT_FALSE(report->isLayoutTree());
    report->layout();
    EXPECT_EQ(report->getWidth(), Report::RICH_TEXT_WIDTH);
    EXPECT_EQ(report->getHeight(), Report::RICH_TEXT_HEIGHT);
    report->render();
    auto texts = report->getRichTextViews();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_FALSE(texts[0]->getSelectedAction());
    // Points from the page's top left turn into the views' bottom-left origin.
    EXPECT_EQ(report->toViewPoint({10, 30}).y, Report::RICH_TEXT_HEIGHT - 30);
}

TEST(Report, UnreadableAndUnsoundFilesAreRefusedWithTheirReason) {
    std::vector<std::string> errors;
    EXPECT_FALSE(Report::open(tempDir() + "/no-such-report.xml", errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("cannot read (No such file or directory)"), std::string::npos) << errors[0];

    errors.clear();
    EXPECT_FALSE(Report::open(tempDir(), errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("is a folder"), std::string::npos) << errors[0];

    errors.clear();
    EXPECT_FALSE(Report::read("broken.xml", "<orvane version=\"202301\"><LayoutProxy>", errors));
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back().rfind("broken.xml:", 0), 0u) << errors.back();

    errors.clear();
    EXPECT_FALSE(Report::read("label.xml", "<orvane version=\"202301\"><LayoutConstraint/></orvane>", errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("neither a layout tree"), std::string::npos) << errors[0];

    // Sizes that are not numbers or out of range are clamped, never used.
    auto report = Report::read("t.xml", "<orvane version=\"202301\"><RichTextNode text=\"x\"/></orvane>", errors);
    ASSERT_TRUE(report);
    report->layout(std::nanf(""), 1e9f);
    EXPECT_EQ(report->getWidth(), Report::RICH_TEXT_WIDTH);
    EXPECT_EQ(report->getHeight(), Report::MAX_SIZE);
}
