// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqController2D.h"

#include <algorithm>
#include <cmath>

namespace displaylist {

TqController2D::TqController2D() = default;

double TqController2D::GetMaxScrollX() const { return std::max(0.0, contentW_ - double(viewport_.width)); }
double TqController2D::GetMaxScrollY() const { return std::max(0.0, contentH_ - double(viewport_.height)); }

Point TqController2D::GetMaxScroll() const {
    return {static_cast<float>(GetMaxScrollX()), static_cast<float>(GetMaxScrollY())};
}

void TqController2D::clamp() {
    tx_ = std::clamp(tx_, -GetMaxScrollX(), 0.0);
    ty_ = std::clamp(ty_, 0.0, GetMaxScrollY());
}

void TqController2D::SetTranslationExact(double tx, double ty) {
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

void TqController2D::SetContentSizeExact(double width, double height) {
    if (!std::isfinite(width) || !std::isfinite(height)) return;
    contentW_ = std::max(width, 0.0);
    contentH_ = std::max(height, 0.0);
    clamp();
}

void TqController2D::SetViewportSize(float width, float height) {
    if (!std::isfinite(width) || !std::isfinite(height)) return;
    viewport_ = {std::max(width, 0.0f), std::max(height, 0.0f)};
    clamp();
}

bool TqController2D::CanPanHorizontally(float d) const {
    if (d > 0.0f) return tx_ < 0.0;
    if (d < 0.0f) return tx_ > -GetMaxScrollX();
    return false;
}

bool TqController2D::CanPanVertically(float d) const {
    // ty -= d: a positive d lowers ty.
    if (d > 0.0f) return ty_ > 0.0;
    if (d < 0.0f) return ty_ < GetMaxScrollY();
    return false;
}

} // namespace displaylist
