// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/text/FontFace.h"
#include "orvane/host/text/FontMetrics.h"

#include <memory>
#include <string_view>

namespace orvane {

/// A face at a size: what text is measured and drawn with. Cheap to copy.
/// Obtained from TextEngine::getFont; a default-constructed Font is invalid
/// and measures everything as zero.
class ORVANE_HOST_EXPORT Font {
public:
    Font() = default;
    Font(std::shared_ptr<const FontFace> face, float pointSize, float pixelSize, unsigned generation)
        : face_(std::move(face)), pointSize_(pointSize), pixelSize_(pixelSize), generation_(generation) {}

    bool isValid() const { return face_ && pixelSize_ > 0.0f; }
    const FontFace* getFace() const { return face_.get(); }
    const std::shared_ptr<const FontFace>& getSharedFace() const { return face_; }
    float getPointSize() const { return pointSize_; }
    float getPixelSize() const { return pixelSize_; }
    bool isBold() const { return face_ && face_->isBold(); }
    bool isItalic() const { return face_ && face_->isItalic(); }
    /// The text engine's backend generation the font was made in.
    unsigned getGeneration() const { return generation_; }

    float getAdvance(char32_t cp) const { return face_ ? face_->getAdvance(cp) * pixelSize_ : 0.0f; }

    /// Advance width of a UTF-8 string in pixels as the shaper places it
    /// (no wrapping; line breaks have no width). Cached: see TextShaper.
    float measure(std::string_view text) const;

    FontMetrics getMetrics() const {
        FontMetrics m;
        if (!face_) return m;
        float s = pixelSize_;
        m.pixelSize = s;
        m.ascent = face_->getAscent() * s;
        m.descent = face_->getDescent() * s;
        m.lineHeight = m.ascent + m.descent;
        m.capHeight = face_->getCapHeight() * s;
        m.xHeight = face_->getXHeight() * s;
        m.underlinePosition = face_->getUnderlinePosition() * s;
        m.underlineThickness = face_->getUnderlineThickness() * s;
        return m;
    }

private:
    std::shared_ptr<const FontFace> face_;
    float pointSize_ = 0.0f;
    float pixelSize_ = 0.0f;
    unsigned generation_ = 0;
};

} // namespace orvane
