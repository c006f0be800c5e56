// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace orvane {

// The host's key codes for the keys the library reacts to. Navigation keys of
// tables and crosstabs are 46 to 71; 55 and 58 are the modifiers that extend
// a selection (55 adds to it, 58 makes a range).
namespace KeyCode {
constexpr int ENTER = 46;       // activates: sorts on a column header, focuses a cell
constexpr int TAB = 47;         // next cell in reading order
constexpr int ESCAPE = 48;
constexpr int UP = 49;
constexpr int DOWN = 50;
constexpr int LEFT = 51;
constexpr int RIGHT = 52;
constexpr int HOME = 53;
constexpr int END = 54;
constexpr int MULTI_SELECT = 55;  // control (command on a Mac): add to the selection
constexpr int ALT = 56;
constexpr int META = 57;
constexpr int RANGE_SELECT = 58;  // shift: select a range
constexpr int PAGE_UP = 59;
constexpr int PAGE_DOWN = 60;
constexpr int CONTEXT_MENU = 71;  // the menu key
constexpr int FIRST_NAVIGATION = 46;
constexpr int LAST_NAVIGATION = 71;
} // namespace KeyCode

// Bits of Gesture::getModifiers() for the selection modifiers held during a
// gesture (a host that knows them per gesture sets them there; one that does
// not tells KeyManager which keys are down).
namespace KeyModifier {
constexpr int MULTI_SELECT = 0x1;
constexpr int RANGE_SELECT = 0x2;
} // namespace KeyModifier

// Shapes of the pointer the library asks the host's cursor manager for.
namespace CursorShape {
constexpr int DEFAULT = 0;
constexpr int MOVE = 0x13;           // a column being dragged to a new place
constexpr int RESIZE_ROW = 0x15;     // a row separator (drag up or down)
constexpr int RESIZE_COLUMN = 0x17;  // a column separator (drag left or right)
} // namespace CursorShape

} // namespace orvane
