// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/text/FontFace.h"

#include <memory>

namespace orvane {

/// A face with exact, font-independent metrics for tests: every visible
/// character of Latin text advances 0.6 em (other scripts are shaped with the
/// drawing face, see TextShaper), ascent 0.8 em, descent 0.2 em (a line is exactly
/// one em), cap height 0.7 em, x-height 0.5 em. Glyph shapes for drawing come
/// from a real face so that pictures remain readable.
class ORVANE_HOST_EXPORT FixedMetricsFontFace : public FontFace {
public:
    static constexpr float ADVANCE = 0.6f;
    static constexpr float ASCENT = 0.8f;
    static constexpr float DESCENT = 0.2f;

    FixedMetricsFontFace(std::string requestedFamily, bool bold, bool italic, std::shared_ptr<FontFace> drawingFace);

    bool isFixedMetrics() const override { return true; }
    void* getDrawingFace() const override { return drawing_ ? drawing_->getDrawingFace() : nullptr; }
    void* getShapingFont() const override { return drawing_ ? drawing_->getShapingFont() : nullptr; }
    /// The real face that draws the glyphs.
    const std::shared_ptr<FontFace>& getDrawing() const { return drawing_; }

protected:
    Glyph loadGlyph(char32_t cp) const override;

private:
    std::shared_ptr<FontFace> drawing_;
};

} // namespace orvane
