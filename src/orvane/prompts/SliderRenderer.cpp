// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/SliderRenderer.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqEllipse.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/prompts/SliderModel.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {
// Lowest fitted font size; space between texts that share a line.
constexpr float MIN_FONT_POINTS = 2.0f;
constexpr float TEXT_GAP = 6.0f;
} // namespace

const SliderModel* SliderRenderer::slider() const { return dynamic_cast<const SliderModel*>(getModel().get()); }

bool SliderRenderer::isHorizontal() const {
    const SliderModel* m = slider();
    return !m || m->isHorizontal.get();
}

Size SliderRenderer::getPreferredSize(const Size& available) {
    const float t = getPreferredTextHeight();
    const float h = isHorizontal() ? 2.0f * t + px(20.0f) + px(6.0f) : 6.0f * t + px(28.0f) + px(6.0f);
    return {std::max(0.0f, available.width), std::ceil(h)};
}

float SliderRenderer::getFitFontSize(const std::vector<std::string>& texts, float available, float minimum,
                                     float gap) const {
    TextFont f = getTextFont();
    float size = f.size;
    if (!std::isfinite(minimum) || minimum < 1.0f) minimum = 1.0f;
    for (;;) {
        float total = 0.0f;
        int shown = 0;
        for (const auto& t : texts) {
            if (t.empty()) continue;
            total += getTextSize(t, size, f.italic ? 1 : 0, f.bold ? 1 : 0, f.family).width;
            ++shown;
        }
        if (shown > 1) total += gap * static_cast<float>(shown - 1);
        if (total <= available || size - 1.0f < minimum) return size;
        size -= 1.0f;
    }
}

BasePromptRenderer::TextFont SliderRenderer::fittedFont(const std::vector<std::string>& texts) const {
    TextFont f = getTextFont();
    const Rect frame = getFrame();
    if (isHorizontal()) {
        f.size = getFitFontSize(texts, frame.width - 2.0f * px(INSET), MIN_FONT_POINTS, px(TEXT_GAP));
    } else {
        // Beside a vertical track every text has its own line.
        const float room = frame.width - px(2.0f * INSET + THUMB);
        float size = f.size;
        for (const auto& t : texts) size = std::min(size, getFitFontSize({t}, room, MIN_FONT_POINTS, 0.0f));
        f.size = size;
    }
    return f;
}

float SliderRenderer::getTrackLength() const {
    const Rect f = getFrame();
    return std::max(0.0f, (isHorizontal() ? f.width : f.height) - 2.0f * px(INSET));
}

float SliderRenderer::trackCentre() const {
    return isHorizontal() ? getFrame().height / 2.0f : px(INSET + THUMB / 2.0f);
}

float SliderRenderer::positionOfValue(double value) const {
    const SliderModel* m = slider();
    const float L = getTrackLength();
    float along = 0.0f;
    if (m) {
        const double lo = m->minimumValue.get(), r = m->maximumValue.get() - lo;
        if (r != 0.0 && std::isfinite(r) && std::isfinite(value))
            along = static_cast<float>(std::clamp(static_cast<double>(L) * (value - lo) / r, 0.0, static_cast<double>(L)));
    }
    const float p = px(INSET) + along;
    return isHorizontal() ? mirrorX(p) : p;
}

double SliderRenderer::valueAtPosition(float position) const {
    const SliderModel* m = slider();
    double lo, hi;
    if (!m || !m->getOrderedRange(lo, hi) || !std::isfinite(position)) return std::nan("");
    const float L = getTrackLength();
    if (!(L > 0.0f) || lo == hi) return lo;
    float p = isHorizontal() ? mirrorX(position) : position;
    const double t = std::clamp(static_cast<double>(p - px(INSET)) / static_cast<double>(L), 0.0, 1.0);
    const double minimum = m->minimumValue.get(), span = m->maximumValue.get() - minimum;
    return std::clamp(minimum + t * span, lo, hi);
}

void SliderRenderer::drawEnds(const std::shared_ptr<displaylist::DisplayListEditor>& editor, const TextFont& font) {
    const SliderModel* m = slider();
    const Rect f = getFrame();
    const std::string low = m->formattedMinimumValue.get() ? *m->formattedMinimumValue.get() : std::string();
    const std::string high = m->formattedMaximumValue.get() ? *m->formattedMaximumValue.get() : std::string();
    using namespace displaylist::TqAnchor;
    if (isHorizontal()) {
        const float y = f.height / 2.0f - px(INSET);
        addText(editor, low, mirrorX(px(INSET)), y, TOP_LEFT, font, 0);
        addText(editor, high, mirrorX(f.width - px(INSET)), y, TOP_RIGHT, font, 1);
    } else {
        // Beside the track's ends: the minimum at the bottom, the maximum at the top.
        const float x = mirrorX(px(2.0f * INSET + THUMB));
        addText(editor, low, x, px(INSET), MIDDLE_LEFT, font, 0);
        addText(editor, high, x, f.height - px(INSET), MIDDLE_LEFT, font, 1);
    }
}

void SliderRenderer::drawBar(const std::shared_ptr<displaylist::DisplayListEditor>& editor, float from, float to,
                             uint32_t fill) {
    const float thick = px(4.0f);
    const float a = px(INSET) + std::min(from, to), b = px(INSET) + std::max(from, to);
    auto* r = isHorizontal()
                  ? editor->addRectangle(std::min(mirrorX(a), mirrorX(b)), trackCentre() - thick / 2.0f, b - a, thick, fill)
                  : editor->addRectangle(mirrorX(trackCentre() + thick / 2.0f), a, thick, b - a, fill);
    if (!r) return;
    r->SetOutline(true);
    r->SetOutlineColor(getTextFont().color);
    r->SetOutlineWidth(1.0f);
}

void SliderRenderer::drawThumb(const std::shared_ptr<displaylist::DisplayListEditor>& editor, float along) {
    const float cx = isHorizontal() ? along : mirrorX(trackCentre());
    const float cy = isHorizontal() ? trackCentre() : along;
    const uint32_t track = getStyleColor(TRACK_COLOR, DEFAULT_TRACK_COLOR);
    const uint32_t selection = getStyleColor(SELECTION_COLOR, DEFAULT_SELECTION_COLOR);
    if (auto* outer = editor->addCircle(cx, cy, px(THUMB / 2.0f))) {
        outer->SetFillColor(track);
        outer->SetOutlineColor(getTextFont().color);
        outer->SetOutlineWidth(1.0f);
    }
    if (auto* inner = editor->addCircle(cx, cy, px(THUMB / 4.0f))) {
        inner->SetFillColor(selection);
        inner->SetOutlineColor(selection);
        inner->SetOutlineWidth(0.0f);
    }
}

void SliderRenderer::drawSelectedLabel(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                                       const std::string& text, float centre, const TextFont& font) {
    if (text.empty()) return;
    const Rect f = getFrame();
    using namespace displaylist::TqAnchor;
    if (isHorizontal()) {
        // Over the track, kept whole inside the view: centred on `centre`
        // (a view x) unless that would cut it at an end.
        const float w = getTextSize(text, font.size, font.italic ? 1 : 0, font.bold ? 1 : 0, font.family).width;
        const float lo = px(INSET) + w / 2.0f, hi = f.width - px(INSET) - w / 2.0f;
        const float x = lo > hi ? f.width / 2.0f : std::clamp(centre, lo, hi);
        auto* node = addText(editor, text, x, f.height / 2.0f + px(INSET), BOTTOM_CENTER, font, 2);
        if (node) node->SetTextAlignment(1);
    } else {
        const float h = getTextSize(text, font.size, font.italic ? 1 : 0, font.bold ? 1 : 0, font.family).height;
        const float lo = px(INSET) + h / 2.0f, hi = f.height - px(INSET) - h / 2.0f;
        const float y = lo > hi ? f.height / 2.0f : std::clamp(centre, lo, hi);
        addText(editor, text, mirrorX(px(2.0f * INSET + THUMB)), y, MIDDLE_LEFT, font, 2);
    }
}

} // namespace orvane
