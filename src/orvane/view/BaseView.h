// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/input/Focusable.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/core/TimerCallback.h"
#include "orvane/displaylist/TqSelectionInfoStruct.h"
#include "orvane/package/RenderingType.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace displaylist {
class DisplayListEditor;
class DisplayListRenderer;
class TqGroup;
} // namespace displaylist

namespace orvane {

class AccessibilityController;
class AnimatingPan;
class GestureHandler;
class PickResult;
class SelectionController;
class Style;
class Transition;

/// The root of every view: a rectangle in its superview's coordinates (origin
/// lower left, y up) with ordered subviews. The root of a tree owns the
/// display-list renderer; every view draws into its editor. The host calls
/// render() on the root once per frame: timers run, transitions advance, what
/// needs layout is laid out, display lists are re-recorded where needed, and
/// the renderer draws.
///
/// Re-recording is incremental: the group recorded for a subview is kept, and
/// when neither the subview nor anything below it asked for an update and its
/// frame is unchanged, the kept group is put back instead of drawing again, so
/// one changed view costs its own drawing, not its siblings'.
class ORVANE_EXPORT BaseView : public virtual EventDispatcher, public virtual Wrappable, public Focusable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10005;
    static constexpr int FRAME_INVALID = 20010;
    static constexpr int FRAME_VALID = 20011;
    static constexpr int FRAME_ZERO_SIZE = 20012;
    static constexpr int NEEDS_UPDATE_GESTURE_RECOGNIZERS = 20013;
    static constexpr int DISPLAYLISTRENDERER_CHANGED = 20014;
    static constexpr int ACTIVATE = 20015;
    static constexpr int RENDERING_TYPE_CHANGE = 20016;

    using ViewList = std::vector<std::shared_ptr<BaseView>>;

    BaseView();
    ~BaseView() override;
    static std::shared_ptr<BaseView> create();

    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    void didGainKeyboardFocus() override;
    void willLoseKeyboardFocus() override;

    /// Frame and coordinates
    virtual Rect getFrame() const;
    virtual void setFrame(const Rect& frame);
    virtual Point getOriginInRootViewCoordinates() const;
    virtual Size getPreferredSize(const Size& constraint);

    /// Subviews
    virtual std::shared_ptr<ViewList> getSubviews() const { return subviews_; }
    virtual std::shared_ptr<ViewList> getSubviewsAtPoint(const Point& point);
    virtual void addSubview(const std::shared_ptr<BaseView>& view);
    virtual void removeSubview(const std::shared_ptr<BaseView>& view);
    virtual void removeAllSubviews();
    std::shared_ptr<BaseView> getSuperview() const { return superview_.lock(); }

    /// Renderer and editor
    virtual std::shared_ptr<displaylist::DisplayListRenderer> getDisplayListRenderer() const;
    virtual void setDisplayListRenderer(const std::shared_ptr<displaylist::DisplayListRenderer>& renderer);
    virtual std::shared_ptr<displaylist::DisplayListEditor> getDisplayListEditor() const;

    virtual bool isVisible() const { return visible_; }
    virtual void setVisible(bool visible);
    virtual bool getAccessibilityModeEnabled() const { return accessibilityModeEnabled_; }
    virtual void setAccessibilityModeEnabled(bool enabled);
    virtual std::shared_ptr<AccessibilityController> getAccessibilityController();

    virtual void setTransition(const std::shared_ptr<Transition>& transition);
    virtual std::shared_ptr<Transition> getTransition() const { return transition_; }
    virtual bool isAnimating() const;

    virtual void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor);
    virtual void layout();
    /// Once per frame on the root; the time it took, or 0 when nothing was drawn.
    virtual double render();

    virtual std::shared_ptr<SelectionController> createSelectionController() { return nullptr; }

    /// Picking
    virtual std::vector<displaylist::TqSelectionInfoStruct> getPickedNodeIdsInPolygon(const std::vector<Point>& points,
                                                                                      bool frontMostOnly = false);
    virtual std::shared_ptr<std::vector<std::shared_ptr<PickResult>>> getPickResultsInPolygon(
        const std::vector<Point>& points, bool frontMostOnly = false);
    virtual std::vector<displaylist::TqSelectionInfoStruct> getPickedNodeIdsInAperture(const Rect& aperture,
                                                                                       bool frontMostOnly = false);
    virtual std::shared_ptr<PickResult> getPickResultForNodeInfo(const displaylist::TqSelectionInfoStruct& info);
    std::shared_ptr<std::vector<std::shared_ptr<PickResult>>> getPickResultsInAperture(const Rect& aperture,
                                                                                       bool flag = false);

    virtual bool isWaitingForExternalAssets() const { return false; }

    /// Gestures
    virtual void addGestureHandler(const std::shared_ptr<GestureHandler>& handler);
    virtual std::shared_ptr<std::vector<std::shared_ptr<GestureHandler>>> getGestureHandlers() const {
        return gestureHandlers_;
    }
    virtual void handleGesture(const std::shared_ptr<Gesture>& gesture);
    virtual bool getGestureHandlersEnabled() const { return gestureHandlersEnabled_; }
    virtual void setGestureHandlersEnabled(bool enabled) { gestureHandlersEnabled_ = enabled; }
    virtual bool canHandleGestureDirection(int direction) const;
    std::shared_ptr<GestureHandler> acquireActiveGestureHandler(const Gesture& gesture);
    std::shared_ptr<GestureHandler> getActiveGestureHandler() const { return activeGestureHandler_.lock(); }
    std::shared_ptr<Gesture> createTransformedGestureForRTL(const Gesture& gesture) const;
    std::shared_ptr<AnimatingPan> getAnimatedGesture() const { return animatedGesture_; }

    virtual void invalidateRuleCaches();
    virtual void setMultiSelectEnabled(bool enabled) { multiSelectEnabled_ = enabled; }
    bool getMultiSelectEnabled() const { return multiSelectEnabled_; }
    virtual std::shared_ptr<std::vector<std::shared_ptr<PickResult>>> getPickResultsInApertureImpl(const Rect& aperture,
                                                                                                   bool flag);

    /// Tag
    std::shared_ptr<const std::string> getTag() const { return tag_; }
    void setTag(const std::string& tag) { tag_ = std::make_shared<const std::string>(tag); }
    void setTag(std::shared_ptr<const std::string> tag) { tag_ = std::move(tag); }

    /// Invalidation
    void setNeedsLayout(bool needs);
    bool getNeedsLayout() const { return needsLayout_; }
    bool needsLayout() const;
    void setNeedsUpdateDisplayList(bool needs);
    bool getNeedsUpdateDisplayList() const { return needsUpdateDisplayList_; }
    bool needsUpdateDisplayList() const;
    void setShouldClearDisplayListBeforeUpdate(bool b) { shouldClearDisplayListBeforeUpdate_ = b; }
    bool getShouldClearDisplayListBeforeUpdate() const { return shouldClearDisplayListBeforeUpdate_; }
    void invalidateFrameBuffer();
    void invalidateFrameBufferForDuration(double, bool) { invalidateFrameBuffer(); }
    bool getFrameBufferInvalid() const { return frameBufferInvalid_; }
    bool getFrameSizeChanged() const { return frameSizeChanged_; }
    bool isTransitioning(bool requireEffects) const;

    /// Visual effects
    static bool getVisualEffectsEnabled();
    static void setVisualEffectsEnabled(bool enabled);
    /// This process's flag and the platform's accessibility setting together.
    static bool visualEffectsEnabled();
    void setShouldShowVisualEffects(bool b);
    bool shouldShowVisualEffects() const { return shouldShowVisualEffects_; }
    void setShouldShowTransitions(bool b);
    bool shouldShowTransitions() const { return shouldShowTransitions_; }
    void setShouldShowSelectionAnimation(bool b);
    bool shouldShowSelectionAnimation() const { return shouldShowSelectionAnimation_; }
    void setShouldShowConstructionTransition(bool b) { shouldShowConstructionTransition_ = b; }
    bool shouldShowConstructionTransition() const { return shouldShowConstructionTransition_; }
    bool isConstructionTransitionPending() const { return constructionTransitionPending_; }
    void setShouldRetainBuffers(bool b);
    bool getShouldRetainBuffers() const { return shouldRetainBuffers_; }
    bool resolveVisualEffectsState();

    float rtlTransformXValue(float x) const;
    std::shared_ptr<Image> getImage();
    std::shared_ptr<SelectionController> getSelectionController();
    std::shared_ptr<std::vector<std::shared_ptr<PickResult>>> getCurrentSelectedPickResults();
    void addTimerCallback(const std::shared_ptr<TimerCallback>& callback);
    void setRenderingType(RenderingType::type type);
    RenderingType::type getRenderingType() const { return renderingType_; }
    std::shared_ptr<Focusable> asFocusable() { return sharedAs<Focusable>(); }
    void printGeometryToStream(std::ostream& out, int indent) const;

protected:
    /// The accessibility controller made on first request (none by default).
    virtual std::shared_ptr<AccessibilityController> createAccessibilityController() { return nullptr; }
    bool isRoot() const { return superview_.expired(); }
    /// True when this view or anything below it asked for a display-list update.
    bool subtreeNeedsUpdateDisplayList() const { return needsUpdateDisplayList_ || descendantNeedsUpdate_; }
    /// Starts a display-list update: on the root (with should clear display list
    /// before update set) clears the renderer and the editor's nodes, once per
    /// update. Views that draw their own content call it before recording, so
    /// the base's own clearing in updateDisplayList does not wipe that content.
    void beginDisplayListUpdate(const std::shared_ptr<displaylist::DisplayListEditor>& editor);

private:
    void markAncestorsNeedUpdate();
    void markAncestorsNeedLayout();
    void pushRendererAnimationFlags(bool onlyWhenChanged);
    void routePan(const std::shared_ptr<GestureHandler>& handler, const std::shared_ptr<Gesture>& gesture,
                  const std::shared_ptr<Gesture>& local, bool& consumed);

    Rect frame_;
    std::weak_ptr<BaseView> superview_;
    std::shared_ptr<ViewList> subviews_;
    std::shared_ptr<displaylist::DisplayListRenderer> renderer_;
    std::shared_ptr<const std::string> tag_;
    bool visible_ = true;
    bool accessibilityModeEnabled_ = false;
    bool gestureHandlersEnabled_ = true;
    bool frameSizeChanged_ = true;
    /// What the last layout() consumed: whether a size changed in this subtree.
    bool frameSizeChangedInLastLayout_ = false;
    /// The root's list was cleared for the update in progress.
    bool displayListClearedForUpdate_ = false;
    std::shared_ptr<std::vector<std::shared_ptr<GestureHandler>>> gestureHandlers_;
    std::weak_ptr<GestureHandler> activeGestureHandler_;
    std::shared_ptr<AccessibilityController> accessibilityController_;
    bool accessibilityControllerCreated_ = false;
    bool shouldShowSelectionAnimation_ = true;
    bool needsUpdateDisplayList_ = true;
    bool needsLayout_ = true;
    bool frameBufferInvalid_ = false;
    bool shouldClearDisplayListBeforeUpdate_ = true;
    std::shared_ptr<AnimatingPan> animatedGesture_;
    RenderingType::type renderingType_ = RenderingType::SINGLE;
    std::shared_ptr<Transition> transition_;
    bool shouldShowTransitions_ = true;
    bool shouldShowConstructionTransition_ = false;
    bool constructionTransitionPending_ = true;
    bool shouldRetainBuffers_ = true;
    std::shared_ptr<SelectionController> selectionController_;
    bool selectionControllerCreated_ = false;
    std::vector<std::shared_ptr<TimerCallback>> timerCallbacks_;
    bool rendererTransitionAnimationEnabled_ = false;
    bool rendererSelectionAnimationEnabled_ = false;
    bool shouldShowVisualEffects_ = true;
    bool multiSelectEnabled_ = true;

    /// Incremental re-recording and invalidation below this view.
    bool descendantNeedsUpdate_ = false;
    bool descendantNeedsLayout_ = false;
    displaylist::TqRef<displaylist::TqGroup> recordedGroup_;
    Rect recordedFrame_;
    std::shared_ptr<std::vector<Point>> lastPanTouchPoints_;
};

/// Reads the focus-rectangle settings of style element 115 (colour 38,
/// thickness 39, line style 40, attribute 41) into the editor.
ORVANE_EXPORT void setFocusRectAttributes(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                            const std::shared_ptr<Style>& style);

} // namespace orvane
