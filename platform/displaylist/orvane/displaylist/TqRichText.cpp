// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqRichText.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqSvgWriter.h"
#include "orvane/host/text/TextEngine.h"

#include <algorithm>

namespace displaylist {

struct TqRichText::Cache {
    unsigned generation = 0;
    std::vector<orvane::Font> fonts;  // per text object
    orvane::TextLayout layout;
    std::vector<Placed> placed;       // per segment
    Rect area;                        // the text area (available width x laid-out height)
    bool clip = false;
};

TqRichText::TqRichText(const Rect& rect, int nodeId) {
    SetRect(rect);
    SetNodeId(nodeId);
}

TqRichText::~TqRichText() = default;

void TqRichText::InvalidateCache() const { cache_.reset(); }

TqTextObject* TqRichText::AddTextObject(const std::string& text) {
    objects_.push_back(std::unique_ptr<TqTextObject>(new TqTextObject(this, text)));
    GeometryChanged();
    return objects_.back().get();
}

void TqRichText::RemoveAllTextObjects() {
    objects_.clear();
    GeometryChanged();
}

void TqRichText::SetRect(const Rect& rect) {
    if (!checkFinite("rich text rect", {rect.x, rect.y, rect.width, rect.height})) return;
    rect_ = bounds::normalized(rect.x, rect.y, rect.width, rect.height);
    GeometryChanged();
}

void TqRichText::SetMaxSize(float width, float height) {
    if (!checkFinite("maximum text size", {width, height})) return;
    maxSize_ = {std::max(width, 0.0f), std::max(height, 0.0f)};
    GeometryChanged();
}

void TqRichText::SetRightToLeft(bool rightToLeft) {
    if (rightToLeft == rightToLeft_) return;
    rightToLeft_ = rightToLeft;
    GeometryChanged();
}

void TqRichText::setMinMaxLine(int minLine, int maxLine) {
    minLine_ = std::max(minLine, 0);
    maxLine_ = std::max(maxLine, 0);
    GeometryChanged();
}

const TqRichText::Cache& TqRichText::cache() const {
    orvane::TextEngine& engine = orvane::TextEngine::instance();
    if (cache_ && cache_->generation != engine.getGeneration()) cache_.reset();
    if (cache_) return *cache_;
    auto c = std::make_unique<Cache>();
    c->generation = engine.getGeneration();
    c->fonts.reserve(objects_.size());
    std::vector<orvane::TextRun> runs;
    runs.reserve(objects_.size());
    for (size_t i = 0; i < objects_.size(); ++i) {
        const TqTextObject& o = *objects_[i];
        c->fonts.push_back(engine.getFont(o.GetFontName(), o.GetFontSize(), o.GetBold(), o.GetItalic()));
    }
    for (size_t i = 0; i < objects_.size(); ++i)
        runs.push_back({objects_[i]->GetText(), &c->fonts[i], i == 0 || !objects_[i]->GetContinueLine()});
    orvane::TextLayoutOptions opt;
    opt.flags = orvane::TextFlags::WRAP;
    opt.maxWidth = maxSize_.width > 0.0f ? maxSize_.width : rect_.width;
    opt.maxHeight = maxSize_.height > 0.0f ? maxSize_.height : rect_.height;
    opt.minLines = minLine_;
    opt.maxLines = maxLine_;
    opt.rightToLeft = rightToLeft_;
    c->layout = orvane::TextLayout::compute(runs.data(), runs.size(), opt);

    const orvane::TextLayout& L = c->layout;
    float available = opt.maxWidth > 0.0f ? opt.maxWidth : L.width;
    float top = rect_.maxY();
    c->area = {rect_.x, top - L.height, std::max(available, L.width), L.height};
    c->placed.resize(L.segments.size());
    for (const orvane::TextLine& line : L.lines) {
        int align = line.run < objects_.size() ? objects_[line.run]->GetAlignment() : 0;
        if (align == 0 && line.rightToLeft) align = 2;  // start alignment: the right end
        float x = rect_.x + std::max(0.0f, (available - line.width) * static_cast<float>(align) * 0.5f);
        float baseline = top - line.baseline();
        float bottom = top - line.top - line.height();
        for (uint32_t k = 0; k < line.segmentCount; ++k) {
            uint32_t si = line.firstSegment + k;
            const orvane::TextSegment& s = L.segments[si];
            c->placed[si] = {{x + s.x, bottom, s.width, line.height()}, x + s.x, baseline, si};
        }
        if (line.top + line.height() > L.height + 1e-3f) c->clip = true;
    }
    if (L.clipped) c->clip = true;
    cache_ = std::move(c);
    return *cache_;
}

std::string_view TqRichText::segmentText(const orvane::TextSegment& s) const {
    return orvane::TextLayout::segmentText(s, objects_[s.run]->GetText());
}

Size TqRichText::getTextSize() const {
    const Cache& c = cache();
    return {c.layout.width, c.layout.height};
}

const orvane::TextLayout& TqRichText::GetLayout() const { return cache().layout; }

std::vector<Rect> TqRichText::GetTextObjectBoxes(size_t index) const {
    std::vector<Rect> out;
    const Cache& c = cache();
    for (const Placed& p : c.placed)
        if (c.layout.segments[p.segment].run == index) out.push_back(p.box);
    return out;
}

Rect TqRichText::GetBounds() const {
    if (objects_.empty()) return bounds::empty();
    const Cache& c = cache();
    return c.layout.lines.empty() ? bounds::empty() : c.area;
}

void TqRichText::Draw(TqCanvas& canvas) const {
    if (objects_.empty()) return;
    const Cache& c = cache();
    if (c.clip) canvas.pushClip(c.area);
    for (const Placed& p : c.placed) {
        const orvane::TextSegment& s = c.layout.segments[p.segment];
        const TqTextObject& o = *objects_[s.run];
        if (o.IsBackgroundEnabled() && o.GetBackgroundColor() != TQ_COLOR_NONE)
            canvas.fillRect(p.box, o.GetBackgroundColor());
    }
    for (const Placed& p : c.placed) {
        const orvane::TextSegment& s = c.layout.segments[p.segment];
        const TqTextObject& o = *objects_[s.run];
        canvas.drawGlyphs(c.fonts[s.run], segmentText(s), p.x, p.baseline, o.GetColor(), o.GetUnderline(),
                          s.rightToLeft());
    }
    if (c.clip) canvas.popClip();
}

void TqRichText::WriteSVG(TqSvgWriter& svg) const {
    if (objects_.empty()) return;
    const Cache& c = cache();
    if (c.clip) svg.beginClip(c.area);
    for (const Placed& p : c.placed) {
        const orvane::TextSegment& s = c.layout.segments[p.segment];
        const TqTextObject& o = *objects_[s.run];
        if (o.IsBackgroundEnabled() && o.GetBackgroundColor() != TQ_COLOR_NONE) {
            svg.open("rect");
            svg.rectAttrs(p.box);
            svg.fillAttrs(o.GetBackgroundColor());
            svg.closeEmpty();
        }
    }
    for (const Placed& p : c.placed) {
        const orvane::TextSegment& s = c.layout.segments[p.segment];
        const TqTextObject& o = *objects_[s.run];
        svg.text(c.fonts[s.run], o.GetFontName(), segmentText(s), p.x, p.baseline, o.GetColor(), o.GetUnderline(),
                          s.rightToLeft());
    }
    if (c.clip) svg.endClip();
}

bool TqRichText::HitTest(const TqPickQuery& query) const {
    std::vector<TqSelectionInfoStruct> out;
    Pick(query, out, true);
    return !out.empty();
}

void TqRichText::Pick(const TqPickQuery& query, std::vector<TqSelectionInfoStruct>& out, bool frontMostOnly) const {
    int nodeId = GetNodeId();
    if (nodeId < 0 || !IsVisible() || objects_.empty()) return;
    const Cache& c = cache();
    if (!query.intersectsRect(c.area)) return;
    size_t first = out.size();
    for (const Placed& p : c.placed) {
        const TqTextObject& o = *objects_[c.layout.segments[p.segment].run];
        if (o.GetId() < nodeId) continue;  // no action: nothing to report
        if (!query.intersectsRect(p.box)) continue;
        TqSelectionInfoStruct hit{static_cast<unsigned int>(nodeId), static_cast<unsigned int>(o.GetId() - nodeId)};
        if (std::find(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(), hit) != out.end()) continue;
        out.push_back(hit);
        if (frontMostOnly) return;
    }
}

} // namespace displaylist
