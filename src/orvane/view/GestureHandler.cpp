// SPDX-License-Identifier: Apache-2.0
#include "orvane/view/GestureHandler.h"

#include "orvane/view/BaseView.h"

namespace orvane {

namespace {
constexpr int kMaxDepth = 256;
}

bool GestureHandler::handlesGesture(const Point& offset, const Gesture& gesture) const {
    if (!handlesType(gesture.getType())) return false;
    auto points = gesture.getTouchPoints();
    if (!points || points->empty()) return false;
    Rect f = getFrame().offsetBy(offset);
    for (const Point& p : *points)
        if (!f.contains(p)) return false;
    return true;
}

bool GestureHandler::handlesTypeAtPoint(const Point& offset, int type, const Point& point) const {
    return handlesType(type) && getFrame().offsetBy(offset).contains(point);
}

void GestureHandler::hitTestInto(const std::shared_ptr<BaseView>& view, const Point& offset, const Gesture& gesture,
                                 HandlerList& out, int depth) {
    if (!view || depth > kMaxDepth) return;
    Rect moved = view->getFrame().offsetBy(offset);
    auto points = gesture.getTouchPoints();
    if (!points || points->empty()) return;
    for (const Point& p : *points)
        if (!moved.contains(p)) return;
    Point origin{moved.x, moved.y};
    if (auto subs = view->getSubviews())
        for (auto& s : *subs) hitTestInto(s, origin, gesture, out, depth + 1);
    if (auto handlers = view->getGestureHandlers())
        for (auto& h : *handlers)
            if (h && h->handlesGesture(origin, gesture)) out.push_back(h);
}

GestureHandler::HandlerList GestureHandler::handlerHitTest(const std::shared_ptr<BaseView>& view, const Point& offset,
                                                           const Gesture& gesture) {
    HandlerList out;
    hitTestInto(view, offset, gesture, out, 0);
    return out;
}

int GestureHandler::getRequiredGestureRecognizerTypes(const std::shared_ptr<BaseView>& view) {
    if (!view) return 0;
    int bits = 0;
    if (auto handlers = view->getGestureHandlers())
        for (auto& h : *handlers)
            if (h) bits |= h->getRequiredGestureRecognizerTypes();
    if (auto subs = view->getSubviews())
        for (auto& s : *subs) bits |= getRequiredGestureRecognizerTypes(s);
    return bits;
}

int GestureHandler::getAccessibilityGestureRecognizerTypes(const std::shared_ptr<BaseView>& view) {
    if (!view) return 0;
    int bits = 0;
    if (auto handlers = view->getGestureHandlers())
        for (auto& h : *handlers)
            if (h) bits |= h->getAccessibilityGestureRecognizerTypes();
    if (auto subs = view->getSubviews())
        for (auto& s : *subs) bits |= getAccessibilityGestureRecognizerTypes(s);
    return bits;
}

bool GestureHandler::handlesTypeAtPoint(const std::shared_ptr<BaseView>& view, const Point& offset, int type,
                                        const Point& point) {
    if (!view) return false;
    Rect moved = view->getFrame().offsetBy(offset);
    if (!moved.contains(point)) return false;
    Point origin{moved.x, moved.y};
    if (auto handlers = view->getGestureHandlers())
        for (auto& h : *handlers)
            if (h && h->handlesTypeAtPoint(origin, type, point)) return true;
    if (auto subs = view->getSubviews())
        for (auto& s : *subs)
            if (handlesTypeAtPoint(s, origin, type, point)) return true;
    return false;
}

} // namespace orvane
