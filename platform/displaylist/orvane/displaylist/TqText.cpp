// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqText.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqSvgWriter.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/text/TextEngine.h"

#include <cmath>

namespace displaylist {

struct TqText::Cache {
    orvane::Font font;
    orvane::TextLayout layout;
    Rect box;
};

TqText::TqText(std::string text, float x, float y, int anchor) : text_(std::move(text)) {
    SetPosition(x, y);
    SetAnchor(anchor);
}

TqText::~TqText() = default;

void TqText::InvalidateCache() const { cache_.reset(); }

void TqText::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    GeometryChanged();
}

void TqText::SetPosition(float x, float y) {
    if (!checkFinite("text position", {x, y})) return;
    position_ = {x, y};
    GeometryChanged();
}

void TqText::SetAnchor(int anchor) {
    if (anchor < 0 || anchor > 8) {
        ORVANE_LOG(orvane::CLog::ERRORS, "displaylist/TqText", "Unknown anchor code " + std::to_string(anchor));
        anchor = 0;
    }
    if (anchor == anchor_) return;
    anchor_ = anchor;
    GeometryChanged();
}

void TqText::SetFontName(const std::string& family) {
    if (family == fontName_) return;
    fontName_ = family;
    GeometryChanged();
}

void TqText::SetFontSize(float points) {
    if (!checkFinite("font size", {points}) || points == fontSize_) return;
    fontSize_ = points;
    GeometryChanged();
}

void TqText::SetBold(bool bold) {
    if (bold == bold_) return;
    bold_ = bold;
    GeometryChanged();
}

void TqText::SetItalic(bool italic) {
    if (italic == italic_) return;
    italic_ = italic;
    GeometryChanged();
}

void TqText::SetMaxSize(float width, float height) {
    if (!checkFinite("maximum text size", {width, height})) return;
    Size s{std::max(width, 0.0f), std::max(height, 0.0f)};
    if (s == maxSize_) return;
    maxSize_ = s;
    GeometryChanged();
}

void TqText::SetFlags(unsigned int flags) {
    if (flags == flags_) return;
    flags_ = flags;
    GeometryChanged();
}

const TqText::Cache& TqText::cache() const {
    orvane::TextEngine& engine = orvane::TextEngine::instance();
    if (cache_ && cache_->font.getGeneration() != engine.getGeneration()) cache_.reset();
    if (!cache_) {
        auto c = std::make_unique<Cache>();
        c->font = engine.getFont(fontName_, fontSize_, bold_, italic_);
        orvane::TextLayoutOptions o;
        o.flags = flags_;
        o.maxWidth = maxSize_.width;
        o.maxHeight = maxSize_.height;
        o.rightToLeft = rightToLeft_;
        c->layout = orvane::TextLayout::compute(c->font, text_, o);
        float w = c->layout.width, h = c->layout.height;
        float fx = static_cast<float>(anchor_ % 3) * 0.5f;
        float fy = static_cast<float>(anchor_ / 3) * 0.5f;
        c->box = {position_.x - fx * w, position_.y - fy * h, w, h};
        cache_ = std::move(c);
    }
    return *cache_;
}

Size TqText::GetTextSize() const { return cache().box.size(); }
Rect TqText::GetTextBox() const { return cache().box; }
const orvane::TextLayout& TqText::GetLayout() const { return cache().layout; }
const orvane::Font& TqText::GetFont() const { return cache().font; }

Rect TqText::GetBounds() const {
    if (text_.empty()) return bounds::empty();
    return cache().box;
}

float TqText::lineX(const orvane::TextLine& line, const Rect& box) const {
    // Left alignment is start alignment: right-to-left paragraphs start at the right.
    int align = alignment_ == 0 && line.rightToLeft ? 2 : alignment_;
    return box.x + std::max(0.0f, (box.width - line.width) * static_cast<float>(align) * 0.5f);
}

void TqText::SetRightToLeft(bool rightToLeft) {
    if (rightToLeft == rightToLeft_) return;
    rightToLeft_ = rightToLeft;
    GeometryChanged();
}

bool TqText::needsClip() const {
    const Cache& c = cache();
    if (c.layout.clipped) return true;
    if (c.layout.lines.empty()) return false;
    const orvane::TextLine& last = c.layout.lines.back();
    return last.top + last.height() > c.layout.height + 1e-3f;
}

template <class Emit>
void TqText::forEachSegment(const Cache& c, Emit&& emit) const {
    for (const orvane::TextLine& line : c.layout.lines) {
        float x = lineX(line, c.box);
        float baseline = c.box.maxY() - line.baseline();
        for (uint32_t i = 0; i < line.segmentCount; ++i) {
            const orvane::TextSegment& s = c.layout.segments[line.firstSegment + i];
            emit(orvane::TextLayout::segmentText(s, text_), x + s.x, baseline, s.rightToLeft());
        }
    }
}

void TqText::Draw(TqCanvas& canvas) const {
    if (text_.empty()) return;
    const Cache& c = cache();
    if (!c.font.isValid()) return;
    if (backgroundEnabled_ && background_ != TQ_COLOR_NONE) canvas.fillRect(c.box, background_);
    bool clip = needsClip();
    if (clip) canvas.pushClip(c.box);
    forEachSegment(c, [&](std::string_view piece, float x, float baseline, bool rtl) {
        canvas.drawGlyphs(c.font, piece, x, baseline, color_, underline_, rtl);
    });
    if (clip) canvas.popClip();
}

void TqText::WriteSVG(TqSvgWriter& svg) const {
    if (text_.empty()) return;
    const Cache& c = cache();
    if (!c.font.isValid()) return;
    if (backgroundEnabled_ && background_ != TQ_COLOR_NONE) {
        svg.open("rect");
        svg.rectAttrs(c.box);
        svg.fillAttrs(background_);
        svg.closeEmpty();
    }
    bool clip = needsClip();
    if (clip) svg.beginClip(c.box);
    forEachSegment(c, [&](std::string_view piece, float x, float baseline, bool rtl) {
        svg.text(c.font, fontName_, piece, x, baseline, color_, underline_, rtl);
    });
    if (clip) svg.endClip();
}

bool TqText::HitTest(const TqPickQuery& query) const {
    return !text_.empty() && query.intersectsRect(cache().box);
}

} // namespace displaylist
