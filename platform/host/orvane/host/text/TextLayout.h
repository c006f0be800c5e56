#pragma once
#include "orvane/host/text/Font.h"
#include "orvane/host/core/GeometryUtilities.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvane {

// Bits of the text flags passed with text to measure or draw.
namespace TextFlags {
constexpr unsigned WRAP = 0x1;  // greedy word wrap at the maximum width
} // namespace TextFlags

// One stretch of text in one font. A run either starts a new line (the first
// run and every paragraph start) or continues the line of the run before it.
struct TextRun {
    std::string_view text;
    const Font* font = nullptr;
    bool newLine = false;
};

struct TextLayoutOptions {
    unsigned flags = 0;
    float maxWidth = 0.0f;   // 0 = unlimited; wider lines are clipped (or wrapped with WRAP)
    float maxHeight = 0.0f;  // 0 = unlimited; lines that do not fit are dropped (the first is always kept)
    int minLines = 0;        // the height is at least this many lines
    int maxLines = 0;        // 0 = unlimited
};

// A piece of one run placed on one line: bytes [begin, end) of the run's text,
// starting `x` pixels from the line's left end.
struct TextSegment {
    uint32_t run = 0;
    uint32_t begin = 0;
    uint32_t end = 0;
    float x = 0.0f;
    float width = 0.0f;
};

struct TextLine {
    uint32_t firstSegment = 0;
    uint32_t segmentCount = 0;
    uint32_t run = 0;       // the run the line starts in (its alignment applies)
    float width = 0.0f;     // advance width of the placed text
    float ascent = 0.0f;    // largest ascent of the fonts on the line
    float descent = 0.0f;
    float top = 0.0f;       // distance from the top of the layout to the top of the line
    float height() const { return ascent + descent; }
    float baseline() const { return top + ascent; }
};

// The text layout used everywhere text is measured or drawn: line breaks at
// '\n' and at run starts, greedy word wrap (words wider than the line break
// between characters), then the maximum height and line count. Measured sizes
// therefore always equal drawn sizes.
class TextLayout {
public:
    std::vector<TextLine> lines;
    std::vector<TextSegment> segments;
    float width = 0.0f;         // widest line, limited to the maximum width
    float height = 0.0f;        // sum of the kept lines (at least minLines), limited to the maximum height
    float contentWidth = 0.0f;  // widest line without the limit
    bool clipped = false;       // a line is wider than the maximum width
    bool truncated = false;     // lines were dropped by the height or line limit

    static TextLayout compute(const TextRun* runs, size_t count, const TextLayoutOptions& options);
    static TextLayout compute(const Font& font, std::string_view text, const TextLayoutOptions& options);
    // The size compute() would give, without building lines when the text is a
    // single line that needs no wrapping.
    static Size measure(const Font& font, std::string_view text, const TextLayoutOptions& options);
};

} // namespace orvane
