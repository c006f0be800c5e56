// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace orvane {

// Numeric ids of style attributes, one numbering across the project.
namespace StyleAttribute {
constexpr int BACKGROUND_COLOR = 8;    // fill colour; 0xffffffff = none
constexpr int BORDER_COLOR = 10;
constexpr int BORDER_WIDTH = 12;       // Dimension
constexpr int TEXT_COLOR = 19;
constexpr int FONT_SIZE = 31;          // Dimension, normally points
constexpr int FONT_FAMILY = 32;        // string
constexpr int FONT_ITALIC = 33;        // int, 1 = italic
constexpr int FONT_BOLD = 34;          // int, 1 = bold
constexpr int FOCUS_COLOR = 38;
constexpr int FOCUS_THICKNESS = 39;    // Dimension
constexpr int FOCUS_LINE_STYLE = 40;   // int
constexpr int FOCUS_SETTING = 41;      // float
constexpr int TEXT_ALIGN = 49;         // 0 left, 1 centre, 2 right
constexpr int UNDERLINE = 52;          // int, 1 = underline
constexpr int TRANSPARENCY = 58;       // float, opacity = 1 - value
constexpr int BAR_COLOR = 24;          // bar fill of cell visuals
constexpr int RAMP_END_COLOR = 26;     // heat-map ramp, collected as 27, 28, 26
constexpr int RAMP_START_COLOR = 27;
constexpr int RAMP_MIDDLE_COLOR = 28;
constexpr int RULE_LABEL = 106;        // string: label a display rule shows
constexpr int RULE_VALUE_TEXT = 107;   // string: value text a display rule shows
constexpr int RULE_INDICATOR_TYPE = 108;  // int, RuleDisplayIndicatorType
constexpr int RULE_INDICATOR_ICON = 109;  // string: icon name of a rule indicator
} // namespace StyleAttribute

// Ids of style elements within a Style.
namespace StyleElement {
constexpr int FOCUS_RECTANGLE = 115;
} // namespace StyleElement

/// The colour value meaning "no colour".
constexpr unsigned int COLOR_NONE = 0xffffffffu;

} // namespace orvane
