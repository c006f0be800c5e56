// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqAnimate.h"

#include <cmath>

namespace displaylist {

TqAnimate::TqAnimate() = default;

void TqAnimate::SetDelay(float seconds) {
    if (std::isfinite(seconds)) delay_ = std::max(seconds, 0.0f);
}

void TqAnimate::SetDuration(float seconds) {
    if (std::isfinite(seconds)) duration_ = std::max(seconds, 0.0f);
}

void TqAnimate::Start(double time) {
    if (!std::isfinite(time)) return;
    started_ = true;
    startTime_ = time;
}

double TqAnimate::GetEndTime() const { return startTime_ + (hasDelay_ ? delay_ : 0.0f) + duration_; }

bool TqAnimate::IsRunning(double time) const { return started_ && time < GetEndTime(); }

float TqAnimate::GetProgress(double time) const {
    if (!started_) return 0.0f;
    double begin = startTime_ + (hasDelay_ ? delay_ : 0.0f);
    if (time < begin) return 0.0f;
    if (duration_ <= 0.0f || time >= begin + duration_) return TqEasing::apply(easing_, 1.0f);
    return TqEasing::apply(easing_, static_cast<float>((time - begin) / duration_));
}

void TqAnimate::Update(double time) {
    if (started_) Apply(GetProgress(time));
}

void TqAnimate::Apply(float progress) {
    if (update_) update_(progress);
}

} // namespace displaylist
