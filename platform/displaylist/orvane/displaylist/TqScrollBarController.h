// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqController2D.h"
#include "orvane/displaylist/TqGeometry.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/displaylist/TqScrollBar.h"

#include <vector>

namespace displaylist {

/// The scroll bars of a scrolled view and their input: a horizontal bar along
/// the bottom and a vertical bar along the right side of the frame, each shown
/// when the content does not fit. It keeps the bars and an attached
/// TqController2D consistent: the scroll position (x, y) is the controller's
/// translation (-tx, ty). As a node it draws the bars over the view.
///
/// Points given to the input handlers are in the node's coordinates (the
/// frame's coordinates, y up).
class ORVANE_DISPLAYLIST_EXPORT TqScrollBarController : public TqGeometry {
public:
    TqScrollBarController();

    const char* GetKindName() const override { return "scrollbars"; }

    /// Holds a reference to the controller and takes its translation.
    void SetController2D(TqController2D* controller);
    TqController2D* GetController2D() const { return controller_.get(); }

    void SetFrame(const Rect& frame);
    const Rect& GetFrame() const { return frame_; }
    void SetContentSize(float width, float height);
    Size GetContentSize() const { return content_; }
    void SetBarThickness(float thickness);
    float GetBarThickness() const { return thickness_; }

    TqScrollBar* GetScrollBar(int orientation) const;
    TqScrollBar* GetHorizontalScrollBar() const { return horizontal_.get(); }
    TqScrollBar* GetVerticalScrollBar() const { return vertical_.get(); }

    /// Bars are switched on and at least one is needed.
    bool AreScrollBarsShown() const;
    void SetScrollBarsShown(bool shown);

    void SetBackgroundColor(uint32_t rgb) { background_ = rgb; }
    uint32_t GetBackgroundColor() const { return background_; }
    void SetSliderFillColor(uint32_t rgb) { sliderFill_ = rgb; }
    uint32_t GetSliderFillColor() const { return sliderFill_; }
    void SetSliderHoverColor(uint32_t rgb) { sliderHover_ = rgb; }
    uint32_t GetSliderHoverColor() const { return sliderHover_; }
    void SetSliderPressedColor(uint32_t rgb) { sliderPressed_ = rgb; }
    uint32_t GetSliderPressedColor() const { return sliderPressed_; }
    void SetScrollLineColor(uint32_t rgb) { scrollLine_ = rgb; }
    uint32_t GetScrollLineColor() const { return scrollLine_; }
    void SetOutlineColor(uint32_t rgb) { outline_ = rgb; }
    uint32_t GetOutlineColor() const { return outline_; }

    /// Scroll position (x right, y towards later content), clamped to the
    /// content. Both update the bars and the controller; GetScrollDelta()
    /// then tells how far the content moved.
    void ScrollTo(float x, float y);
    void ScrollBy(float dx, float dy);
    Point GetScrollPosition() const { return position_; }
    Point GetScrollDelta() const { return delta_; }
    /// Moves both bars by a change of the scroll position (no controller change).
    void UpdateScrollTranslation(float x, float y);
    /// Takes the scroll position from the controller's translation.
    void SyncFromController();

    /// A tap on a track pages towards it, on a thumb does nothing; true when
    /// the tap hit a shown bar.
    bool handleTap(const Point& location);
    /// Dragging a thumb scrolls: state 1 begins (only on a thumb), 2 moves by
    /// the pan's total translation, 3 ends. True while the pan drags a thumb.
    bool handlePan(const Point& location, const Point& translation, int state);
    void SetDragging(bool dragging);
    bool IsDragging() const { return dragging_ != NONE; }
    /// Highlights the thumb under the pointer; true when over a shown bar.
    bool handleHover(const Point& location);
    /// Touches on a thumb press it; true when any touch is on a shown bar.
    bool handleTouches(const std::vector<Point>& touches);

    Rect GetBounds() const override;
    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;
    bool HitTest(const TqPickQuery& query) const override;

protected:
    ~TqScrollBarController() override;

private:
    enum Axis { NONE = -1 };
    void layoutBars();
    void apply(Point newPosition);
    /// The shown bar under the point, or null.
    TqScrollBar* barAt(const Point& p) const;
    uint32_t thumbColor(const TqScrollBar& bar) const;

    TqRef<TqController2D> controller_;
    TqRef<TqScrollBar> horizontal_;
    TqRef<TqScrollBar> vertical_;
    Rect frame_;
    Size content_;
    float thickness_ = 8.0f;
    bool shown_ = true;
    Point position_;
    Point delta_;
    int dragging_ = NONE;
    Point dragStart_;
    uint32_t background_ = 0xeeeeee;
    uint32_t sliderFill_ = 0x888888;
    uint32_t sliderHover_ = 0x888888;
    uint32_t sliderPressed_ = 0x888888;
    uint32_t scrollLine_ = 0x888888;
    uint32_t outline_ = 0x888888;
};

} // namespace displaylist
