// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqScrollBar.h"

#include <algorithm>
#include <cmath>

namespace displaylist {

TqScrollBar::TqScrollBar(int orientation) : orientation_(orientation == VERTICAL ? VERTICAL : HORIZONTAL) {}

void TqScrollBar::SetTrack(const Rect& track) {
    if (!track.isFinite()) return;
    track_ = bounds::normalized(track.x, track.y, track.width, track.height);
}

void TqScrollBar::SetLengths(float contentLength, float viewLength) {
    if (!std::isfinite(contentLength) || !std::isfinite(viewLength)) return;
    content_ = std::max(contentLength, 0.0f);
    view_ = std::max(viewLength, 0.0f);
    SetScrollPosition(position_);
}

float TqScrollBar::GetMaxScrollPosition() const { return std::max(0.0f, content_ - view_); }

void TqScrollBar::SetScrollPosition(float position) {
    if (!std::isfinite(position)) return;
    position_ = std::clamp(position, 0.0f, GetMaxScrollPosition());
}

void TqScrollBar::UpdateScrollTranslation(float x, float y) {
    SetScrollPosition(position_ + (orientation_ == VERTICAL ? y : x));
}

float TqScrollBar::thumbLength() const {
    float track = trackLength();
    if (content_ <= 0.0f) return track;
    float len = track * std::min(1.0f, view_ / content_);
    return std::min(track, std::max(len, MIN_THUMB_LENGTH));
}

float TqScrollBar::GetContentPerThumbPixel() const {
    float travel = trackLength() - thumbLength();
    return travel > 0.0f ? GetMaxScrollPosition() / travel : 0.0f;
}

Rect TqScrollBar::GetThumbRect() const {
    float len = thumbLength();
    float travel = trackLength() - len;
    float maxPos = GetMaxScrollPosition();
    float offset = maxPos > 0.0f ? travel * position_ / maxPos : 0.0f;
    if (orientation_ == VERTICAL) return {track_.x, track_.maxY() - len - offset, track_.width, len};
    return {track_.x + offset, track_.y, len, track_.height};
}

} // namespace displaylist
