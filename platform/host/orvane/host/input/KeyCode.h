// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace orvane {

// The host's key codes for the keys the library reacts to. Navigation keys of
// tables and crosstabs are 46 to 71; 55 and 58 are the modifiers that extend
// a selection (55 adds to it, 58 makes a range).
namespace KeyCode {
constexpr int ENTER = 46;       // activates: sorts on a column header, expands a crosstab header
constexpr int TAB = 47;         // next cell in reading order; space: drills a crosstab header
constexpr int ESCAPE = 48;
constexpr int PAGE_UP = 49;
constexpr int PAGE_DOWN = 50;
constexpr int LEFT = 51;        // the horizontal keys: left towards a crosstab's row headers
constexpr int RIGHT = 52;
constexpr int DOWN = 53;        // the vertical keys: up towards a crosstab's column headers
constexpr int UP = 54;
constexpr int MULTI_SELECT = 55;  // control (command on a Mac): add to the selection
constexpr int ALT = 56;
constexpr int META = 57;
constexpr int RANGE_SELECT = 58;  // shift: select a range
constexpr int HOME = 59;        // first cell of the row; a crosstab header's top-level member
constexpr int END = 60;         // last cell of the row; from a crosstab header into its data
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
constexpr int ALT = 0x4;   // key 56 held: keyboard column resizing on a crosstab header
} // namespace KeyModifier

// Shapes of the pointer the library asks the host's cursor manager for.
namespace CursorShape {
constexpr int DEFAULT = 0;
constexpr int MOVE = 0x13;           // a column being dragged to a new place
constexpr int RESIZE_ROW = 0x15;     // a row separator (drag up or down)
constexpr int RESIZE_COLUMN = 0x17;  // a column separator (drag left or right)
} // namespace CursorShape

} // namespace orvane
