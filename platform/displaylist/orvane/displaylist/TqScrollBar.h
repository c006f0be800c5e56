// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqRefCount.h"
#include "orvane/displaylist/TqTransform.h"

namespace displaylist {

/// One scroll bar: a track along one side of a scrolled view and a thumb
/// whose length and place show the visible part of the content. The scroll
/// position runs from 0 (left, or top) to content length - view length.
class ORVANE_DISPLAYLIST_EXPORT TqScrollBar : public TqRefCount {
public:
    static constexpr int HORIZONTAL = 0;
    static constexpr int VERTICAL = 1;
    static constexpr float MIN_THUMB_LENGTH = 16.0f;

    explicit TqScrollBar(int orientation);

    int GetOrientation() const { return orientation_; }
    void SetTrack(const Rect& track);
    const Rect& GetTrack() const { return track_; }
    void SetLengths(float contentLength, float viewLength);
    float GetContentLength() const { return content_; }
    float GetViewLength() const { return view_; }
    /// The content does not fit the view.
    bool IsNeeded() const { return content_ > view_ + 1e-3f; }

    float GetScrollPosition() const { return position_; }
    /// Clamped to [0, GetMaxScrollPosition()].
    void SetScrollPosition(float position);
    float GetMaxScrollPosition() const;
    /// Moves the scroll position by the component of (x, y) along the bar.
    void UpdateScrollTranslation(float x, float y);

    Rect GetThumbRect() const;
    /// Content distance per pixel of thumb movement.
    float GetContentPerThumbPixel() const;

    void SetHover(bool hover) { hover_ = hover; }
    bool IsHover() const { return hover_; }
    void SetPressed(bool pressed) { pressed_ = pressed; }
    bool IsPressed() const { return pressed_; }

protected:
    ~TqScrollBar() override = default;

private:
    float trackLength() const { return orientation_ == VERTICAL ? track_.height : track_.width; }
    float thumbLength() const;

    int orientation_;
    Rect track_;
    float content_ = 0.0f;
    float view_ = 0.0f;
    float position_ = 0.0f;
    bool hover_ = false;
    bool pressed_ = false;
};

} // namespace displaylist
