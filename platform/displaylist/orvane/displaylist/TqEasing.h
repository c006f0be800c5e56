// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"

namespace displaylist {

/// Easing curves of animations, by code. Each maps the linear progress t in
/// [0, 1] to the eased progress (0 at 0, 1 at 1).
class ORVANE_DISPLAYLIST_EXPORT TqEasing {
public:
    static constexpr int LINEAR = 0;
    static constexpr int EASE_IN = 1;       ///< cubic, starts slowly
    static constexpr int EASE_OUT_QUAD = 2; ///< quadratic, ends gently
    static constexpr int EASE_IN_OUT = 3;   ///< cubic, slow at both ends (construction transitions)
    static constexpr int EASE_OUT = 4;      ///< cubic, fast start and long settle (data changes)

    /// Unknown codes are linear; t is clamped to [0, 1].
    static float apply(int code, float t);
    static const char* name(int code);
};

} // namespace displaylist
