// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/input/PointerGestureRecognizer.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane::tool {

// One request's worth of page input for `orvane serve`: pointer, wheel and
// key events in page coordinates (pixels from the page's top left), read from
// the JSON the viewer script posts, checked as a whole (a batch with one bad
// event is refused and changes nothing) and merged into a session's queue so
// that a flood of moves or wheel steps never grows it without bound.
//
//   {"have": 3, "events": [{"type": "down", "x": 10, "y": 20, "t": 1234.5, "mods": 1}, ...]}
//
// "type" is down, move, up, cancel, wheel (with "dx", "dy" in pixels) or key
// (with "key", the browser's key name); "t" is milliseconds on the page's
// clock; "mods" the modifier bits (1 shift, 2 control, 4 alt, 8 meta). A
// "resize" event (with "width") lays the page out anew. A "focus" event moves
// the accessibility focus of one grid of the page (its "grid" number, tables
// first, then crosstabs, from 0) to the cell at "row" and "column" (1-based,
// absolute, as the page's ARIA grid numbers them; both optional) and then, with
// "move" (up, down, left, right, home, end, first, last, next, previous), on
// through the whole table.
class ViewerEventBatch {
public:
    struct Event {
        PointerGestureRecognizer::Input input;
        bool resize = false;
        float width = 0.0f;
        bool focus = false;
        int grid = 0;
        long long row = 0, column = 0;  // 0: keep the current cell
        std::string move;
    };

    static constexpr size_t MAX_EVENTS = 256;     // per request
    static constexpr size_t MAX_QUEUED = 1024;    // per session, after merging
    static constexpr size_t MAX_KEY_LENGTH = 32;  // bytes of a key name
    static constexpr double MAX_COORDINATE = 1.0e6;

    // Reads a request body; on failure nullopt and the reason in `error`.
    static std::optional<ViewerEventBatch> parse(const std::string& body, std::string& error);

    const std::vector<Event>& events() const { return events_; }
    // The frame the page shows (-1: none), so that only what changed is sent.
    long long have() const { return have_; }

    // Appends `incoming` to `queue`, merging a move into a move just before
    // it and a wheel step into a wheel step just before it (their deltas
    // summed). False, and `queue` unchanged, when the queue would still
    // exceed MAX_QUEUED.
    static bool merge(std::vector<Event>& queue, const std::vector<Event>& incoming);

private:
    std::vector<Event> events_;
    long long have_ = -1;
};

} // namespace orvane::tool
