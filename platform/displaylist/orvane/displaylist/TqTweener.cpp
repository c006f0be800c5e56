// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqTweener.h"

#include "orvane/displaylist/TqGroup.h"

#include <cmath>

namespace displaylist {

TqTweener::TqTweener() = default;
TqTweener::~TqTweener() = default;

void TqTweener::SetTarget(TqGeometry* target, int property) {
    target_ = target;
    property_ = property;
}

void TqTweener::SetRange(float from, float to) {
    if (!std::isfinite(from) || !std::isfinite(to)) return;
    from_ = from;
    to_ = to;
}

void TqTweener::Apply(float progress) {
    TqAnimate::Apply(progress);
    TqGeometry* t = target_.get();
    if (!t) return;
    float v = from_ + (to_ - from_) * progress;
    switch (property_) {
    case OPACITY: t->SetOpacity(v); break;
    case SCALE:
        if (v > 0.0f) t->SetScale(v, v);
        break;
    case TRANSLATE_X:
        if (TqGroup* g = t->AsGroup()) g->SetTranslation(v, g->GetTranslation().y);
        break;
    case TRANSLATE_Y:
        if (TqGroup* g = t->AsGroup()) g->SetTranslation(g->GetTranslation().x, v);
        break;
    default: break;
    }
}

} // namespace displaylist
