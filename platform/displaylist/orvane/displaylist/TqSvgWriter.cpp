#include "orvane/displaylist/TqSvgWriter.h"

#include "orvane/displaylist/DisplayListImage.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqLineStyle.h"
#include "orvane/host/text/Font.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/core/Utf8.h"

#include <png.h>

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

void TqSvgWriter::text(const orvane::Font& font, std::string_view family, std::string_view text, float x,
                       float baseline, uint32_t rgb, bool underline) {
    if (!font.isValid() || rgb == TQ_COLOR_NONE || text.empty()) return;
    open("text");
    if (font.getFace()->isFixedMetrics()) {
        // Fixed-metric advances belong to no real font: place every character
        // so that viewers show the same picture as the rasteriser.
        std::string xs;
        float pen = x;
        const char* p = text.data();
        const char* end = p + text.size();
        while (p < end) {
            char32_t cp = orvane::Utf8::next(p, end);
            if (cp < 0x20 && cp != U'\t') continue;  // dropped by escape()
            if (!xs.empty()) xs += ' ';
            xs += number(pen);
            pen += font.getAdvance(cp);
        }
        attr("x", xs);
    } else {
        attr("x", x);
    }
    attr("y", flipY(baseline));
    attr("font-family", family);
    attr("font-size", font.getPixelSize());
    if (font.isBold()) out_ += " font-weight=\"bold\"";
    if (font.isItalic()) out_ += " font-style=\"italic\"";
    fillAttrs(rgb);
    out_ += " xml:space=\"preserve\">";
    out_ += escape(text);
    out_ += "</text>\n";
    if (underline) {
        float w = font.measure(text);
        orvane::FontMetrics fm = font.getMetrics();
        float t = std::max(fm.underlineThickness, 1.0f);
        open("rect");
        rectAttrs({x, baseline - fm.underlinePosition - t / 2.0f, w, t});
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
