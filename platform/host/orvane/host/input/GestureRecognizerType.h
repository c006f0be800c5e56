// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace orvane {

// Bits of the gesture recogniser kinds. A gesture carries the bit of the
// recogniser that produced it; handlers declare the bits they need.
namespace GestureRecognizerType {
constexpr int TAP = 0x1;
constexpr int DOUBLE_TAP = 0x2;
constexpr int PAN = 0x4;
constexpr int PINCH = 0x8;
constexpr int LONG_PRESS = 0x10;
constexpr int SECONDARY_TAP = 0x20;
constexpr int PRERECOGNIZED_TOUCHES = 0x100;
constexpr int POINTER_HOVER = 0x200;
constexpr int MOUSE_WHEEL = 0x400;
constexpr int CONTINUED_PAN = 0x800;  // a pan continued by the library (inertia)
constexpr int ANY_TAP = TAP | DOUBLE_TAP | SECONDARY_TAP;
} // namespace GestureRecognizerType

// Phases of a gesture.
namespace GestureRecognizerState {
constexpr int BEGAN = 1;
constexpr int CHANGED = 2;
constexpr int ENDED = 3;
constexpr int POSSIBLE = 4;  // not yet recognised (initial state of routing events)
} // namespace GestureRecognizerState

// Directions a host asks a view about before giving it a scroll gesture.
namespace GestureDirectionType {
constexpr int DOWN = 1;   // content moves down: needs room above
constexpr int UP = 2;
constexpr int LEFT = 4;
constexpr int RIGHT = 8;
} // namespace GestureDirectionType

} // namespace orvane
