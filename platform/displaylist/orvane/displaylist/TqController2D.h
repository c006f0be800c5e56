#pragma once
#include "orvane/displaylist/TqRefCount.h"
#include "orvane/displaylist/TqTransform.h"

namespace displaylist {

// The 2-D scroll state of a display list: the translation (tx, ty) of the
// scrolled content. The scroll position is (-tx, ty): scrolling right makes
// tx negative, scrolling down (towards later rows, y up) makes ty positive.
// The translation is kept within the content extent:
//   tx in [-(contentWidth - viewportWidth), 0], ty in [0, contentHeight - viewportHeight].
class TqController2D : public TqRefCount {
public:
    TqController2D();

    Point GetTranslation() const { return {tx_, ty_}; }
    void SetTranslation(float tx, float ty);
    // A gesture moved by (gx, gy): tx += gx, ty -= gy (then clamped).
    void OnGestureTranslate(float gx, float gy);

    void SetContentSize(float width, float height);
    Size GetContentSize() const { return content_; }
    void SetViewportSize(float width, float height);
    Size GetViewportSize() const { return viewport_; }
    // Largest scroll position in each direction (0 when the content fits).
    Point GetMaxScroll() const;

    // Whether a gesture moving by d (its sign matters) would change the
    // translation: room left in that direction.
    bool CanPanHorizontally(float d) const;
    bool CanPanVertically(float d) const;

protected:
    ~TqController2D() override = default;

private:
    void clamp();

    float tx_ = 0.0f;
    float ty_ = 0.0f;
    Size content_;
    Size viewport_;
};

} // namespace displaylist
