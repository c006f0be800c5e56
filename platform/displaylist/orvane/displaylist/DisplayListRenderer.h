// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/displaylist/TqSelectionInfoStruct.h"
#include "orvane/displaylist/TqTransform.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane {
class Image;
}

namespace displaylist {

class DisplayListEditor;
class TqAnimate;
class TqController2D;
class TqGroup;

/// Owns a display list (a tree of nodes under a root group) and draws it.
/// There is no GPU here: the list is rasterised with Cairo on demand (PNG,
/// images) and serialised as SVG; both show the same picture.
///
/// The viewport is the part of the root's coordinates that is shown: a
/// picture of the viewport's size whose lower-left corner is the viewport
/// origin (display-list coordinates have y up; pictures have row 0 at the top).
class ORVANE_DISPLAYLIST_EXPORT DisplayListRenderer : public std::enable_shared_from_this<DisplayListRenderer> {
public:
    /// `interactiveContext`: whether the renderer draws to an interactive
    /// (on-screen) context; off-screen renderers, exports and tests use false.
    static std::shared_ptr<DisplayListRenderer> create(bool interactiveContext = false);
    ~DisplayListRenderer();

    /// The renderer's own editor (one per renderer, shared).
    std::shared_ptr<DisplayListEditor> getEditor();
    TqGroup* getRootNode() const { return root_.get(); }

    void setViewport(float x, float y, float width, float height);
    Rect getViewport() const { return viewport_; }

    bool getRTLEnabled() const { return rtl_; }
    void setRTLEnabled(bool rtl) { rtl_ = rtl; }
    bool getShouldRetainBuffers() const { return retainBuffers_; }
    void setShouldRetainBuffers(bool retain) { retainBuffers_ = retain; }
    bool isTransitionAnimationEnabled() const { return transitionAnimation_; }
    void setTransitionAnimationEnabled(bool enabled) { transitionAnimation_ = enabled; }
    bool isSelectionAnimationEnabled() const { return selectionAnimation_; }
    void setSelectionAnimationEnabled(bool enabled) { selectionAnimation_ = enabled; }
    bool hasInteractiveContext() const { return interactiveContext_; }
    void setHasInteractiveContext(bool interactive) { interactiveContext_ = interactive; }

    /// Off-screen mode: drawFrame() renders into an image that getImage() returns.
    void setOffscreen(bool offscreen) { offscreen_ = offscreen; }
    bool isOffscreen() const { return offscreen_; }
    /// Off-screen configuration: a transparent background, or the background
    /// colour (24-bit RGB) pictures and SVG start from. Default: white, opaque.
    void configure(bool transparentBackground, unsigned int backgroundColor);
    bool isTransparentBackground() const { return transparent_; }
    unsigned int getBackgroundColor() const { return background_; }

    /// Drops the drawn frame (the node list is deleted through the editor).
    void clear();
    /// Advances the animations to the current time before a frame.
    void prepareForDrawing();
    /// Draws one frame: in off-screen mode into the image getImage() returns.
    void drawFrame();
    unsigned long getFrameCount() const { return frames_; }

    /// The picture of the list: the last off-screen frame, or a fresh
    /// rasterisation. Null for an empty viewport.
    std::shared_ptr<orvane::Image> getImage();
    /// Rasterises the list at `scale` times the viewport size; `opaque` paints
    /// the background colour first, otherwise the background is transparent.
    std::shared_ptr<orvane::Image> renderImage(bool opaque, float scale = 1.0f) const;
    /// Writes renderImage(opaque, scale) as a PNG file. False (and a log line)
    /// for an empty viewport, a bad scale or when the file cannot be written.
    bool writePNG(const std::string& path, bool opaque = true, float scale = 1.0f) const;
    /// The list as an SVG document of the viewport's size.
    std::string getDisplayListSVGString() const;

    /// Node ids under a rectangle or polygon in root coordinates (y up),
    /// front-most first; with frontMostOnly only the first.
    std::vector<TqSelectionInfoStruct> getPickedNodeIds(const Rect& aperture, bool frontMostOnly = false) const;
    std::vector<TqSelectionInfoStruct> getPickedNodeIdsInPolygon(const std::vector<Point>& polygon,
                                                                 bool frontMostOnly = false) const;
    /// Whether the region (root coordinates) touches the viewport.
    bool isOnScreen(const Rect& rect) const;
    bool isOnScreen(const std::vector<Point>& polygon) const;

    /// State shared by every editor of this list.
    void setFocusRectAttributes(uint32_t color, float thickness, int lineStyle, float factor);
    void setFocusRect(const Rect& rect);
    void clearFocusRect() { hasFocus_ = false; }
    bool hasFocusRect() const { return hasFocus_; }
    Rect getFocusRect() const { return focusRect_; }
    uint32_t getFocusColor() const { return focusColor_; }
    float getFocusThickness() const { return focusThickness_; }
    int getFocusLineStyle() const { return focusLineStyle_; }
    float getFocusFactor() const { return focusFactor_; }

    const std::vector<TqSelectionInfoStruct>& getSelectionInfo() const { return selection_; }
    void setSelectionInfo(std::vector<TqSelectionInfoStruct> s) { selection_ = std::move(s); }

    void addAnimation(TqAnimate* animation);
    int getAnimationCount();
    void updateAnimations(double time);
    void removeAllAnimations();

    int getDrawingMode() const { return drawingMode_; }
    void setDrawingMode(int mode) { drawingMode_ = mode; }
    TqController2D* getController2D() const { return controller_.get(); }

private:
    DisplayListRenderer();

    TqRef<TqGroup> root_;
    std::shared_ptr<DisplayListEditor> editor_;
    Rect viewport_;
    bool rtl_ = false;
    bool retainBuffers_ = true;
    bool transitionAnimation_ = true;
    bool selectionAnimation_ = true;
    bool interactiveContext_ = false;
    bool offscreen_ = false;
    bool transparent_ = false;
    unsigned int background_ = 0xffffff;
    unsigned long frames_ = 0;
    std::shared_ptr<orvane::Image> frame_;

    bool hasFocus_ = false;
    Rect focusRect_;
    uint32_t focusColor_ = 0x202020;
    float focusThickness_ = 1.0f;
    int focusLineStyle_ = 2;
    float focusFactor_ = 0.0f;

    std::vector<TqSelectionInfoStruct> selection_;
    std::vector<TqRef<TqAnimate>> animations_;
    int drawingMode_ = 0;
    TqRef<TqController2D> controller_;
};

} // namespace displaylist
