// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/text/FontFace.h"

#include <mutex>

namespace orvane {

/// A face read from a font file with FreeType. Metrics and advances are the
/// unhinted design values scaled to the em, so that they scale linearly with
/// the pixel size and agree with the glyph positions used for drawing.
class ORVANE_HOST_EXPORT FreeTypeFontFace : public FontFace {
public:
    /// Takes ownership of `ftFace` (an FT_Face).
    FreeTypeFontFace(void* ftFace, std::string requestedFamily, std::string family, std::string file, bool bold,
                     bool italic);
    ~FreeTypeFontFace() override;

    void* getDrawingFace() const override { return face_; }
    void* getShapingFont() const override;

protected:
    Glyph loadGlyph(char32_t cp) const override;

private:
    void* face_;
    float unitsPerEm_;
    mutable std::once_flag shapingOnce_;
    mutable void* shapingFont_ = nullptr;
};

} // namespace orvane
