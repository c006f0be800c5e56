// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace displaylist {

// Line style codes of outlines and lines. The dash factor scales the pattern
// (dash and gap lengths are multiples of the line width).
namespace TqLineStyle {
constexpr int SOLID = 1;     // also used for 0 and unknown codes
constexpr int DOTTED = 2;    // dots one line width long, gaps of two widths
constexpr int DASHED = 3;    // dashes of four widths, gaps of two
constexpr int DASH_DOT = 4;  // dash, gap, dot, gap
} // namespace TqLineStyle

} // namespace displaylist
