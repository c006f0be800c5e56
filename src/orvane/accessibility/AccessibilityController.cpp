// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/AccessibilityController.h"

#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/AccessibilityFocusChangeEvent.h"
#include "orvane/accessibility/AccessibilityMessages.h"
#include "orvane/accessibility/FocusController.h"
#include "orvane/accessibility/SonificationController.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/CLog.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/PickResult.h"
#include "orvane/view/PickedNodeInfo.h"
#include "orvane/view/PointVectorObject.h"

#include <algorithm>

namespace orvane {

namespace {
constexpr const char* SOURCE = "accessibility/AccessibilityController";
}

AccessibilityController::AccessibilityController() = default;

AccessibilityController::~AccessibilityController() {
    if (auto view = view_.lock(); view && listener_)
        view->removeEventListener(AccessibilityFocusChangeEvent::ACCESSIBILITY_FOCUS_CHANGE, listener_);
}

std::shared_ptr<AccessibilityController> AccessibilityController::create(const std::shared_ptr<BaseView>& view) {
    auto c = std::make_shared<AccessibilityController>();
    c->attach(view);
    return c;
}

void AccessibilityController::attach(const std::shared_ptr<BaseView>& view) {
    view_ = view;
    if (!view) return;
    std::weak_ptr<AccessibilityController> weak =
        std::dynamic_pointer_cast<AccessibilityController>(shared_from_this());
    listener_ = FunctionEventCallback::create([weak](const std::shared_ptr<PortableEvent>& e) {
        if (auto self = weak.lock()) self->heardFocusChange(e);
    });
    view->addEventListener(AccessibilityFocusChangeEvent::ACCESSIBILITY_FOCUS_CHANGE, listener_);
}

void AccessibilityController::heardFocusChange(const std::shared_ptr<PortableEvent>& event) {
    // Our own announcements come back here too; only others' moves count.
    if (dispatching_) return;
    auto* e = dynamic_cast<AccessibilityFocusChangeEvent*>(event.get());
    auto element = e ? e->getAccessibilityElement() : nullptr;
    if (!element || !element->getNodeInfo()) return;
    setFocusedDetail(element->getDetailIndex());
    currentIndex_ = findDetail(focusDetail_);
}

std::shared_ptr<SonificationController> AccessibilityController::getSonificationController() {
    if (!sonification_) sonification_ = SonificationController::create();
    return sonification_;
}

Rect AccessibilityController::getDataFrame() const {
    auto view = view_.lock();
    if (!view) return {};
    Rect f = view->getFrame();
    Point o = view->getOriginInRootViewCoordinates();
    return {o.x, o.y, f.width, f.height};
}

AccessibilityController::ElementList AccessibilityController::getAccessibilityElements() {
    rebuildElements();
    return elements_;
}

AccessibilityController::ElementList AccessibilityController::getAccessibilityElements(
    AccessibilityDetailType::type detail) {
    ElementList out;
    if (detail != AccessibilityDetailType::DATA_ELEMENTS || view_.expired()) return out;
    for (const auto& entry : getImageMapEntries())
        if (auto e = getAccessibilityElementByEntry(entry)) out.push_back(std::move(e));
    return out;
}

std::shared_ptr<AccessibilityElement> AccessibilityController::getAccessibilityElementByEntry(
    const displaylist::TqImageMapEntryStruct& entry) {
    auto view = view_.lock();
    if (!view) return nullptr;
    displaylist::TqSelectionInfoStruct info{entry.nodeId, entry.detailIndex};
    auto pick = view->getPickResultForNodeInfo(info);
    auto e = createAccessibilityElement(view, "", AccessibilityMessages::text("accessibility.dataElement.hint.txt"), pick,
                                        entry.points, PickedNodeInfo::create(entry.nodeId, entry.detailIndex));
    e->setOnScreen(entry.onScreen);
    return e;
}

std::shared_ptr<AccessibilityElement> AccessibilityController::createAccessibilityElement(
    const std::shared_ptr<BaseView>& view, const std::string& label, const std::string& hint,
    const std::shared_ptr<PickResult>& pickResult, std::vector<Point> points,
    const std::shared_ptr<PickedNodeInfo>& nodeInfo) {
    return AccessibilityElement::create(view, label, hint, pickResult, std::move(points), nodeInfo);
}

void AccessibilityController::setFocusedDetail(uint64_t detail) {
    hasFocus_ = true;
    focusDetail_ = detail;
}

void AccessibilityController::clearFocus() {
    hasFocus_ = false;
    currentIndex_ = NO_INDEX;
}

int AccessibilityController::findDetail(uint64_t detail) const {
    for (size_t i = 0; i < elements_.size(); ++i)
        if (elements_[i] && elements_[i]->getDetailIndex() == detail) return static_cast<int>(i);
    return NO_INDEX;
}

void AccessibilityController::rebuildElements() {
    elements_ = getAccessibilityElements(AccessibilityDetailType::DATA_ELEMENTS);
    currentIndex_ = hasFocus_ ? findDetail(focusDetail_) : NO_INDEX;
    // A focused detail that is gone is not kept focused.
    if (currentIndex_ == NO_INDEX) hasFocus_ = false;
}

int AccessibilityController::getDefaultNavigationIndex(NavigationType type) {
    const int n = static_cast<int>(elements_.size());
    if (n == 0) return NO_INDEX;
    int index = NO_INDEX;
    switch (type) {
    case AccessibilityControllerNavigationType::FIRST: return 0;
    case AccessibilityControllerNavigationType::LAST: return n - 1;
    case AccessibilityControllerNavigationType::NEXT:
    case AccessibilityControllerNavigationType::PREVIOUS: {
        bool next = type == AccessibilityControllerNavigationType::NEXT;
        if (currentIndex_ == NO_INDEX) {
            // Nothing focused yet: the first (last) element on screen.
            for (int k = 0; k < n; ++k) {
                int i = next ? k : n - 1 - k;
                if (isOnScreen(elements_[size_t(i)])) return i;
            }
            return next ? 0 : n - 1;
        }
        index = currentIndex_ + (next ? 1 : -1);
        if (index >= n) index = loopOn_ ? 0 : n - 1;
        if (index < 0) index = loopOn_ ? n - 1 : 0;
        return index;
    }
    default: return currentIndex_;
    }
}

std::shared_ptr<AccessibilityElement> AccessibilityController::getAccessibilityElement(NavigationType type,
                                                                                       bool dispatch) {
    lastNavigationType_ = type;
    if (view_.expired()) return nullptr;
    // A grid finds its target by position and composes the list once, after
    // any paging; others need the list to choose from.
    if (focusController_ || !navigatesByGrid()) {
        rebuildElements();
        if (elements_.empty()) return nullptr;
    }
    int index = NO_INDEX;
    if (focusController_) {
        auto chosen = focusController_->getFocusElement(type);
        index = chosen ? findDetail(chosen->getDetailIndex()) : NO_INDEX;
    } else {
        index = getDefaultNavigationIndex(type);
    }
    return focusIndex(index, dispatch);
}

std::shared_ptr<AccessibilityElement> AccessibilityController::focusIndex(int index, bool dispatch) {
    if (index < 0 || size_t(index) >= elements_.size() || !elements_[size_t(index)]) return nullptr;
    auto element = elements_[size_t(index)];
    currentIndex_ = index;
    setFocusedDetail(element->getDetailIndex());
    if (dispatch) {
        dispatchFromView(AccessibilityFocusChangeEvent::ACCESSIBILITY_FOCUS_CHANGE, element);
        focusShown(element);
        if (auto view = view_.lock()) view->invalidateFrameBuffer();
    }
    return element;
}

void AccessibilityController::dispatchFromView(int type, const std::shared_ptr<AccessibilityElement>& element) {
    auto view = view_.lock();
    if (!view || !element) return;
    auto event = AccessibilityFocusChangeEvent::create(type, view.get(), element);
    if (CLog::isEnabled(CLog::INFO))
        ORVANE_LOG(CLog::INFO, SOURCE, "event " + std::to_string(type) + ": " + element->getAccessibilityLabel());
    dispatching_ = true;
    view->dispatchEvent(event);
    dispatching_ = false;
}

std::shared_ptr<AccessibilityElement> AccessibilityController::getCurrentAccessibilityElement() {
    if (view_.expired() || !hasFocus_) return nullptr;
    rebuildElements();
    return currentIndex_ == NO_INDEX ? nullptr : elements_[size_t(currentIndex_)];
}

int AccessibilityController::getAccessibilityIndex(const std::shared_ptr<AccessibilityElement>& element) {
    if (!element || !element->getNodeInfo()) return NO_INDEX;
    if (elements_.empty()) rebuildElements();
    return findDetail(element->getDetailIndex());
}

void AccessibilityController::setFocus(const std::shared_ptr<AccessibilityElement>& element) {
    if (!element || !element->getNodeInfo() || view_.expired()) return;
    rebuildElements();
    int index = findDetail(element->getDetailIndex());
    if (index == NO_INDEX) return;
    currentIndex_ = index;
    setFocusedDetail(element->getDetailIndex());
}

bool AccessibilityController::isOnScreen(const std::shared_ptr<AccessibilityElement>& element) {
    auto view = view_.lock();
    if (!element || !view || !element->isOnScreen()) return false;
    Rect f = view->getFrame();
    Rect bounds = element->getAccessibilityFrame();
    // Inside the view's own rectangle (its coordinates start at 0, 0).
    return bounds.width > 0.0f && bounds.height > 0.0f && bounds.maxX() > 0.0f && bounds.x < f.width &&
           bounds.maxY() > 0.0f && bounds.y < f.height;
}

void AccessibilityController::dispatchAccessibilitySelectedEvent() {
    if (auto element = getCurrentAccessibilityElement())
        dispatchFromView(AccessibilityFocusChangeEvent::ACCESSIBILITY_ELEMENT_SELECTED, element);
}

std::string AccessibilityController::generateLabels(const std::shared_ptr<PickResult>& pickResult) const {
    return AccessibilityElement::create(nullptr, "", "", pickResult, {}, nullptr)->getAccessibilityLabel();
}

std::shared_ptr<PointVectorObject> AccessibilityController::getPointVector(const std::vector<Point>& points) {
    return PointVectorObject::create(std::make_shared<std::vector<Point>>(points));
}

} // namespace orvane
