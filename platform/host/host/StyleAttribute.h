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
} // namespace StyleAttribute

// Ids of style elements within a Style.
namespace StyleElement {
constexpr int FOCUS_RECTANGLE = 115;
} // namespace StyleElement

// The colour value meaning "no colour".
constexpr unsigned int COLOR_NONE = 0xffffffffu;

} // namespace orvane
