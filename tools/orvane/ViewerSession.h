// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "AriaGrid.h"
#include "FrameDelta.h"
#include "ViewerEventBatch.h"

#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/host/input/PointerGestureRecognizer.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {
class BaseView;
class Focusable;
class Report;
}

namespace orvane::tool {

// One browser tab's view of a report in `orvane serve`: its own Report (read
// from the file, laid out at the tab's width), the recogniser that turns the
// tab's pointer, wheel and key input into gestures, and the frames it has
// drawn. Everything here runs on the server's event-loop thread only.
class ViewerSession {
public:
    // One cell or header of a table or crosstab as the page's ARIA grid
    // shows it, from the view's accessibility elements.
    using AriaCell = AriaGrid::Cell;

    // Reads the report and lays it out `width` pixels wide; null, with the
    // reason in `error`, when it cannot be read.
    static std::unique_ptr<ViewerSession> open(const std::string& reportPath, float width, std::string& error);
    ~ViewerSession();

    // Feeds the events; `now` is the loop's clock in seconds. The number of
    // gestures a view consumed.
    int apply(const std::vector<ViewerEventBatch::Event>& events, double now);
    // Lets time pass: a held press becomes a long press, animations advance.
    void tick(double now);
    // When tick() is next wanted on the loop's clock (negative: not needed).
    double nextDeadline() const;

    // The page's ARIA grid as the last frame drew it.
    const std::vector<AriaCell>& accessibilityCells() const { return aria_.cells(); }
    // Maps a browser key name ("ArrowDown", "PageUp", "Enter", " ", ...) to
    // the host's KeyCode; 0 for a key the library does not take.
    static int keyCode(const std::string& browserKey);

    // The current frame's number (a new number only when the picture changed).
    long long frameNumber() const { return frame_; }
    const std::string& svg() const { return svg_; }
    // The reply for a page that shows frame `have`: the frame number, the
    // page size, the frame itself (whole, as a delta from `have`, or nothing
    // when the page has it already) and the accessibility grid when it
    // changed since frame `have`: the changed cells when the page's grid
    // is the one before, else the whole grid.
    std::string replyJson(long long have, int handled) const;
    float width() const;
    float height() const;
    // The tab's report (its views, for tests and tools).
    const std::shared_ptr<Report>& report() const { return report_; }

private:
    ViewerSession() = default;
    // Renders and, when the picture changed, starts a new frame.
    void refresh();
    int route(const PointerGestureRecognizer::Recognized& r);
    Point toView(Point page) const;
    // The report's tables and crosstabs in reading order (top to bottom,
    // then left to right): the grids of the page, in the page's tab order.
    std::vector<std::shared_ptr<BaseView>> grids() const;
    // Moves a grid's accessibility focus as a "focus" event asks; whether
    // the focus landed on a cell.
    bool applyFocus(const ViewerEventBatch::Event& e);
    // The grids' accessibility elements as the page's ARIA grid.
    AriaGrid collectAccessibilityCells() const;

    std::shared_ptr<Report> report_;
    PointerGestureRecognizer recognizer_;
    double clockOffset_ = 0.0;  ///< loop clock minus the page's clock
    bool clockKnown_ = false;
    Point lastPointer_;
    long long frame_ = 0;
    std::string svg_;
    long long previousFrame_ = -1;
    std::string previousSvg_;
    AriaGrid aria_;
    bool ariaWanted_ = false;  ///< collect the grid again at the next refresh
    long long ariaFrame_ = 0;  ///< the frame at which the grid last changed
    // The grid before that change (shown from previousAriaFrame_ on), and
    // what turns it into the current one.
    AriaGrid previousAria_;
    long long previousAriaFrame_ = 0;
    AriaGrid::Delta ariaDelta_;
    // The keyboard focus belongs to the process; each tab keeps its own and
    // puts it back before its input is routed.
    std::weak_ptr<Focusable> keyboardFocus_;
};

} // namespace orvane::tool
