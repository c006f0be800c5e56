// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>

namespace orvane {

class CrosstabRenderer;
class OrvaneCrosstabState;

/// A handle on a crosstab view that the host keeps to save and restore what
/// the view shows. The view hands one out with every CrosstabControllerEvent
/// (after each rebuild: an expand, a collapse, a drill, new data).
///
/// The state is the visible window of data cells: the first visible column
/// and row, and how many columns and rows are visible (partly visible ones
/// count). A state set here is applied on the view's next rebuild when its
/// display is not interactive (export and printing); an interactive view
/// keeps the user's own scroll position.
///
/// The controller holds the view weakly: once the view is gone, getState
/// answers null and setState does nothing.
class ORVANE_EXPORT CrosstabController : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10013;

    static std::shared_ptr<CrosstabController> create(const std::shared_ptr<CrosstabRenderer>& renderer);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    std::shared_ptr<CrosstabRenderer> getRenderer() const { return renderer_.lock(); }
    /// The view's visible window now (null without a view or before its first
    /// rebuild; all zero for a crosstab without cells).
    std::shared_ptr<OrvaneCrosstabState> getState() const;
    /// Asks the view to show the window of the state: rows [verticalIndex,
    /// verticalIndex + verticalCells) and columns [horizontalIndex,
    /// horizontalIndex + horizontalCells). Negative indices or counts, and a
    /// state without visible cells, are refused (false, logged).
    bool setState(const std::shared_ptr<OrvaneCrosstabState>& state);

private:
    CrosstabController() = default;
    std::weak_ptr<CrosstabRenderer> renderer_;
};

} // namespace orvane
