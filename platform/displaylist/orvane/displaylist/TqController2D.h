// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqRefCount.h"
#include "orvane/displaylist/TqTransform.h"

namespace displaylist {

/// The 2-D scroll state of a display list: the translation (tx, ty) of the
/// scrolled content. The scroll position is (-tx, ty): scrolling right makes
/// tx negative, scrolling down (towards later rows, y up) makes ty positive.
/// The translation is kept within the content extent:
///   tx in [-(contentWidth - viewportWidth), 0], ty in [0, contentHeight - viewportHeight].
///
/// The translation is kept in double precision, so that content millions of
/// pixels long (a large table) scrolls exactly; the float accessors serve
/// views whose content is small.
class ORVANE_DISPLAYLIST_EXPORT TqController2D : public TqRefCount {
public:
    TqController2D();

    Point GetTranslation() const { return {static_cast<float>(tx_), static_cast<float>(ty_)}; }
    void SetTranslation(float tx, float ty) { SetTranslationExact(tx, ty); }
    double GetTranslationX() const { return tx_; }
    double GetTranslationY() const { return ty_; }
    void SetTranslationExact(double tx, double ty);
    /// A gesture moved by (gx, gy): tx += gx, ty -= gy (then clamped).
    void OnGestureTranslate(float gx, float gy);

    void SetContentSize(float width, float height) { SetContentSizeExact(width, height); }
    void SetContentSizeExact(double width, double height);
    Size GetContentSize() const { return {static_cast<float>(contentW_), static_cast<float>(contentH_)}; }
    void SetViewportSize(float width, float height);
    Size GetViewportSize() const { return viewport_; }
    /// Largest scroll position in each direction (0 when the content fits).
    Point GetMaxScroll() const;
    double GetMaxScrollX() const;
    double GetMaxScrollY() const;

    /// Whether a gesture moving by d (its sign matters) would change the
    /// translation: room left in that direction.
    bool CanPanHorizontally(float d) const;
    bool CanPanVertically(float d) const;

protected:
    ~TqController2D() override = default;

private:
    void clamp();

    double tx_ = 0.0;
    double ty_ = 0.0;
    double contentW_ = 0.0;
    double contentH_ = 0.0;
    Size viewport_;
};

} // namespace displaylist
