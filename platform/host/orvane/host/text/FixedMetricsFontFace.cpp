// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/text/FixedMetricsFontFace.h"

namespace orvane {

FixedMetricsFontFace::FixedMetricsFontFace(std::string requestedFamily, bool bold, bool italic,
                                           std::shared_ptr<FontFace> drawingFace)
    : FontFace(requestedFamily, requestedFamily, drawingFace ? drawingFace->getFile() : std::string(), bold, italic),
      drawing_(std::move(drawingFace)) {
    ascent_ = ASCENT;
    descent_ = DESCENT;
    capHeight_ = 0.7f;
    xHeight_ = 0.5f;
    underlinePosition_ = 0.1f;
    underlineThickness_ = 0.05f;
    fillLatinTable();
}

FontFace::Glyph FixedMetricsFontFace::loadGlyph(char32_t cp) const {
    return {ADVANCE, drawing_ ? drawing_->getGlyphIndex(cp) : 0u};
}

} // namespace orvane
