// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/text/Font.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace orvane {

/// One glyph placed by the shaper. Positions are pixels from the left end of
/// the shaped text and from its baseline (y up).
struct ORVANE_HOST_EXPORT ShapedGlyph {
    const FontFace* face = nullptr;  ///< the face that draws it (a fallback face for characters the font lacks)
    uint32_t index = 0;              ///< glyph index in that face (0 = the face's missing-glyph box)
    float x = 0.0f;
    float y = 0.0f;
    float advance = 0.0f;
    uint32_t cluster = 0;            ///< byte offset in the text of the character(s) it shows
};

/// A piece of text of one direction shaped in one font: glyphs in visual
/// order (left to right) and the advance width.
struct ORVANE_HOST_EXPORT ShapedText {
    std::vector<ShapedGlyph> glyphs;
    float width = 0.0f;
};

/// Turns text into positioned glyphs with HarfBuzz, the one place where
/// advances come from, so that measuring and drawing agree:
/// - characters the font's face lacks take the first installed face that has
///   them (TextEngine::getFallbackFace); one that no face has shows the font's
///   missing-glyph box;
/// - the text is split into runs of one face and one Unicode script (common
///   and inherited characters such as spaces and combining marks join the
///   script around them), each shaped with its script, the direction given and
///   the host's language, with the whole text as context so that Arabic
///   letters join across runs;
/// - with the fixed-metric backend, Latin text keeps its fixed advances
///   (0.6 em a character); other scripts are shaped with the drawing face.
/// Results are cached per thread by text, face, size and direction; tabs are
/// as wide as a space and control characters have no width.
class ORVANE_HOST_EXPORT TextShaper {
public:
    static std::shared_ptr<const ShapedText> shape(const Font& font, std::string_view text, bool rightToLeft);
    /// The advance width of shape(font, text, rightToLeft), without copying.
    static float width(const Font& font, std::string_view text, bool rightToLeft = false);

    /// True when the text has right-to-left characters or explicit direction
    /// marks, that is when it needs the bidirectional algorithm.
    static bool hasRightToLeft(std::string_view text);
    /// True for characters the fixed-metric backend gives fixed advances.
    static bool isFixedAdvance(char32_t cp);
};

} // namespace orvane
