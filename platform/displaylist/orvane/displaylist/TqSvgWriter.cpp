// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqSvgWriter.h"

#include "orvane/displaylist/DisplayListImage.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqLineStyle.h"
#include "orvane/host/text/Font.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/core/Utf8.h"
#include "orvane/host/text/TextShaper.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <png.h>

#include <algorithm>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace displaylist {

namespace {

std::string base64(const unsigned char* data, size_t n) {
    static const char* T = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((n + 2) / 3 * 4);
    for (size_t i = 0; i < n; i += 3) {
        uint32_t v = uint32_t(data[i]) << 16;
        if (i + 1 < n) v |= uint32_t(data[i + 1]) << 8;
        if (i + 2 < n) v |= data[i + 2];
        out += T[(v >> 18) & 63];
        out += T[(v >> 12) & 63];
        out += i + 1 < n ? T[(v >> 6) & 63] : '=';
        out += i + 2 < n ? T[v & 63] : '=';
    }
    return out;
}

// PNG bytes of the image's pixels, empty without pixels.
std::vector<unsigned char> encodePNG(const orvane::Image& image) {
    std::vector<unsigned char> bytes;
    if (!image.hasPixels() || image.getWidth() <= 0 || image.getHeight() <= 0) return bytes;
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    img.width = static_cast<png_uint_32>(image.getWidth());
    img.height = static_cast<png_uint_32>(image.getHeight());
    img.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&img, nullptr, &size, 0, image.getPixels().data(), 0, nullptr)) return bytes;
    bytes.resize(size);
    if (!png_image_write_to_memory(&img, bytes.data(), &size, 0, image.getPixels().data(), 0, nullptr)) bytes.clear();
    bytes.resize(size);
    return bytes;
}

} // namespace

TqSvgWriter::TqSvgWriter(float width, float height)
    : width_(std::isfinite(width) ? std::max(width, 0.0f) : 0.0f),
      height_(std::isfinite(height) ? std::max(height, 0.0f) : 0.0f), frameHeight_(height_) {
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\"";
    attr("width", width_);
    attr("height", height_);
    out_ += " viewBox=\"0 0 " + number(width_) + " " + number(height_) + "\">\n";
}

std::string TqSvgWriter::number(float v) {
    if (!std::isfinite(v)) return "0";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::fixed, 3);
    std::string s(buf, res.ptr);
    size_t dot = s.find('.');
    if (dot != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

std::string TqSvgWriter::color(uint32_t rgb) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%06x", rgb & 0xffffffu);
    return buf;
}

std::string TqSvgWriter::escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* start = p;
        char32_t cp = orvane::Utf8::next(p, end);
        switch (cp) {
        case U'&': out += "&amp;"; break;
        case U'<': out += "&lt;"; break;
        case U'>': out += "&gt;"; break;
        case U'"': out += "&quot;"; break;
        case U'\t': out += ' '; break;
        default:
            if (cp < 0x20 || cp == 0xfffe || cp == 0xffff) break;  // not allowed in XML
            if (cp == orvane::Utf8::REPLACEMENT && !(p - start == 3)) {
                orvane::Utf8::append(out, cp);
                break;
            }
            out.append(start, p);
        }
    }
    return out;
}

void TqSvgWriter::indent() { out_.append(static_cast<size_t>(depth_) * 2, ' '); }

void TqSvgWriter::open(const char* element) {
    indent();
    out_ += '<';
    out_ += element;
}

void TqSvgWriter::closeEmpty() { out_ += "/>\n"; }

void TqSvgWriter::attr(const char* name, float value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    out_ += number(value);
    out_ += '"';
}

void TqSvgWriter::attr(const char* name, std::string_view value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    out_ += escape(value);
    out_ += '"';
}

void TqSvgWriter::rectAttrs(const Rect& r) {
    attr("x", r.x);
    attr("y", flipY(r.y + r.height));
    attr("width", r.width);
    attr("height", r.height);
}

void TqSvgWriter::fillAttrs(uint32_t rgb, float opacity) {
    if (rgb == TQ_COLOR_NONE) {
        out_ += " fill=\"none\"";
        return;
    }
    attr("fill", color(rgb));
    float a = alpha_ * opacity;
    if (a < 1.0f) attr("fill-opacity", a);
}

void TqSvgWriter::strokeAttrs(uint32_t rgb, float width, int lineStyle, float dashFactor, float opacity) {
    if (rgb == TQ_COLOR_NONE || !(width > 0.0f)) return;
    attr("stroke", color(rgb));
    attr("stroke-width", width);
    float f = dashFactor > 0.0f ? dashFactor : 1.0f;
    float w = std::max(width, 0.5f) * f;
    std::string dash;
    switch (lineStyle) {
    case TqLineStyle::DOTTED: dash = number(w) + " " + number(2 * w); break;
    case TqLineStyle::DASHED: dash = number(4 * w) + " " + number(2 * w); break;
    case TqLineStyle::DASH_DOT:
        dash = number(4 * w) + " " + number(2 * w) + " " + number(w) + " " + number(2 * w);
        break;
    default: break;
    }
    if (!dash.empty()) attr("stroke-dasharray", dash);
    float a = alpha_ * opacity;
    if (a < 1.0f) attr("stroke-opacity", a);
}

void TqSvgWriter::nodeIdAttr(const TqGeometry& node) {
    if (node.GetNodeId() >= 0) attr("data-node-id", static_cast<float>(node.GetNodeId()));
}

void TqSvgWriter::writeNode(const TqGeometry& node) {
    if (!node.IsVisible() || node.GetOpacity() <= 0.0f) return;
    float savedAlpha = alpha_;
    alpha_ *= node.GetOpacity();
    TqTransform t = node.GetTransform();
    const TqGroup* g = node.AsGroup();
    bool wrap = !t.isIdentity() || g;
    float savedFrame = frameHeight_;
    if (wrap) {
        open("g");
        if (g) {
            out_ += " class=\"group\"";
            nodeIdAttr(node);
        }
        if (!t.isIdentity()) {
            float inner = g && g->GetSize().height > 0.0f ? g->GetSize().height : frameHeight_;
            std::string tr = "translate(" + number(t.tx) + " " + number(frameHeight_ - t.ty - t.sy * inner) + ")";
            if (t.sx != 1.0f || t.sy != 1.0f)
                tr += t.sx == t.sy ? " scale(" + number(t.sx) + ")"
                                   : " scale(" + number(t.sx) + " " + number(t.sy) + ")";
            attr("transform", tr);
            frameHeight_ = inner;
        }
        out_ += ">\n";
        ++depth_;
    }
    node.WriteSVG(*this);
    if (wrap) {
        --depth_;
        indent();
        out_ += "</g>\n";
    }
    frameHeight_ = savedFrame;
    alpha_ = savedAlpha;
}

void TqSvgWriter::beginClip(const Rect& r) {
    std::string id = "clip" + std::to_string(++clipCount_);
    open("clipPath");
    attr("id", id);
    out_ += ">";
    out_ += "<rect";
    rectAttrs(r);
    out_ += "/></clipPath>\n";
    open("g");
    attr("clip-path", "url(#" + id + ")");
    out_ += ">\n";
    ++depth_;
}

void TqSvgWriter::endClip() {
    --depth_;
    indent();
    out_ += "</g>\n";
}

namespace {

// The family list of a stretch of glyphs: the face that draws them first (a
// fallback face for characters the font lacks), then the family asked for.
std::string familyList(const orvane::FontFace* face, std::string_view requested) {
    std::string out;
    auto add = [&out](std::string_view name) {
        if (name.empty()) return;
        if (!out.empty()) out += ", ";
        bool quote = name.find_first_of(" ,") != std::string_view::npos;
        if (quote) out += '\'';
        for (char c : name)
            if (c != '\'' && c != '"') out += c;
        if (quote) out += '\'';
    };
    std::string_view drawn = face ? std::string_view(face->getFamily()) : std::string_view();
    add(drawn);
    if (requested != drawn) add(requested);
    return out;
}

struct OutlineSink {
    std::string* d;
    double ox, oy, scale;  // glyph origin in SVG space, font units to pixels
    void point(char cmd, const FT_Vector* v) {
        *d += cmd;
        *d += TqSvgWriter::number(static_cast<float>(ox + v->x * scale));
        *d += ' ';
        *d += TqSvgWriter::number(static_cast<float>(oy - v->y * scale));
    }
};

int moveTo(const FT_Vector* to, void* user) {
    auto* s = static_cast<OutlineSink*>(user);
    if (!s->d->empty()) *s->d += 'Z';
    s->point('M', to);
    return 0;
}
int lineTo(const FT_Vector* to, void* user) {
    static_cast<OutlineSink*>(user)->point('L', to);
    return 0;
}
int conicTo(const FT_Vector* c, const FT_Vector* to, void* user) {
    auto* s = static_cast<OutlineSink*>(user);
    s->point('Q', c);
    *s->d += ' ';
    s->d->append(TqSvgWriter::number(static_cast<float>(s->ox + to->x * s->scale)) + " " +
                 TqSvgWriter::number(static_cast<float>(s->oy - to->y * s->scale)));
    return 0;
}
int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* s = static_cast<OutlineSink*>(user);
    s->point('C', c1);
    for (const FT_Vector* v : {c2, to})
        s->d->append(" " + TqSvgWriter::number(static_cast<float>(s->ox + v->x * s->scale)) + " " +
                     TqSvgWriter::number(static_cast<float>(s->oy - v->y * s->scale)));
    return 0;
}

// The outline of one glyph as SVG path data, placed with its origin at (ox, oy)
// in SVG space; empty for glyphs without an outline.
std::string glyphPath(const orvane::FontFace* face, uint32_t index, float pixelSize, double ox, double oy) {
    std::string d;
    auto ft = face ? static_cast<FT_Face>(face->getDrawingFace()) : nullptr;
    // The drawing code may have left a transform on the shared face.
    if (ft) FT_Set_Transform(ft, nullptr, nullptr);
    if (!ft || FT_Load_Glyph(ft, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
        ft->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return d;
    double upem = ft->units_per_EM > 0 ? ft->units_per_EM : 1000.0;
    OutlineSink sink{&d, ox, oy, pixelSize / upem};
    FT_Outline_Funcs funcs{moveTo, lineTo, conicTo, cubicTo, 0, 0};
    FT_Outline_Decompose(&ft->glyph->outline, &funcs, &sink);
    if (!d.empty()) d += 'Z';
    return d;
}

} // namespace

void TqSvgWriter::text(const orvane::Font& font, std::string_view family, std::string_view text, float x,
                       float baseline, uint32_t rgb, bool underline, bool rightToLeft) {
    if (!font.isValid() || rgb == TQ_COLOR_NONE || text.empty()) return;
    auto shaped = orvane::TextShaper::shape(font, text, rightToLeft);
    const auto& glyphs = shaped->glyphs;
    const float size = font.getPixelSize();
    if (textAsOutlines_) {
        std::string d;
        for (const orvane::ShapedGlyph& g : glyphs)
            d += glyphPath(g.face, g.index, size, x + g.x, flipY(baseline + g.y));
        if (!d.empty()) {
            open("path");
            attr("d", d);
            fillAttrs(rgb);
            closeEmpty();
        }
    } else {
        const bool fixedMetrics = font.getFace()->isFixedMetrics();
        auto charAt = [&](uint32_t cluster) {
            const char* p = text.data() + std::min<size_t>(cluster, text.size() - 1);
            return orvane::Utf8::next(p, text.data() + text.size());
        };
        auto fixedAt = [&](size_t i) { return fixedMetrics && orvane::TextShaper::isFixedAdvance(charAt(glyphs[i].cluster)); };
        // One text element per stretch of one face (and, with fixed metrics,
        // of fixed advances, whose characters are placed one by one).
        float pen = 0.0f;
        for (size_t i = 0; i < glyphs.size();) {
            const orvane::FontFace* face = glyphs[i].face;
            const bool fixed = fixedAt(i);
            size_t j = i;
            float left = pen;
            uint32_t lo = glyphs[i].cluster, hi = glyphs[i].cluster;
            std::string xs;
            for (; j < glyphs.size() && glyphs[j].face == face && fixedAt(j) == fixed; ++j) {
                lo = std::min(lo, glyphs[j].cluster);
                hi = std::max(hi, glyphs[j].cluster);
                if (fixed) {
                    if (!xs.empty()) xs += ' ';
                    xs += number(x + pen);
                }
                pen += glyphs[j].advance;
            }
            // The stretch's characters: from its lowest cluster up to the next
            // cluster of the text.
            size_t endByte = text.size();
            for (const orvane::ShapedGlyph& g : glyphs)
                if (g.cluster > hi && g.cluster < endByte) endByte = g.cluster;
            std::string_view piece = text.substr(lo, endByte - lo);
            open("text");
            if (fixed) {
                attr("x", xs);
            } else if (rightToLeft) {
                attr("x", x + pen);  // the start of right-to-left text is its right end
            } else {
                attr("x", x + left);
            }
            attr("y", flipY(baseline));
            attr("font-family", familyList(face, family));
            attr("font-size", size);
            // The style the drawing face really has: a fallback face without
            // an italic must not be slanted by the viewer either.
            auto ft = face ? static_cast<FT_Face>(face->getDrawingFace()) : nullptr;
            long flags = ft ? ft->style_flags : 0;
            if (font.isBold() && (flags & FT_STYLE_FLAG_BOLD)) out_ += " font-weight=\"bold\"";
            if (font.isItalic() && (flags & FT_STYLE_FLAG_ITALIC)) out_ += " font-style=\"italic\"";
            if (rightToLeft && !fixed) out_ += " direction=\"rtl\" unicode-bidi=\"bidi-override\"";
            fillAttrs(rgb);
            out_ += " xml:space=\"preserve\">";
            out_ += escape(piece);
            out_ += "</text>\n";
            i = j;
        }
    }
    if (underline && shaped->width > 0.0f) {
        orvane::FontMetrics fm = font.getMetrics();
        float t = std::max(fm.underlineThickness, 1.0f);
        open("rect");
        rectAttrs({x, baseline - fm.underlinePosition - t / 2.0f, shaped->width, t});
        fillAttrs(rgb);
        closeEmpty();
    }
}

void TqSvgWriter::image(const orvane::Image& image, const Rect& r) {
    if (auto* dl = dynamic_cast<const DisplayListImage*>(&image)) {
        TqGroup* root = dl->getDisplayListRootNode();
        if (!root || dl->getWidth() <= 0 || dl->getHeight() <= 0) return;
        float sx = r.width / dl->getWidth(), sy = r.height / dl->getHeight();
        beginClip(r);
        open("g");
        std::string tr = "translate(" + number(r.x) + " " + number(flipY(r.y + r.height)) + ") scale(" +
                         number(sx) + " " + number(sy) + ")";
        attr("transform", tr);
        out_ += ">\n";
        ++depth_;
        float saved = frameHeight_;
        frameHeight_ = static_cast<float>(dl->getHeight());
        writeNode(*root);
        frameHeight_ = saved;
        --depth_;
        indent();
        out_ += "</g>\n";
        endClip();
        return;
    }
    std::vector<unsigned char> png = encodePNG(image);
    if (png.empty()) {
        open("rect");
        rectAttrs(r);
        fillAttrs(0xdddddd);
        strokeAttrs(0x999999, 1.0f, TqLineStyle::SOLID, 1.0f);
        closeEmpty();
        return;
    }
    open("image");
    rectAttrs(r);
    out_ += " preserveAspectRatio=\"none\"";
    if (alpha_ < 1.0f) attr("opacity", alpha_);
    out_ += " xlink:href=\"data:image/png;base64,";
    out_ += base64(png.data(), png.size());
    out_ += '"';
    closeEmpty();
}

std::string TqSvgWriter::finish() {
    out_ += "</svg>\n";
    return std::move(out_);
}

} // namespace displaylist
