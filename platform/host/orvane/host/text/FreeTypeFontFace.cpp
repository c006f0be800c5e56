// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/text/FreeTypeFontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H

#include <hb.h>

#include <cmath>

namespace orvane {

namespace {
FT_Face ft(void* p) { return static_cast<FT_Face>(p); }

// Height of a glyph's outline top in font units, or 0 when it has no outline.
float glyphTop(FT_Face face, char32_t cp) {
    FT_UInt gi = FT_Get_Char_Index(face, cp);
    if (gi == 0) return 0.0f;
    if (FT_Load_Glyph(face, gi, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0) return 0.0f;
    FT_Glyph_Metrics& m = face->glyph->metrics;
    return static_cast<float>(m.horiBearingY);
}
} // namespace

FreeTypeFontFace::FreeTypeFontFace(void* ftFace, std::string requestedFamily, std::string family, std::string file,
                                   bool bold, bool italic)
    : FontFace(std::move(requestedFamily), std::move(family), std::move(file), bold, italic), face_(ftFace) {
    FT_Face f = ft(face_);
    unitsPerEm_ = f->units_per_EM > 0 ? static_cast<float>(f->units_per_EM) : 1000.0f;
    if (FT_IS_SCALABLE(f)) {
        ascent_ = static_cast<float>(f->ascender) / unitsPerEm_;
        descent_ = -static_cast<float>(f->descender) / unitsPerEm_;
        underlinePosition_ = -static_cast<float>(f->underline_position) / unitsPerEm_;
        underlineThickness_ = static_cast<float>(f->underline_thickness) / unitsPerEm_;
    }
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    float cap = 0.0f, x = 0.0f;
    if (os2 && os2->version >= 2 && os2->version != 0xffff) {
        cap = static_cast<float>(os2->sCapHeight);
        x = static_cast<float>(os2->sxHeight);
    }
    if (cap <= 0.0f) cap = glyphTop(f, U'H');
    if (x <= 0.0f) x = glyphTop(f, U'x');
    if (cap > 0.0f) capHeight_ = cap / unitsPerEm_;
    if (x > 0.0f) xHeight_ = x / unitsPerEm_;
    if (!(underlineThickness_ > 0.0f)) underlineThickness_ = 0.05f;
    if (!(descent_ >= 0.0f)) descent_ = 0.2f;
    if (!(ascent_ > 0.0f)) ascent_ = 0.8f;
    fillLatinTable();
}

FreeTypeFontFace::~FreeTypeFontFace() {
    if (shapingFont_) hb_font_destroy(static_cast<hb_font_t*>(shapingFont_));
    FT_Done_Face(ft(face_));
}

void* FreeTypeFontFace::getShapingFont() const {
    // HarfBuzz reads the file itself (not through the FT_Face, which is not
    // thread-safe) and works unhinted in font units, like the advances here.
    std::call_once(shapingOnce_, [this] {
        hb_blob_t* blob = hb_blob_create_from_file(file_.c_str());
        if (hb_blob_get_length(blob) > 0) {
            hb_face_t* face = hb_face_create(blob, static_cast<unsigned>(ft(face_)->face_index & 0xffff));
            shapingFont_ = hb_font_create(face);
            hb_face_destroy(face);
        }
        hb_blob_destroy(blob);
    });
    return shapingFont_;
}

FontFace::Glyph FreeTypeFontFace::loadGlyph(char32_t cp) const {
    FT_Face f = ft(face_);
    Glyph g;
    g.index = FT_Get_Char_Index(f, cp);
    FT_Fixed adv = 0;
    if (FT_Get_Advance(f, g.index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING, &adv) == 0)
        g.advance = static_cast<float>(adv) / unitsPerEm_;
    return g;
}

} // namespace orvane
