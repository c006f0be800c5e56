// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/displaylist/TqImageMapEntryStruct.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/host/core/Wrappable.h"
#include "orvane/package/AccessibilityControllerNavigationType.h"
#include "orvane/package/AccessibilityDetailType.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class AbstractEventCallback;
class AccessibilityElement;
class BaseModel;
class BaseView;
class FocusController;
class PickResult;
class PickedNodeInfo;
class PointVectorObject;
class SonificationController;

/// Exposes a view's content to a screen reader as a flat, ordered list of
/// AccessibilityElements, keeps track of the focused one and moves the focus
/// on navigation requests, telling the host through
/// AccessibilityFocusChangeEvents dispatched from the view.
///
/// The element list is composed again from the view's current display list
/// on every request, so it always reflects what was drawn last. The focus is
/// remembered by the display-list detail it stands on, not by its place in
/// the list, so it survives rebuilds; a focused detail that no longer exists
/// is dropped (nothing stays focused that is not there).
///
/// The controller also hears focus changes that others dispatch from its
/// view (a gesture handler's key navigation) and follows them.
class ORVANE_EXPORT AccessibilityController : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10001;
    using NavigationType = AccessibilityControllerNavigationType::type;
    using ElementList = std::vector<std::shared_ptr<AccessibilityElement>>;
    /// The index of no element.
    static constexpr int NO_INDEX = -1;

    AccessibilityController();
    ~AccessibilityController() override;
    static std::shared_ptr<AccessibilityController> create(const std::shared_ptr<BaseView>& view);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    std::shared_ptr<BaseView> getView() const { return view_.lock(); }
    void setModel(std::shared_ptr<BaseModel> model) { model_ = std::move(model); }
    std::shared_ptr<BaseModel> getModel() const { return model_; }
    /// What kind of object this is, spoken with the first element.
    void setObjectDescription(std::string description) { objectDescription_ = std::move(description); }
    const std::string& getObjectDescription() const { return objectDescription_; }
    /// A focus controller chooses the element of every navigation request.
    void setFocusController(std::shared_ptr<FocusController> controller) { focusController_ = std::move(controller); }
    std::shared_ptr<FocusController> getFocusController() const { return focusController_; }
    /// With loop on, moving past the last element lands on the first and
    /// before the first on the last; without, the focus stays at the end.
    void setLoopOn(bool loop) { loopOn_ = loop; }
    bool getLoopOn() const { return loopOn_; }
    NavigationType getLastNavigationType() const { return lastNavigationType_; }
    std::shared_ptr<SonificationController> getSonificationController();
    /// The view's frame in root-view coordinates (empty without a view).
    Rect getDataFrame() const;
    /// Whether the image map carries, besides what is on screen, the regions
    /// just outside the viewport that one navigation step reaches.
    virtual bool includeOffscreenNodesInImageMap() const { return includeOffscreen_; }
    void setIncludeOffscreenNodesInImageMap(bool include) { includeOffscreen_ = include; }

    /// The data elements, composed now from the current display list.
    ElementList getAccessibilityElements();
    virtual ElementList getAccessibilityElements(AccessibilityDetailType::type detail);
    /// The element for one image-map entry of the view's display list.
    virtual std::shared_ptr<AccessibilityElement> getAccessibilityElementByEntry(
        const displaylist::TqImageMapEntryStruct& entry);
    std::shared_ptr<AccessibilityElement> createAccessibilityElement(const std::shared_ptr<BaseView>& view,
                                                                     const std::string& label, const std::string& hint,
                                                                     const std::shared_ptr<PickResult>& pickResult,
                                                                     std::vector<Point> points,
                                                                     const std::shared_ptr<PickedNodeInfo>& nodeInfo);

    /// Moves the focus as `type` asks and returns the element reached (null
    /// without a view or elements). Unless `dispatch` is false, an
    /// ACCESSIBILITY_FOCUS_CHANGE goes out from the view and the view's frame
    /// buffer is invalidated so that the focus rectangle is redrawn.
    virtual std::shared_ptr<AccessibilityElement> getAccessibilityElement(NavigationType type, bool dispatch = true);
    std::shared_ptr<AccessibilityElement> firstAccessibilityElement() { return getAccessibilityElement(AccessibilityControllerNavigationType::FIRST); }
    std::shared_ptr<AccessibilityElement> lastAccessibilityElement() { return getAccessibilityElement(AccessibilityControllerNavigationType::LAST); }
    std::shared_ptr<AccessibilityElement> nextAccessibilityElement() { return getAccessibilityElement(AccessibilityControllerNavigationType::NEXT); }
    std::shared_ptr<AccessibilityElement> previousAccessibilityElement() { return getAccessibilityElement(AccessibilityControllerNavigationType::PREVIOUS); }

    /// The focused element (null when nothing is focused).
    virtual std::shared_ptr<AccessibilityElement> getCurrentAccessibilityElement();
    /// The element's place in the current list: NO_INDEX (-1) for none, so
    /// that 0 always means the first element.
    int getAccessibilityIndex(const std::shared_ptr<AccessibilityElement>& element);
    /// Focuses the element's detail (nothing when it is not in the list).
    virtual void setFocus(const std::shared_ptr<AccessibilityElement>& element);
    /// Whether the element shows inside its view's viewport.
    virtual bool isOnScreen(const std::shared_ptr<AccessibilityElement>& element);
    /// Dispatches ACCESSIBILITY_ELEMENT_SELECTED for the focused element.
    void dispatchAccessibilitySelectedEvent();
    /// The spoken text of a pick result (the element label rules).
    std::string generateLabels(const std::shared_ptr<PickResult>& pickResult) const;
    /// Never forces an announcement: the host's screen reader decides.
    bool forceAccessibilityAnnouncement(const std::shared_ptr<PickResult>&) const { return false; }
    static std::shared_ptr<PointVectorObject> getPointVector(const std::vector<Point>& points);

    /// The index the built-in rules choose for `type` from the current list
    /// (what a FocusController forwards to); NO_INDEX when there is none.
    virtual int getDefaultNavigationIndex(NavigationType type);
    /// The list the last request composed.
    const ElementList& getCachedAccessibilityElements() const { return elements_; }

protected:
    void attach(const std::shared_ptr<BaseView>& view);
    /// The image-map entries of the view's current display list (none for a
    /// plain view).
    virtual std::vector<displaylist::TqImageMapEntryStruct> getImageMapEntries() { return {}; }
    /// Composes the list again and finds the focused detail in it.
    void rebuildElements();
    /// Focuses the element at `index` of the current list, dispatching when asked.
    std::shared_ptr<AccessibilityElement> focusIndex(int index, bool dispatch);
    void dispatchFromView(int type, const std::shared_ptr<AccessibilityElement>& element);
    /// Whether navigation finds its target by grid position (and so composes
    /// the list itself, once, after paging) rather than from the list.
    virtual bool navigatesByGrid() const { return false; }
    /// Called after a focus change was dispatched (the table shows its focus rectangle).
    virtual void focusShown(const std::shared_ptr<AccessibilityElement>&) {}
    int findDetail(uint64_t detail) const;
    bool hasFocus() const { return hasFocus_; }
    uint64_t focusedDetail() const { return focusDetail_; }
    void setFocusedDetail(uint64_t detail);
    void clearFocus();

    ElementList elements_;
    int currentIndex_ = NO_INDEX;

private:
    void heardFocusChange(const std::shared_ptr<class PortableEvent>& event);

    std::weak_ptr<BaseView> view_;
    std::shared_ptr<BaseModel> model_;
    std::string objectDescription_;
    std::shared_ptr<FocusController> focusController_;
    NavigationType lastNavigationType_ = AccessibilityControllerNavigationType::NONE;
    bool loopOn_ = false;
    bool includeOffscreen_ = false;
    bool hasFocus_ = false;
    uint64_t focusDetail_ = 0;
    bool dispatching_ = false;
    std::shared_ptr<SonificationController> sonification_;
    std::shared_ptr<AbstractEventCallback> listener_;
};

} // namespace orvane
