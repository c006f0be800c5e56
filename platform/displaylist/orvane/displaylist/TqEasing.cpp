// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqEasing.h"

#include <algorithm>
#include <cmath>

namespace displaylist {

float TqEasing::apply(int code, float t) {
    if (!(t > 0.0f)) return 0.0f;
    if (t >= 1.0f) return 1.0f;
    switch (code) {
    case EASE_IN: return t * t * t;
    case EASE_OUT_QUAD: return 1.0f - (1.0f - t) * (1.0f - t);
    case EASE_IN_OUT: return t < 0.5f ? 4.0f * t * t * t : 1.0f - std::pow(-2.0f * t + 2.0f, 3.0f) / 2.0f;
    case EASE_OUT: return 1.0f - std::pow(1.0f - t, 3.0f);
    default: return t;
    }
}

const char* TqEasing::name(int code) {
    switch (code) {
    case LINEAR: return "linear";
    case EASE_IN: return "ease-in";
    case EASE_OUT_QUAD: return "ease-out-quad";
    case EASE_IN_OUT: return "ease-in-out";
    case EASE_OUT: return "ease-out";
    default: return "linear";
    }
}

} // namespace displaylist
