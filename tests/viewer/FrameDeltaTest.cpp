// SPDX-License-Identifier: Apache-2.0
// Frame deltas and the viewer's event batches: what the page is sent and
// what it may send.
#include "FrameDelta.h"
#include "ViewerEventBatch.h"

#include <gtest/gtest.h>

#include <random>

namespace orvane::tool {
namespace {

std::string randomLines(std::mt19937& rng, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "<line n=\"" + std::to_string(rng() % 6) + "\"/>\n";
    if (rng() % 2) text += "</svg>";  // a last line without a line break
    return text;
}

TEST(FrameDelta, RebuildsTheNewFrameFromTheOld) {
    std::mt19937 rng(11);
    for (int round = 0; round < 2000; ++round) {
        const std::string before = randomLines(rng, rng() % 12), after = randomLines(rng, rng() % 12);
        const FrameDelta d = FrameDelta::between(before, after);
        ASSERT_EQ(d.apply(before), after) << "before:\n" << before << "\nafter:\n" << after;
    }
    // A row selected in a table drawn column by column: a few scattered
    // lines change, and only those are sent.
    std::string before, after;
    for (int column = 0; column < 6; ++column)
        for (int row = 0; row < 80; ++row) {
            const std::string cell = "<rect x=\"" + std::to_string(column) + "\" y=\"" + std::to_string(row) + "\"/>\n";
            before += cell;
            after += row == 7 ? "<rect x=\"" + std::to_string(column) + "\" y=\"7\" fill=\"#abafb4\"/>\n" : cell;
        }
    const FrameDelta d = FrameDelta::between(before, after);
    EXPECT_EQ(d.apply(before), after);
    EXPECT_EQ(d.edits.size(), 6u);
    EXPECT_LT(d.insertedBytes(), 6u * 40u);
    // Repeated lines are neither lost nor doubled.
    EXPECT_EQ(FrameDelta::between("a\na\na\n", "a\na\n").apply("a\na\na\n"), "a\na\n");
    EXPECT_TRUE(FrameDelta::between("same\n", "same\n").edits.empty());
    // A change too large to compare line by line is sent whole, still exact.
    std::string big, other;
    for (size_t i = 0; i < FrameDelta::MAX_COMPARED_LINES; ++i) {
        big += std::to_string(i) + "\n";
        other += std::to_string(i * 7) + "\n";
    }
    const FrameDelta whole = FrameDelta::between(big, other);
    EXPECT_EQ(whole.edits.size(), 1u);
    EXPECT_EQ(whole.apply(big), other);
}

TEST(ViewerEventBatch, ReadsEveryKindOfEvent) {
    std::string error;
    auto batch = ViewerEventBatch::parse(
        R"({"have": 4, "events": [{"type": "down", "x": 10, "y": 20.5, "t": 1500, "mods": 1},
            {"type": "wheel", "x": 1, "y": 2, "dx": 0, "dy": -120},
            {"type": "key", "key": "ArrowDown", "mods": 8}, {"type": "cancel"},
            {"type": "resize", "width": 320}]})",
        error);
    ASSERT_TRUE(batch) << error;
    EXPECT_EQ(batch->have(), 4);
    const auto& e = batch->events();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].input.kind, PointerGestureRecognizer::DOWN);
    EXPECT_EQ(e[0].input.location, (Point{10, 20.5f}));
    EXPECT_DOUBLE_EQ(e[0].input.time, 1.5);
    EXPECT_EQ(e[0].input.modifiers, PointerGestureRecognizer::SHIFT);
    EXPECT_EQ(e[1].input.delta, (Point{0, -120}));
    EXPECT_EQ(e[2].input.key, "ArrowDown");
    EXPECT_EQ(e[2].input.modifiers, PointerGestureRecognizer::META);
    EXPECT_EQ(e[3].input.kind, PointerGestureRecognizer::CANCEL);
    EXPECT_TRUE(e[4].resize);
    EXPECT_EQ(e[4].width, 320.0f);
}

TEST(ViewerEventBatch, RefusesMalformedBatchesWhole) {
    std::string many = R"({"events": [)";
    for (size_t i = 0; i <= ViewerEventBatch::MAX_EVENTS; ++i) many += std::string(i ? "," : "") + R"({"type":"up","x":0,"y":0})";
    many += "]}";
    for (const std::string& body :
         {std::string(), std::string("{"), std::string("[]"), std::string("{\"events\": 5}"),
          std::string(R"({"events": [{"type": "warp", "x": 0, "y": 0}]})"),
          std::string(R"({"events": [{"type": "down", "x": "1", "y": 0}]})"),
          std::string(R"({"events": [{"type": "down", "y": 0}]})"),
          std::string(R"({"events": [{"type": "down", "x": 1e300, "y": 0}]})"),
          std::string(R"({"events": [{"type": "down", "x": NaN, "y": 0}]})"),
          std::string(R"({"events": [{"type": "down", "x": 1, "y": 0, "mods": 16}]})"),
          std::string(R"({"events": [{"type": "down", "x": 1, "y": 0, "mods": 1.5}]})"),
          std::string(R"({"events": [{"type": "down", "x": 1, "y": 0, "t": -1}]})"),
          std::string(R"({"events": [{"type": "key", "key": ""}]})"),
          std::string(R"({"events": [{"type": "key", "key": "0123456789012345678901234567890123"}]})"),
          std::string(R"({"events": [{"type": "resize", "width": 0}]})"),
          std::string(R"({"have": "x", "events": []})"),
          std::string(R"({"events": [{"type": "up", "x": 1, "y": 1}, 7]})"), many}) {
        std::string error;
        EXPECT_FALSE(ViewerEventBatch::parse(body, error)) << body.substr(0, 80);
        EXPECT_FALSE(error.empty());
    }
}

TEST(ViewerEventBatch, FloodsAreMergedNotQueued) {
    using E = ViewerEventBatch::Event;
    auto event = [](PointerGestureRecognizer::Kind kind, float x, float dy = 0.0f, int mods = 0) {
        E e;
        e.input.kind = kind;
        e.input.location = {x, 0};
        e.input.delta = {0, dy};
        e.input.modifiers = mods;
        return e;
    };
    std::vector<E> queue{event(PointerGestureRecognizer::DOWN, 0)};
    for (int i = 1; i <= 10000; ++i) ASSERT_TRUE(ViewerEventBatch::merge(queue, {event(PointerGestureRecognizer::MOVE, float(i))}));
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(queue[1].input.location.x, 10000.0f) << "the latest position wins";
    for (int i = 0; i < 100; ++i) ViewerEventBatch::merge(queue, {event(PointerGestureRecognizer::WHEEL, 5, 3)});
    ASSERT_EQ(queue.size(), 3u);
    EXPECT_EQ(queue[2].input.delta.y, 300.0f) << "wheel steps add up";
    // A different modifier starts a new step; ups and downs are never merged.
    ViewerEventBatch::merge(queue, {event(PointerGestureRecognizer::WHEEL, 5, 3, 2), event(PointerGestureRecognizer::UP, 1),
                                    event(PointerGestureRecognizer::UP, 1)});
    EXPECT_EQ(queue.size(), 6u);
    // Events that cannot be merged are refused beyond the cap, queue unchanged.
    std::vector<E> taps(ViewerEventBatch::MAX_QUEUED, event(PointerGestureRecognizer::UP, 1));
    EXPECT_FALSE(ViewerEventBatch::merge(queue, taps));
    EXPECT_EQ(queue.size(), 6u);
}

} // namespace
} // namespace orvane::tool
