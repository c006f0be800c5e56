// SPDX-License-Identifier: Apache-2.0
#include "orvane/view/BaseView.h"

#include "orvane/displaylist/DLTextureDelegate.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqController2D.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/host/input/AccessibilityManager.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/core/Clock.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/style/Style.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/animation/AnimatingPan.h"
#include "orvane/animation/ConstructionTransition.h"
#include "orvane/animation/Transition.h"
#include "orvane/selection/SelectionController.h"
#include "orvane/view/GestureHandler.h"
#include "orvane/view/GestureHandlerEvent.h"
#include "orvane/view/BaseViewEvent.h"
#include "orvane/view/PickResult.h"

#include <algorithm>
#include <atomic>
#include <typeinfo>
#include <ostream>

namespace orvane {

namespace {
constexpr const char* kSource = "orvane/view/BaseView";

std::atomic<bool>& processVisualEffects() {
    static std::atomic<bool> flag{true};
    return flag;
}
// A plain Gesture record carries only the kind bits; the handlers take the
// class of the kind. Makes that class from the record's common fields (with
// no translation, velocity, scale or wheel delta), or gives the gesture back
// when it already is of a derived class.
std::shared_ptr<Gesture> typedGesture(const std::shared_ptr<Gesture>& g) {
    const Gesture& record = *g;
    if (typeid(record) != typeid(Gesture)) return g;
    namespace T = GestureRecognizerType;
    const int type = g->getType();
    std::shared_ptr<Gesture> out;
    if (type & T::POINTER_HOVER) out = std::make_shared<PointerHover>(g->getState(), g->getLocation());
    else if (type & T::PINCH) out = std::make_shared<Pinch>(g->getState(), g->getLocation());
    else if (type & (T::PAN | T::CONTINUED_PAN)) out = std::make_shared<Pan>(g->getState(), g->getLocation());
    else if (type & T::ANY_TAP) out = std::make_shared<Tap>(g->getLocation(), 1, type);
    else if (type & T::LONG_PRESS) out = std::make_shared<LongPress>(g->getState(), g->getLocation());
    else if (type & T::MOUSE_WHEEL) out = std::make_shared<MouseWheel>(g->getLocation());
    else return g;  // raw touches and unknown kinds need nothing but the common fields
    out->setType(type);
    out->setState(g->getState());
    out->setTouchPoints(std::make_shared<std::vector<Point>>(*g->getTouchPoints()));
    out->setModifiers(g->getModifiers());
    return out;
}

void refuseGesture(const char* kind) {
    ORVANE_LOG(CLog::ERRORS, kSource, std::string("gesture refused: its kind bits say ") + kind +
                                          " but the record is of another class");
}

} // namespace

BaseView::BaseView() = default;
BaseView::~BaseView() = default;

std::shared_ptr<BaseView> BaseView::create() { return std::make_shared<BaseView>(); }

// ---------------------------------------------------------------- frame

Rect BaseView::getFrame() const {
    if (superview_.expired()) return {0.0f, 0.0f, frame_.width, frame_.height};
    return frame_;
}

void BaseView::setFrame(const Rect& frame) {
    if (frame == frame_) return;
    if (renderer_ && (frame.width != frame_.width || frame.height != frame_.height)) {
        renderer_->setViewport(0.0f, 0.0f, frame.width, frame.height);
        frameSizeChanged_ = true;
    }
    frame_ = frame;
    setNeedsLayout(true);
}

Point BaseView::getOriginInRootViewCoordinates() const {
    Point origin{frame_.x, frame_.y};
    auto parent = superview_.lock();
    if (!parent) return {0.0f, 0.0f};  // the root reports origin (0, 0)
    Point p = parent->getOriginInRootViewCoordinates();
    return {origin.x + p.x, origin.y + p.y};
}

Size BaseView::getPreferredSize(const Size& constraint) {
    if (constraint.width == 0.0f && constraint.height == 0.0f) return getFrame().size();
    return {0.0f, 0.0f};
}

float BaseView::rtlTransformXValue(float x) const {
    auto r = getDisplayListRenderer();
    return r && r->getRTLEnabled() ? getFrame().width - x : x;
}

// ---------------------------------------------------------------- subviews

std::shared_ptr<BaseView::ViewList> BaseView::getSubviewsAtPoint(const Point& point) {
    // The point is in this view's own coordinates; the deepest views come first.
    auto out = std::make_shared<ViewList>();
    Rect own{0.0f, 0.0f, frame_.width, frame_.height};
    if (!own.contains(point)) return out;
    if (subviews_) {
        for (auto& s : *subviews_) {
            Rect f = s->getFrame();
            auto inner = s->getSubviewsAtPoint({point.x - f.x, point.y - f.y});
            out->insert(out->end(), inner->begin(), inner->end());
        }
    }
    out->push_back(sharedAs<BaseView>());
    return out;
}

void BaseView::addSubview(const std::shared_ptr<BaseView>& view) {
    if (!view || view.get() == this) return;
    // A view that holds this one (directly or further up) cannot become its
    // child: the tree would turn into a cycle that layout and coordinate
    // conversion would follow for ever.
    for (auto p = superview_.lock(); p; p = p->superview_.lock()) {
        if (p == view) {
            ORVANE_LOG(CLog::ERRORS, kSource, "addSubview refused: the view is an ancestor of its new superview");
            return;
        }
    }
    if (!subviews_) subviews_ = std::make_shared<ViewList>();
    if (std::find(subviews_->begin(), subviews_->end(), view) != subviews_->end()) return;
    // A view has one superview: take it away from a previous one.
    if (auto old = view->superview_.lock(); old && old.get() != this) old->removeSubview(view);
    view->superview_ = sharedAs<BaseView>();
    view->setTransition(transition_);
    subviews_->push_back(view);
    if (view->subtreeNeedsUpdateDisplayList()) markAncestorsNeedUpdate();
    setNeedsLayout(true);
}

void BaseView::removeSubview(const std::shared_ptr<BaseView>& view) {
    if (!view || !subviews_) return;
    bool found = false;
    for (auto it = subviews_->begin(); it != subviews_->end();) {
        if (*it == view) {
            it = subviews_->erase(it);
            found = true;
        } else {
            ++it;
        }
    }
    if (!found) return;
    view->setTransition(nullptr);
    if (view->superview_.lock().get() == this) view->superview_.reset();
    setNeedsLayout(true);
    setNeedsUpdateDisplayList(true);
}

void BaseView::removeAllSubviews() {
    if (subviews_) {
        for (auto& s : *subviews_) {
            s->setTransition(nullptr);
            if (s->superview_.lock().get() == this) s->superview_.reset();
        }
    }
    subviews_.reset();
    setNeedsLayout(true);
    setNeedsUpdateDisplayList(true);
}

// ---------------------------------------------------------------- renderer

std::shared_ptr<displaylist::DisplayListRenderer> BaseView::getDisplayListRenderer() const {
    if (auto parent = superview_.lock())
        if (auto r = parent->getDisplayListRenderer()) return r;
    return renderer_;
}

std::shared_ptr<displaylist::DisplayListEditor> BaseView::getDisplayListEditor() const {
    auto r = getDisplayListRenderer();
    return r ? r->getEditor() : nullptr;
}

void BaseView::pushRendererAnimationFlags(bool onlyWhenChanged) {
    if (!renderer_) return;
    bool transitions = shouldShowVisualEffects_ && visualEffectsEnabled();
    bool selection = transitions && shouldShowSelectionAnimation_;
    if (!onlyWhenChanged || transitions != rendererTransitionAnimationEnabled_)
        renderer_->setTransitionAnimationEnabled(transitions);
    if (!onlyWhenChanged || selection != rendererSelectionAnimationEnabled_)
        renderer_->setSelectionAnimationEnabled(selection);
    rendererTransitionAnimationEnabled_ = transitions;
    rendererSelectionAnimationEnabled_ = selection;
}

void BaseView::setDisplayListRenderer(const std::shared_ptr<displaylist::DisplayListRenderer>& renderer) {
    renderer_ = renderer;
    if (renderer_) {
        renderer_->setShouldRetainBuffers(shouldRetainBuffers_);
        pushRendererAnimationFlags(false);
        if (frame_.width > 0.0f || frame_.height > 0.0f) renderer_->setViewport(0.0f, 0.0f, frame_.width, frame_.height);
    }
    // Groups recorded into another renderer cannot be reused.
    recordedGroup_ = nullptr;
    setNeedsUpdateDisplayList(true);
    dispatchEvent(BaseViewEvent::create(DISPLAYLISTRENDERER_CHANGED, renderer_));
    setNeedsLayout(true);
}

void BaseView::setShouldRetainBuffers(bool b) {
    shouldRetainBuffers_ = b;
    if (renderer_) renderer_->setShouldRetainBuffers(b);
}

void BaseView::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (auto parent = superview_.lock()) parent->setNeedsUpdateDisplayList(true);
    setNeedsUpdateDisplayList(true);
}

void BaseView::setAccessibilityModeEnabled(bool enabled) {
    if (accessibilityModeEnabled_ == enabled) return;
    accessibilityModeEnabled_ = enabled;
    dispatchEvent(PortableEvent::create(NEEDS_UPDATE_GESTURE_RECOGNIZERS));
}

std::shared_ptr<AccessibilityController> BaseView::getAccessibilityController() {
    if (!accessibilityControllerCreated_) {
        accessibilityControllerCreated_ = true;
        accessibilityController_ = createAccessibilityController();
    }
    return accessibilityController_;
}

std::shared_ptr<SelectionController> BaseView::getSelectionController() {
    if (!selectionControllerCreated_) {
        selectionControllerCreated_ = true;
        selectionController_ = createSelectionController();
    }
    return selectionController_;
}

// ---------------------------------------------------------------- effects

bool BaseView::getVisualEffectsEnabled() { return processVisualEffects().load(); }
void BaseView::setVisualEffectsEnabled(bool enabled) { processVisualEffects() = enabled; }
bool BaseView::visualEffectsEnabled() {
    return processVisualEffects().load() && AccessibilityManager::isVisualEffectsEnabled();
}

void BaseView::setShouldShowVisualEffects(bool b) {
    shouldShowVisualEffects_ = b;
    resolveVisualEffectsState();
}

void BaseView::setShouldShowTransitions(bool b) {
    shouldShowTransitions_ = b;
    resolveVisualEffectsState();
}

void BaseView::setShouldShowSelectionAnimation(bool b) {
    shouldShowSelectionAnimation_ = b;
    resolveVisualEffectsState();
}

bool BaseView::resolveVisualEffectsState() {
    bool keptTested = false;
    if (transition_ && transition_->getType() != TransitionTypes::CONTINUOUS) {
        if (!shouldShowTransitions_ || !shouldShowVisualEffects_ || !visualEffectsEnabled())
            transition_.reset();
        else
            keptTested = true;
    }
    if (!renderer_) return keptTested;
    pushRendererAnimationFlags(true);
    return shouldShowVisualEffects_ && visualEffectsEnabled();
}

void BaseView::setTransition(const std::shared_ptr<Transition>& t) {
    if (t == transition_) return;
    bool accept = !t || (!t->isDeactivated() && t->getType() != TransitionTypes::CONSTRUCTION &&
                         (t->getType() == TransitionTypes::CONTINUOUS ||
                          (shouldShowTransitions_ && shouldShowVisualEffects_ && visualEffectsEnabled())));
    if (!accept) return;
    transition_ = t;
    setNeedsUpdateDisplayList(true);
}

bool BaseView::isTransitioning(bool requireEffects) const {
    if (!getDisplayListRenderer()) return false;
    if (requireEffects && !(shouldShowVisualEffects_ && visualEffectsEnabled())) return false;
    return transition_ && !transition_->isDeactivated() && transition_->getType() != TransitionTypes::CONTINUOUS;
}

bool BaseView::isAnimating() const {
    if (!getDisplayListRenderer()) return false;
    if (transition_ && transition_->getType() == TransitionTypes::CONTINUOUS && transition_->isActive() &&
        transition_->needsUpdateDisplayList())
        return true;
    // Visual effects here are the process-wide switch and the accessibility
    // setting; the view's own flag does not stop an inertial pan in flight.
    if (visualEffectsEnabled() && animatedGesture_ && animatedGesture_->isActive())
        return true;
    return isTransitioning(true);
}

// ---------------------------------------------------------------- invalidation

void BaseView::markAncestorsNeedUpdate() {
    for (auto p = superview_.lock(); p; p = p->superview_.lock()) {
        if (p->descendantNeedsUpdate_) break;
        p->descendantNeedsUpdate_ = true;
    }
}

void BaseView::markAncestorsNeedLayout() {
    for (auto p = superview_.lock(); p; p = p->superview_.lock()) {
        if (p->descendantNeedsLayout_) break;
        p->descendantNeedsLayout_ = true;
    }
}

void BaseView::setNeedsLayout(bool needs) {
    needsLayout_ = needs;
    if (needs) markAncestorsNeedLayout();
}

void BaseView::setNeedsUpdateDisplayList(bool needs) {
    needsUpdateDisplayList_ = needs;
    if (needs) markAncestorsNeedUpdate();
}

bool BaseView::needsLayout() const {
    if (needsLayout_ || descendantNeedsLayout_) return true;
    if (transition_ && transition_->needsLayout()) return true;
    if (subviews_)
        for (auto& s : *subviews_)
            if (s->needsLayout_) return true;
    return false;
}

bool BaseView::needsUpdateDisplayList() const {
    if (needsUpdateDisplayList_ || descendantNeedsUpdate_) return true;
    if (transition_ && transition_->needsUpdateDisplayList()) return true;
    if (animatedGesture_ && animatedGesture_->needsUpdateDisplayList()) return true;
    if (subviews_)
        for (auto& s : *subviews_)
            if (s->needsUpdateDisplayList_) return true;
    return false;
}

void BaseView::invalidateFrameBuffer() {
    if (auto parent = superview_.lock()) {
        parent->invalidateFrameBuffer();
        return;
    }
    frameBufferInvalid_ = true;
}

void BaseView::invalidateRuleCaches() {
    if (!subviews_) return;
    for (auto& s : *subviews_) s->invalidateRuleCaches();
}

// ---------------------------------------------------------------- layout and drawing

void BaseView::layout() {
    if (subviews_) {
        auto subs = *subviews_;  // a layout may add or remove subviews
        for (auto& s : subs) {
            // The subview's layout consumes its flag: read it first, and take
            // what the subview's own subviews reported to it.
            const bool changed = s->frameSizeChanged_;
            s->frameSizeChangedInLastLayout_ = false;
            s->layout();
            frameSizeChanged_ = frameSizeChanged_ || changed || s->frameSizeChangedInLastLayout_;
        }
    }
    setNeedsUpdateDisplayList(true);
    needsLayout_ = false;
    descendantNeedsLayout_ = false;
    if (frameSizeChanged_ && isRoot()) dispatchEvent(PortableEvent::create(NEEDS_UPDATE_GESTURE_RECOGNIZERS));
    frameSizeChangedInLastLayout_ = frameSizeChanged_;
    frameSizeChanged_ = false;
}

void BaseView::beginDisplayListUpdate(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    if (!editor || displayListClearedForUpdate_) return;
    displayListClearedForUpdate_ = true;
    if (isRoot() && shouldClearDisplayListBeforeUpdate_) {
        if (auto r = getDisplayListRenderer()) {
            r->clear();
            editor->deleteNode(-1);
            displaylist::DisplayListEditor::resetDisplayNodeIds();
        }
    }
}

void BaseView::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    if (!editor) return;
    // Nothing happens when a subclass has already begun this update.
    beginDisplayListUpdate(editor);
    if (subviews_) {
        for (auto& s : *subviews_) {
            Rect f = s->getFrame();
            if (f.width < 1.0f || f.height < 1.0f || !s->isVisible()) continue;
            // An unchanged subview puts back what it recorded last time.
            if (!s->subtreeNeedsUpdateDisplayList() && s->recordedGroup_ && s->recordedFrame_ == f &&
                !(s->transition_ && s->transition_->needsUpdateDisplayList()) &&
                editor->addNode(s->recordedGroup_.get()))
                continue;
            displaylist::TqGroup* group = editor->openGroup(f.x, f.y, f.width, f.height);
            s->recordedGroup_ = group;
            s->recordedFrame_ = f;
            s->updateDisplayList(editor);
            editor->closeGroup();
        }
    }
    needsUpdateDisplayList_ = false;
    descendantNeedsUpdate_ = false;
    displayListClearedForUpdate_ = false;
}

double BaseView::render() {
    TimerCallback::updateTimers();
    Rect frame = getFrame();
    if (!(frame.width > 0.0f) || !(frame.height > 0.0f)) {
        dispatchEvent(PortableEvent::create(FRAME_ZERO_SIZE));
        return 0.0;
    }
    const double start = getCurrentTime();
    if (constructionTransitionPending_) {
        if (shouldShowConstructionTransition_ && shouldShowTransitions_ && shouldShowVisualEffects_ &&
            visualEffectsEnabled())
            setTransition(ConstructionTransition::create(0.2f, 0.5f));
        constructionTransitionPending_ = false;
    }
    const bool effects = resolveVisualEffectsState();
    auto editor = getDisplayListEditor();
    const int animationCount = editor ? editor->getAnimationCount() : 0;
    const bool update = needsLayout() || needsUpdateDisplayList();
    if (!update && !frameBufferInvalid_ && !animatedGesture_) {
        if (!(effects && (animationCount != 0 || isTransitioning(false)))) return 0.0;
    }
    auto renderer = getDisplayListRenderer();
    if (renderer && renderer->hasInteractiveContext()) {
        renderer->prepareForDrawing();
        displaylist::DLTextureDelegate::setCurrentDisplayListRenderer(renderer);
    }
    if (animatedGesture_) {
        animatedGesture_->update(getCurrentTime());
        handleGesture(animatedGesture_);
    }
    double now = getCurrentTime();
    if (needsLayout()) {
        layout();
        if (transition_) transition_->layoutUpdated(now);
    } else if (transition_) {
        transition_->update(now);
    }
    if (transition_ && transition_->isDeactivated()) transition_.reset();
    if (needsUpdateDisplayList()) {
        // Cleared before any content is recorded, whichever class the root is.
        auto updateEditor = getDisplayListEditor();
        beginDisplayListUpdate(updateEditor);
        updateDisplayList(updateEditor);
        displayListClearedForUpdate_ = false;
        if (transition_) {
            transition_->displayListUpdated(now);
            if (transition_->isDeactivated()) transition_.reset();
        }
    }
    if (renderer) {
        frameBufferInvalid_ = false;
        renderer->drawFrame();
        displaylist::DLTextureDelegate::setCurrentDisplayListRenderer(nullptr);
    }
    if (!isWaitingForExternalAssets()) dispatchEvent(PortableEvent::create(FRAME_VALID));
    if (animatedGesture_ && !animatedGesture_->isActive()) {
        animatedGesture_.reset();
        activeGestureHandler_.reset();
        invalidateFrameBuffer();
    }
    return getCurrentTime() - start;
}

// ---------------------------------------------------------------- focus and companions

void BaseView::didGainKeyboardFocus() { dispatchEvent(PortableEvent::create(ACTIVATE)); }

void BaseView::willLoseKeyboardFocus() {
    if (auto editor = getDisplayListEditor()) editor->clearFocusRect();
    invalidateFrameBuffer();
}

void BaseView::setRenderingType(RenderingType::type type) {
    if (type == renderingType_) return;
    renderingType_ = type;
    dispatchEvent(PortableEvent::create(RENDERING_TYPE_CHANGE));
}

void BaseView::addTimerCallback(const std::shared_ptr<TimerCallback>& callback) {
    if (callback) timerCallbacks_.push_back(callback);
}

std::shared_ptr<Image> BaseView::getImage() {
    auto renderer = getDisplayListRenderer();
    if (!renderer) return nullptr;
    if (!renderer->hasInteractiveContext()) return renderer->getImage();
    renderer->setOffscreen(true);
    setShouldClearDisplayListBeforeUpdate(true);
    setNeedsUpdateDisplayList(true);
    setNeedsLayout(true);
    render();
    auto image = renderer->getImage();
    renderer->setOffscreen(false);
    setShouldClearDisplayListBeforeUpdate(true);
    setNeedsUpdateDisplayList(true);
    setNeedsLayout(true);
    return image;
}

std::shared_ptr<std::vector<std::shared_ptr<PickResult>>> BaseView::getCurrentSelectedPickResults() {
    auto out = std::make_shared<std::vector<std::shared_ptr<PickResult>>>();
    auto editor = getDisplayListEditor();
    if (!editor) return out;
    for (const auto& info : editor->getSelectionInfoArray())
        if (auto r = getPickResultForNodeInfo(info)) out->push_back(r);
    return out;
}

void BaseView::printGeometryToStream(std::ostream& out, int indent) const {
    Rect f = getFrame();
    out << std::string(static_cast<size_t>(std::max(0, indent)) * 2, ' ') << "view " << getWrapperTypeId();
    if (tag_) out << " \"" << *tag_ << "\"";
    out << " frame(" << f.x << ", " << f.y << ", " << f.width << ", " << f.height << ")"
        << (visible_ ? "" : " hidden") << "\n";
    if (subviews_)
        for (auto& s : *subviews_) s->printGeometryToStream(out, indent + 1);
}

// ---------------------------------------------------------------- picking

std::vector<displaylist::TqSelectionInfoStruct> BaseView::getPickedNodeIdsInAperture(const Rect& aperture,
                                                                                     bool frontMostOnly) {
    if (auto parent = superview_.lock())
        return parent->getPickedNodeIdsInAperture(aperture.offsetBy({frame_.x, frame_.y}), frontMostOnly);
    if (!renderer_ || isAnimating()) return {};
    return renderer_->getPickedNodeIds(aperture, frontMostOnly);
}

std::vector<displaylist::TqSelectionInfoStruct> BaseView::getPickedNodeIdsInPolygon(const std::vector<Point>& points,
                                                                                    bool frontMostOnly) {
    if (auto parent = superview_.lock()) {
        std::vector<Point> moved;
        moved.reserve(points.size());
        for (const Point& p : points) moved.push_back({p.x + frame_.x, p.y + frame_.y});
        return parent->getPickedNodeIdsInPolygon(moved, frontMostOnly);
    }
    if (!renderer_ || isAnimating()) return {};
    return renderer_->getPickedNodeIdsInPolygon(points, frontMostOnly);
}

std::shared_ptr<std::vector<std::shared_ptr<PickResult>>> BaseView::getPickResultsInPolygon(
    const std::vector<Point>& points, bool frontMostOnly) {
    auto out = std::make_shared<std::vector<std::shared_ptr<PickResult>>>();
    for (const auto& info : getPickedNodeIdsInPolygon(points, frontMostOnly))
        if (auto r = getPickResultForNodeInfo(info)) out->push_back(r);
    return out;
}

std::shared_ptr<PickResult> BaseView::getPickResultForNodeInfo(const displaylist::TqSelectionInfoStruct&) {
    return nullptr;
}

std::shared_ptr<std::vector<std::shared_ptr<PickResult>>> BaseView::getPickResultsInApertureImpl(const Rect&, bool) {
    return std::make_shared<std::vector<std::shared_ptr<PickResult>>>();
}

std::shared_ptr<std::vector<std::shared_ptr<PickResult>>> BaseView::getPickResultsInAperture(const Rect& aperture,
                                                                                             bool flag) {
    auto results = getPickResultsInApertureImpl(aperture, flag);
    auto r = getDisplayListRenderer();
    if (results && r && r->getRTLEnabled()) {
        float w = getFrame().width;
        for (auto& res : *results) {
            if (!res) continue;
            Point p = res->getPreferredTargetLocation();
            res->setPreferredTargetLocation({w - p.x, p.y});
        }
    }
    return results;
}

// ---------------------------------------------------------------- gestures

void BaseView::addGestureHandler(const std::shared_ptr<GestureHandler>& handler) {
    if (!handler) return;
    if (!gestureHandlers_) gestureHandlers_ = std::make_shared<std::vector<std::shared_ptr<GestureHandler>>>();
    handler->setView(sharedAs<BaseView>());
    gestureHandlers_->push_back(handler);
    setNeedsLayout(true);
}

std::shared_ptr<GestureHandler> BaseView::acquireActiveGestureHandler(const Gesture& gesture) {
    auto active = activeGestureHandler_.lock();
    if (gesture.getState() == GestureRecognizerState::BEGAN || !active) {
        auto hits = GestureHandler::handlerHitTest(sharedAs<BaseView>(), {0.0f, 0.0f}, gesture);
        if (hits.empty()) {
            activeGestureHandler_.reset();
            return nullptr;
        }
        activeGestureHandler_ = hits.front();
        return hits.front();
    }
    return active;
}

std::shared_ptr<Gesture> BaseView::createTransformedGestureForRTL(const Gesture& gesture) const {
    auto copy = gesture.clone();
    copy->mirrorX(getFrame().width);
    return copy;
}

bool BaseView::canHandleGestureDirection(int direction) const {
    auto editor = getDisplayListEditor();
    displaylist::TqController2D* c = editor ? editor->getController2D() : nullptr;
    if (!c || !gestureHandlersEnabled_) return false;
    switch (direction) {
    case GestureDirectionType::DOWN: return c->CanPanVertically(-0.1f);
    case GestureDirectionType::UP: return c->CanPanVertically(0.1f);
    case GestureDirectionType::LEFT: return c->CanPanHorizontally(0.1f);
    case GestureDirectionType::RIGHT: return c->CanPanHorizontally(-0.1f);
    default: return true;
    }
}

void BaseView::routePan(const std::shared_ptr<GestureHandler>& handler, const std::shared_ptr<Gesture>& gesture,
                        const std::shared_ptr<Gesture>& local, bool& consumed) {
    auto* pan = dynamic_cast<const Pan*>(local.get());
    if (!pan) return;
    auto* animating = dynamic_cast<const AnimatingPan*>(gesture.get());
    if (!animating && gesture->getState() == GestureRecognizerState::ENDED &&
        (gesture->getType() & GestureRecognizerType::PAN) && !(pan->getVelocity() == Point{0.0f, 0.0f})) {
        auto* original = dynamic_cast<const Pan*>(gesture.get());
        auto inertial = AnimatingPan::create(original ? *original : *pan,
                                             lastPanTouchPoints_ ? lastPanTouchPoints_ : gesture->getTouchPoints());
        animatedGesture_ = inertial;
        inertial->activate(getCurrentTime());
        lastPanTouchPoints_.reset();
        Point origin = handler->getView() ? handler->getView()->getOriginInRootViewCoordinates() : Point{};
        auto localInertial = inertial->relativeTo(origin);
        consumed = handler->handlePan(*static_cast<const Pan*>(localInertial.get()));
        return;
    }
    if (!animating) lastPanTouchPoints_ = std::make_shared<std::vector<Point>>(*gesture->getTouchPoints());
    consumed = handler->handlePan(*pan);
}

void BaseView::handleGesture(const std::shared_ptr<Gesture>& incoming) {
    if (!incoming) return;
    const int type = incoming->getType();
    if (type != GestureRecognizerType::POINTER_HOVER && type != GestureRecognizerType::MOUSE_WHEEL)
        dispatchEvent(PortableEvent::create(ACTIVATE));
    if (!superview_.expired() || !gestureHandlersEnabled_) return;
    auto keepAlive = sharedAs<BaseView>();
    auto renderer = getDisplayListRenderer();
    std::shared_ptr<Gesture> g = typedGesture(incoming);
    // The animated pan is advanced in place; mirror a copy of anything else.
    if (renderer && renderer->getRTLEnabled() && !dynamic_cast<AnimatingPan*>(g.get()))
        g = createTransformedGestureForRTL(*g);

    bool consumed = false;
    auto handler = acquireActiveGestureHandler(*g);
    if (handler) {
        auto view = handler->getView();
        Point origin = view ? view->getOriginInRootViewCoordinates() : Point{};
        auto local = g->relativeTo(origin);
        if (type & GestureRecognizerType::POINTER_HOVER) {
            if (auto* h = dynamic_cast<const PointerHover*>(local.get())) consumed = handler->handlePointerHover(*h);
            else refuseGesture("pointer hover");
        } else if (type & GestureRecognizerType::PINCH) {
            if (auto* p = dynamic_cast<const Pinch*>(local.get())) consumed = handler->handlePinch(*p);
            else refuseGesture("pinch");
        } else if (type & (GestureRecognizerType::PAN | GestureRecognizerType::CONTINUED_PAN)) {
            if (dynamic_cast<const Pan*>(local.get())) routePan(handler, g, local, consumed);
            else refuseGesture("pan");
        } else if (type & GestureRecognizerType::ANY_TAP) {
            if (auto* t = dynamic_cast<const Tap*>(local.get())) consumed = handler->handleTap(*t);
            else refuseGesture("tap");
        } else if (type & GestureRecognizerType::LONG_PRESS) {
            if (auto* lp = dynamic_cast<const LongPress*>(local.get())) consumed = handler->handleLongPress(*lp);
            else refuseGesture("long press");
        } else if (type & GestureRecognizerType::MOUSE_WHEEL) {
            if (auto* w = dynamic_cast<const MouseWheel*>(local.get())) consumed = handler->handleMouseWheel(*w);
            else refuseGesture("mouse wheel");
        } else if (type & GestureRecognizerType::PRERECOGNIZED_TOUCHES) {
            if (animatedGesture_) {
                auto pan = animatedGesture_;
                pan->deactivate();
                handler->handlePan(*pan);
                animatedGesture_.reset();
            }
            consumed = handler->handlePrerecognizedTouches(*local->getTouchPoints());
        }
        handler->handlePick(renderer);
    }
    auto ev = GestureHandlerEvent::create(consumed ? GestureHandlerEvent::SUCCESS : GestureHandlerEvent::FAILURE);
    ev->setState(g->getState());
    ev->setGestureType(type);
    ev->setLocation(g->getLocation());
    ev->setGestureHandler(activeGestureHandler_.lock());
    dispatchEvent(ev);
    if (g->getState() == GestureRecognizerState::ENDED && !animatedGesture_) activeGestureHandler_.reset();
}

// ---------------------------------------------------------------- focus rectangle

void setFocusRectAttributes(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                            const std::shared_ptr<Style>& style) {
    if (!editor || !style) return;
    auto bundle = style->getAttributeBundle(StyleElement::FOCUS_RECTANGLE);
    if (!bundle) return;
    uint32_t color = bundle->getColor(StyleAttribute::FOCUS_COLOR, 0x202020);
    auto thickness = bundle->getDimension(StyleAttribute::FOCUS_THICKNESS,
                                          Dimension::create(1.0f, DimensionUnit::DEFAULT));
    float px = thickness ? thickness->getScalarValueForUnit(DimensionUnit::PIXELS) : 1.0f;
    int lineStyle = bundle->getInt(StyleAttribute::FOCUS_LINE_STYLE, 2);
    float factor = bundle->getFloat(StyleAttribute::FOCUS_SETTING, 0.0f);
    editor->setFocusRectAttributes(color, px, lineStyle, factor);
}

} // namespace orvane
