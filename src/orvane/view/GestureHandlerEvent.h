// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/view/PickResult.h"

#include <memory>
#include <vector>

namespace orvane {

class GestureHandler;

/// The outcome of routing one gesture: which handler took it and how.
class ORVANE_EXPORT GestureHandlerEvent : public PortableEvent {
public:
    static constexpr int SUCCESS = 20039;
    static constexpr int FAILURE = 20040;
    static constexpr int PENDING = 20041;

    explicit GestureHandlerEvent(int type) : PortableEvent(type) {}
    static std::shared_ptr<GestureHandlerEvent> create(int type) { return std::make_shared<GestureHandlerEvent>(type); }

    int getState() const { return state_; }
    void setState(int s) { state_ = s; }
    int getGestureType() const { return gestureType_; }
    void setGestureType(int t) { gestureType_ = t; }
    Point getLocation() const { return location_; }
    void setLocation(Point p) { location_ = p; }
    std::shared_ptr<std::vector<std::shared_ptr<PickResult>>> getPickResults() const { return pickResults_; }
    void setPickResults(std::shared_ptr<std::vector<std::shared_ptr<PickResult>>> r) { pickResults_ = std::move(r); }
    std::shared_ptr<GestureHandler> getGestureHandler() const { return handler_.lock(); }
    void setGestureHandler(const std::shared_ptr<GestureHandler>& h) { handler_ = h; }

private:
    int state_ = GestureRecognizerState::POSSIBLE;
    int gestureType_ = 0;
    Point location_;
    std::shared_ptr<std::vector<std::shared_ptr<PickResult>>> pickResults_;
    std::weak_ptr<GestureHandler> handler_;
};

} // namespace orvane
