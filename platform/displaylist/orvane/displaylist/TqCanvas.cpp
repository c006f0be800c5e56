// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqCanvas.h"

#include "orvane/displaylist/DisplayListImage.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqLineStyle.h"
#include "orvane/host/text/Font.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/text/TextShaper.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <mutex>
#include <unordered_map>

namespace displaylist {

namespace {

// One Cairo font face per FreeType face, kept for the life of the process
// like the faces themselves.
cairo_font_face_t* cairoFace(void* ftFace) {
    static std::mutex mutex;
    static auto* faces = new std::unordered_map<void*, cairo_font_face_t*>;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = faces->find(ftFace);
    if (it != faces->end()) return it->second;
    cairo_font_face_t* f =
        cairo_ft_font_face_create_for_ft_face(static_cast<FT_Face>(ftFace), FT_LOAD_NO_HINTING);
    faces->emplace(ftFace, f);
    return f;
}

void setDash(cairo_t* cr, float width, int style, float factor) {
    float f = factor > 0.0f ? factor : 1.0f;
    float w = std::max(width, 0.5f) * f;
    switch (style) {
    case TqLineStyle::DOTTED: {
        double d[] = {w, 2.0 * w};
        cairo_set_dash(cr, d, 2, 0);
        break;
    }
    case TqLineStyle::DASHED: {
        double d[] = {4.0 * w, 2.0 * w};
        cairo_set_dash(cr, d, 2, 0);
        break;
    }
    case TqLineStyle::DASH_DOT: {
        double d[] = {4.0 * w, 2.0 * w, w, 2.0 * w};
        cairo_set_dash(cr, d, 4, 0);
        break;
    }
    default:
        cairo_set_dash(cr, nullptr, 0, 0);
    }
}

} // namespace

TqCanvas::TqCanvas(cairo_t* cr) : cr_(cr) {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr_, o);
    cairo_font_options_destroy(o);
}

void TqCanvas::drawNode(const TqGeometry& node) {
    if (!node.IsVisible() || node.GetOpacity() <= 0.0f) return;
    TqTransform t = node.GetTransform();
    float savedAlpha = alpha_;
    alpha_ *= node.GetOpacity();
    cairo_save(cr_);
    if (!t.isIdentity()) {
        cairo_translate(cr_, t.tx, t.ty);
        cairo_scale(cr_, t.sx, t.sy);
    }
    node.Draw(*this);
    cairo_restore(cr_);
    alpha_ = savedAlpha;
}

void TqCanvas::setColor(uint32_t rgb, float opacity) {
    double r = ((rgb >> 16) & 0xff) / 255.0, g = ((rgb >> 8) & 0xff) / 255.0, b = (rgb & 0xff) / 255.0;
    cairo_set_source_rgba(cr_, r, g, b, static_cast<double>(alpha_) * opacity);
}

void TqCanvas::setStroke(float width, int lineStyle, float dashFactor) {
    cairo_set_line_width(cr_, std::max(width, 0.0f));
    setDash(cr_, width, lineStyle, dashFactor);
}

void TqCanvas::pushClip(const Rect& r) {
    cairo_save(cr_);
    cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
    cairo_clip(cr_);
    ++clipDepth_;
}

void TqCanvas::popClip() {
    if (clipDepth_ == 0) return;
    --clipDepth_;
    cairo_restore(cr_);
}

void TqCanvas::fillRect(const Rect& r, uint32_t rgb, float opacity) {
    if (rgb == TQ_COLOR_NONE) return;
    setColor(rgb, opacity);
    cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
    cairo_fill(cr_);
}

void TqCanvas::fillPath(uint32_t rgb) {
    setColor(rgb);
    cairo_fill(cr_);
}

void TqCanvas::strokePath(uint32_t rgb, float width, int lineStyle, float dashFactor) {
    setColor(rgb);
    setStroke(width, lineStyle, dashFactor);
    cairo_stroke(cr_);
}

void TqCanvas::strokeRect(const Rect& r, uint32_t rgb, float width, int lineStyle, float dashFactor) {
    if (rgb == TQ_COLOR_NONE || !(width > 0.0f)) return;
    setColor(rgb);
    setStroke(width, lineStyle, dashFactor);
    // Clockwise from the top-left corner, like an SVG rect, so that dash
    // patterns start at the same place in both outputs.
    cairo_new_path(cr_);
    cairo_move_to(cr_, r.x, r.maxY());
    cairo_line_to(cr_, r.maxX(), r.maxY());
    cairo_line_to(cr_, r.maxX(), r.y);
    cairo_line_to(cr_, r.x, r.y);
    cairo_close_path(cr_);
    cairo_stroke(cr_);
}

float TqCanvas::drawGlyphs(const orvane::Font& font, std::string_view text, float x, float baseline, uint32_t rgb,
                           bool underline, bool rightToLeft) {
    if (!font.isValid() || rgb == TQ_COLOR_NONE) return 0.0f;
    auto shaped = orvane::TextShaper::shape(font, text, rightToLeft);
    // The baseline on a whole device pixel (when the transform keeps lines
    // horizontal) so that the strokes of every line sit alike.
    cairo_matrix_t ctm;
    cairo_get_matrix(cr_, &ctm);
    if (ctm.xy == 0.0 && ctm.yx == 0.0 && ctm.yy != 0.0) {
        double dy = ctm.yy * baseline + ctm.y0;
        baseline = static_cast<float>((std::round(dy) - ctm.y0) / ctm.yy);
    }
    float size = font.getPixelSize();
    setColor(rgb);
    std::vector<cairo_glyph_t> glyphs;
    glyphs.reserve(shaped->glyphs.size());
    const auto& all = shaped->glyphs;
    // One call per stretch of glyphs of one face.
    for (size_t i = 0; i < all.size();) {
        const orvane::FontFace* face = all[i].face;
        glyphs.clear();
        size_t j = i;
        for (; j < all.size() && all[j].face == face; ++j)
            glyphs.push_back({all[j].index, static_cast<double>(x) + all[j].x, static_cast<double>(baseline) + all[j].y});
        void* ft = face ? face->getDrawingFace() : nullptr;
        if (ft) {
            cairo_set_font_face(cr_, cairoFace(ft));
            // User space has y up; glyph outlines are drawn y down, hence the flip.
            cairo_matrix_t m;
            cairo_matrix_init(&m, size, 0, 0, -size, 0, 0);
            cairo_set_font_matrix(cr_, &m);
            cairo_show_glyphs(cr_, glyphs.data(), static_cast<int>(glyphs.size()));
        }
        i = j;
    }
    if (underline && shaped->width > 0.0f) {
        orvane::FontMetrics fm = font.getMetrics();
        float t = std::max(fm.underlineThickness, 1.0f);
        cairo_rectangle(cr_, x, baseline - fm.underlinePosition - t / 2.0f, shaped->width, t);
        cairo_fill(cr_);
    }
    return shaped->width;
}

cairo_surface_t* TqCanvas::createSurface(const orvane::Image& image) {
    if (!image.hasPixels() || image.getWidth() <= 0 || image.getHeight() <= 0) return nullptr;
    int w = image.getWidth(), h = image.getHeight();
    const std::vector<uint8_t>& px = image.getPixels();
    if (px.size() < static_cast<size_t>(w) * h * 4) return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        const uint8_t* src = &px[static_cast<size_t>(y) * w * 4];
        for (int x = 0; x < w; ++x, src += 4) {
            uint32_t a = src[3];
            uint32_t r = (src[0] * a + 127) / 255, g = (src[1] * a + 127) / 255, b = (src[2] * a + 127) / 255;
            row[x] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

void TqCanvas::drawImage(const orvane::Image& image, const Rect& r) {
    if (!(r.width > 0.0f) || !(r.height > 0.0f)) return;
    if (auto* dl = dynamic_cast<const DisplayListImage*>(&image)) {
        TqGroup* root = dl->getDisplayListRootNode();
        if (!root || dl->getWidth() <= 0 || dl->getHeight() <= 0) return;
        cairo_save(cr_);
        cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
        cairo_clip(cr_);
        cairo_translate(cr_, r.x, r.y);
        cairo_scale(cr_, r.width / dl->getWidth(), r.height / dl->getHeight());
        drawNode(*root);
        cairo_restore(cr_);
        return;
    }
    cairo_surface_t* s = createSurface(image);
    if (!s) {
        // A texture cannot be read back without a GPU: show a neutral box.
        fillRect(r, 0xdddddd);
        strokeRect(r, 0x999999, 1.0f, TqLineStyle::SOLID, 1.0f);
        return;
    }
    cairo_save(cr_);
    cairo_translate(cr_, r.x, r.y + r.height);
    cairo_scale(cr_, r.width / image.getWidth(), -r.height / image.getHeight());
    cairo_set_source_surface(cr_, s, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_BILINEAR);
    cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_PAD);
    cairo_rectangle(cr_, 0, 0, image.getWidth(), image.getHeight());
    cairo_clip(cr_);
    cairo_paint_with_alpha(cr_, alpha_);
    cairo_restore(cr_);
    cairo_surface_destroy(s);
}

} // namespace displaylist
