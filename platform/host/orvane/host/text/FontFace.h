// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <array>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

namespace orvane {

/// One resolved typeface (family + weight + slant). Metrics are in em units
/// (multiply by the pixel size). Glyph advances and glyph indices are cached:
/// Latin-1 code points in flat tables filled when the face is loaded, every
/// other code point in a map filled on first use, so measuring a string costs
/// one table lookup per character once warm.
class ORVANE_HOST_EXPORT FontFace {
public:
    struct Glyph {
        float advance = 0.0f;  ///< em units
        uint32_t index = 0;    ///< glyph index in the drawing face (0 = missing glyph)
    };

    virtual ~FontFace() = default;
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    /// The family as requested, the family that was actually found, and the file.
    const std::string& getRequestedFamily() const { return requestedFamily_; }
    const std::string& getFamily() const { return family_; }
    const std::string& getFile() const { return file_; }
    bool isBold() const { return bold_; }
    bool isItalic() const { return italic_; }
    /// True for the deterministic fixed-metric faces used by tests.
    virtual bool isFixedMetrics() const { return false; }

    float getAscent() const { return ascent_; }
    float getDescent() const { return descent_; }
    float getCapHeight() const { return capHeight_; }
    float getXHeight() const { return xHeight_; }
    float getUnderlinePosition() const { return underlinePosition_; }
    float getUnderlineThickness() const { return underlineThickness_; }

    float getAdvance(char32_t cp) const {
        if (cp < 256) return latin_[cp].advance;
        return otherGlyph(cp).advance;
    }
    uint32_t getGlyphIndex(char32_t cp) const {
        if (cp < 256) return latin_[cp].index;
        return otherGlyph(cp).index;
    }

    /// The FreeType face (FT_Face) that draws this face's glyphs. Never null for
    /// a face returned by the text engine.
    virtual void* getDrawingFace() const = 0;
    /// The HarfBuzz font (hb_font_t, scaled to font units) that shapes text for
    /// the drawing face; null when the face's file cannot be read.
    virtual void* getShapingFont() const = 0;
    /// True when the drawing face has a glyph for the code point.
    bool hasGlyph(char32_t cp) const { return getGlyphIndex(cp) != 0; }

protected:
    FontFace(std::string requestedFamily, std::string family, std::string file, bool bold, bool italic);
    /// Looks one code point up; called once per code point and face.
    virtual Glyph loadGlyph(char32_t cp) const = 0;
    /// Fills the Latin-1 tables; subclasses call it at the end of construction.
    void fillLatinTable();

    std::string requestedFamily_;
    std::string family_;
    std::string file_;
    bool bold_;
    bool italic_;
    float ascent_ = 0.8f;
    float descent_ = 0.2f;
    float capHeight_ = 0.7f;
    float xHeight_ = 0.5f;
    float underlinePosition_ = 0.1f;
    float underlineThickness_ = 0.05f;

private:
    /// Control characters have no width (a tab is as wide as a space).
    Glyph lookup(char32_t cp) const;
    const Glyph& otherGlyph(char32_t cp) const;

    std::array<Glyph, 256> latin_{};
    mutable std::mutex mutex_;
    mutable std::unordered_map<char32_t, Glyph> others_;
};

} // namespace orvane
