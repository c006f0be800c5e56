// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <vector>

namespace displaylist {
class DisplayListRenderer;
}

namespace orvane {

class BaseView;

/// Takes gestures in a region of its view. The root view picks one handler per
/// gesture by hit testing (handlerHitTest) and keeps it until the gesture ends.
class ORVANE_EXPORT GestureHandler : public virtual Wrappable {
public:
    using HandlerList = std::vector<std::shared_ptr<GestureHandler>>;

    ~GestureHandler() override = default;

    virtual Rect getFrame() const { return frame_; }
    virtual void setFrame(const Rect& frame) { frame_ = frame; }
    virtual std::shared_ptr<BaseView> getView() const { return view_.lock(); }
    virtual void setView(const std::shared_ptr<BaseView>& view) { view_ = view; }

    /// Bits of GestureRecognizerType this handler needs.
    virtual int getRequiredGestureRecognizerTypes() const { return 0; }
    virtual int getAccessibilityGestureRecognizerTypes() const { return 0; }

    /// Called after every gesture routed to this handler.
    virtual void handlePick(const std::shared_ptr<displaylist::DisplayListRenderer>&) {}
    virtual Rect getPickAperture() const { return {}; }
    virtual std::shared_ptr<std::vector<Point>> getCurrentPickGeometry() const { return nullptr; }

    virtual bool handlesType(int type) const { return (getRequiredGestureRecognizerTypes() & type) != 0; }
    /// The type is handled and the frame moved by `offset` holds every touch point.
    virtual bool handlesGesture(const Point& offset, const Gesture& gesture) const;
    virtual bool handlesTypeAtPoint(const Point& offset, int type, const Point& point) const;

    /// Each returns whether the gesture was consumed.
    virtual bool handlePinch(const Pinch&) { return false; }
    virtual bool handlePan(const Pan&) { return false; }
    virtual bool handleTap(const Tap&) { return false; }
    virtual bool handleLongPress(const LongPress&) { return false; }
    virtual bool handleMouseWheel(const MouseWheel&) { return false; }
    virtual bool handlePrerecognizedTouches(const std::vector<Point>&) { return false; }
    virtual bool handlePointerHover(const PointerHover&) { return false; }

    /// Handlers under the gesture, best first: deeper views before their
    /// ancestors, earlier siblings before later ones.
    static HandlerList handlerHitTest(const std::shared_ptr<BaseView>& view, const Point& offset, const Gesture& gesture);
    static int getRequiredGestureRecognizerTypes(const std::shared_ptr<BaseView>& view);
    static int getAccessibilityGestureRecognizerTypes(const std::shared_ptr<BaseView>& view);
    static bool handlesTypeAtPoint(const std::shared_ptr<BaseView>& view, const Point& offset, int type,
                                   const Point& point);

private:
    static void hitTestInto(const std::shared_ptr<BaseView>& view, const Point& offset, const Gesture& gesture,
                            HandlerList& out, int depth);

    Rect frame_;
    std::weak_ptr<BaseView> view_;
};

} // namespace orvane
