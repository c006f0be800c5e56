#include "orvane/displaylist/TqController2D.h"

#include <algorithm>
#include <cmath>

namespace displaylist {

TqController2D::TqController2D() = default;

Point TqController2D::GetMaxScroll() const {
    return {std::max(0.0f, content_.width - viewport_.width), std::max(0.0f, content_.height - viewport_.height)};
}

void TqController2D::clamp() {
    Point m = GetMaxScroll();
    tx_ = std::clamp(tx_, -m.x, 0.0f);
    ty_ = std::clamp(ty_, 0.0f, m.y);
}

void TqController2D::SetTranslation(float tx, float ty) {
    if (!std::isfinite(tx) || !std::isfinite(ty)) return;
    tx_ = tx;
    ty_ = ty;
    clamp();
}

void TqController2D::OnGestureTranslate(float gx, float gy) {
    if (!std::isfinite(gx) || !std::isfinite(gy)) return;
    tx_ += gx;
    ty_ -= gy;
    clamp();
}

void TqController2D::SetContentSize(float width, float height) {
    if (!std::isfinite(width) || !std::isfinite(height)) return;
    content_ = {std::max(width, 0.0f), std::max(height, 0.0f)};
    clamp();
}

void TqController2D::SetViewportSize(float width, float height) {
    if (!std::isfinite(width) || !std::isfinite(height)) return;
    viewport_ = {std::max(width, 0.0f), std::max(height, 0.0f)};
    clamp();
}

bool TqController2D::CanPanHorizontally(float d) const {
    Point m = GetMaxScroll();
    if (d > 0.0f) return tx_ < 0.0f;
    if (d < 0.0f) return tx_ > -m.x;
    return false;
}

bool TqController2D::CanPanVertically(float d) const {
    Point m = GetMaxScroll();
    // ty -= d: a positive d lowers ty.
    if (d > 0.0f) return ty_ > 0.0f;
    if (d < 0.0f) return ty_ < m.y;
    return false;
}

} // namespace displaylist
