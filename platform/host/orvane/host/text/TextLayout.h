// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/text/Font.h"
#include "orvane/host/core/GeometryUtilities.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvane {

// Bits of the text flags passed with text to measure or draw.
namespace TextFlags {
constexpr unsigned WRAP = 0x1;      // greedy wrap at the line-break opportunities within the maximum width
constexpr unsigned ELLIPSIS = 0x2;  // a line wider than the maximum width is cut and ends in "…"
} // namespace TextFlags

/// One stretch of text in one font. A run either starts a new line (the first
/// run and every paragraph start) or continues the line of the run before it.
struct ORVANE_HOST_EXPORT TextRun {
    std::string_view text;
    const Font* font = nullptr;
    bool newLine = false;
};

struct ORVANE_HOST_EXPORT TextLayoutOptions {
    unsigned flags = 0;
    float maxWidth = 0.0f;   ///< 0 = unlimited; wider lines are clipped (or wrapped with WRAP)
    float maxHeight = 0.0f;  ///< 0 = unlimited; lines that do not fit are dropped (the first is always kept)
    int minLines = 0;        ///< the height is at least this many lines
    int maxLines = 0;        ///< 0 = unlimited
    /// The paragraph direction when the text does not decide it (no strong
    /// character): the view's right-to-left flag.
    bool rightToLeft = false;
};

/// A piece of one run placed on one line: bytes [begin, end) of the run's text,
/// starting `x` pixels from the line's left end, of one bidirectional level
/// (odd: shaped and drawn right to left). An ellipsis segment shows
/// TextLayout::ELLIPSIS instead of run text (begin == end).
struct ORVANE_HOST_EXPORT TextSegment {
    uint32_t run = 0;
    uint32_t begin = 0;
    uint32_t end = 0;
    float x = 0.0f;
    float width = 0.0f;
    uint8_t level = 0;
    bool ellipsis = false;
    bool rightToLeft() const { return (level & 1) != 0; }
};

struct ORVANE_HOST_EXPORT TextLine {
    uint32_t firstSegment = 0;
    uint32_t segmentCount = 0;
    uint32_t run = 0;       ///< the run the line starts in (its alignment applies)
    float width = 0.0f;     ///< advance width of the placed text
    float ascent = 0.0f;    ///< largest ascent of the fonts on the line
    float descent = 0.0f;
    float top = 0.0f;       ///< distance from the top of the layout to the top of the line
    bool rightToLeft = false;  ///< the line's paragraph runs right to left (start alignment is at the right)
    float height() const { return ascent + descent; }
    float baseline() const { return top + ascent; }
};

/// The text layout used everywhere text is measured or drawn. Paragraphs end
/// at '\n' and at run starts; each paragraph's characters get their levels
/// from the Unicode bidirectional algorithm (ICU), its line-break
/// opportunities from ICU's line BreakIterator (between words, between CJK
/// ideographs, never inside a cluster); lines are filled greedily (a word
/// wider than the line breaks between grapheme clusters), then cut to the
/// maximum height and line count. Each line is split into segments of one run
/// and one level, shaped (TextShaper) and placed in visual order, so measured
/// sizes are exactly the drawn sizes.
class ORVANE_HOST_EXPORT TextLayout {
public:
    std::vector<TextLine> lines;
    std::vector<TextSegment> segments;
    float width = 0.0f;         ///< widest line, limited to the maximum width
    float height = 0.0f;        ///< sum of the kept lines (at least minLines), limited to the maximum height
    float contentWidth = 0.0f;  ///< widest line without the limit
    bool clipped = false;       ///< a line is wider than the maximum width
    bool truncated = false;     ///< lines were dropped by the height or line limit

    /// The text an ellipsis segment shows.
    static constexpr std::string_view ELLIPSIS = "\u2026";
    /// The text a segment shows, given the text of its run.
    static std::string_view segmentText(const TextSegment& s, std::string_view runText) {
        return s.ellipsis ? ELLIPSIS : runText.substr(s.begin, s.end - s.begin);
    }

    static TextLayout compute(const TextRun* runs, size_t count, const TextLayoutOptions& options);
    static TextLayout compute(const Font& font, std::string_view text, const TextLayoutOptions& options);
    /// The size compute() would give, without building lines when the text is a
    /// single line that needs no wrapping.
    static Size measure(const Font& font, std::string_view text, const TextLayoutOptions& options);
};

} // namespace orvane
