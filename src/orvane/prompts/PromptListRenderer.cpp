// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/PromptListRenderer.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqEllipse.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/host/text/TextLayout.h"
#include "orvane/prompts/PromptListModel.h"

#include <algorithm>
#include <cmath>

namespace orvane {

std::shared_ptr<PromptListRenderer> PromptListRenderer::create() { return std::make_shared<PromptListRenderer>(); }

int PromptListRenderer::getTotalLines() const {
    auto* m = dynamic_cast<const PromptListModel*>(getModel().get());
    return m ? static_cast<int>(std::min<unsigned>(m->numberOfItems.get(), 0x7fffffffu)) : 0;
}

void PromptListRenderer::setLines(int first, int end) {
    const int n = getTotalLines();
    first_ = std::max(0, first);
    end_ = end < 1 || end > n ? n : end;
    setNeedsUpdateDisplayList(true);
}

float PromptListRenderer::getLineHeight() const {
    return std::max(getPreferredTextHeight(), px(MIN_LINE_HEIGHT));
}

Size PromptListRenderer::getPreferredSize(const Size& available) {
    return {std::max(0.0f, available.width), static_cast<float>(getTotalLines()) * getLineHeight()};
}

float PromptListRenderer::getLineY(int k) const {
    const float l = getLineHeight();
    return getFrame().height - l / 8.0f - static_cast<float>(k + 1) * l;
}

int PromptListRenderer::getItemAt(const Point& p) const {
    const float l = getLineHeight();
    const Rect f = getFrame();
    if (!(l > 0.0f) || p.x < 0.0f || p.x > f.width || !std::isfinite(p.y)) return -1;
    const float fromTop = f.height - l / 8.0f - p.y;
    if (fromTop < 0.0f) return -1;
    const double k = std::floor(static_cast<double>(fromTop) / static_cast<double>(l));
    const int end = end_ < 1 || end_ > getTotalLines() ? getTotalLines() : end_;
    const double index = static_cast<double>(first_) + k;
    return index < static_cast<double>(end) ? static_cast<int>(index) : -1;
}

void PromptListRenderer::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    auto* m = dynamic_cast<const PromptListModel*>(getModel().get());
    if (!beginDrawing(editor, m != nullptr)) return;
    const Rect f = getFrame();
    const float l = getLineHeight();
    const int n = getTotalLines();
    setFullSize({f.width, static_cast<float>(n) * l});
    // The window follows the entries when their number changed since setLines.
    if (end_ < 1 || end_ > n) end_ = n;

    auto chain = m->styleChain.get();
    const uint32_t background = getStyleColor(StyleAttribute::BACKGROUND_COLOR, 0xFFFFFF);
    const float transparency = chain ? chain->getFloat(StyleAttribute::TRANSPARENCY, 0.0f) : 0.0f;
    if (background != COLOR_NONE) {
        auto* bg = editor->addRectangle(0.0f, 0.0f, f.width, f.height, background);
        if (bg) {
            // Outlined only when the style names a border colour (a list
            // opened over other content, for one).
            const bool outline = chain && chain->hasAttribute(StyleAttribute::BORDER_COLOR);
            bg->SetOutline(outline);
            if (outline) {
                bg->SetOutlineColor(chain->getColor(StyleAttribute::BORDER_COLOR, 0) & 0xffffffu);
                bg->SetOutlineWidth(1.0f);
            }
            bg->SetOpacity(std::clamp(1.0f - transparency, 0.0f, 1.0f));
        }
    }
    const TextFont font = getTextFont();
    auto values = m->values.get();
    auto flags = m->isIndexSelected.get();
    auto measures = m->formattedMeasures.get();
    const bool radio = m->isPromptListRadio.get();
    const float markX = mirrorX(l / 2.0f + px(10.0f));
    const float textX = mirrorX(2.0f * l + px(10.0f));
    const float measureX = mirrorX(f.width - px(10.0f));
    int slot = 0;
    for (int i = first_, k = 0; i < end_; ++i, ++k) {
        const float y = getLineY(k);
        if (y < -l) break;
        const size_t at = static_cast<size_t>(i);
        const bool ticked = flags && at < flags->size() && (*flags)[at];
        const float cy = y + (l - 1.0f) / 2.0f;
        if (radio) {
            const float r = (l - 5.0f) / 2.0f;
            if (auto* c = editor->addCircle(markX, cy, r)) {
                c->SetFillColor(MARK_COLOR);
                c->SetOutlineColor(MARK_COLOR);
            }
            if (ticked)
                if (auto* dot = editor->addCircle(markX, cy, r / 2.0f)) {
                    dot->SetFillColor(font.color);
                    dot->SetOutlineColor(font.color);
                }
        } else {
            const float side = l - px(9.0f);
            addBox(editor, markX - side / 2.0f, cy - side / 2.0f, side, side, MARK_COLOR, COLOR_NONE);
            if (ticked) {
                const float s = side / 2.0f;
                editor->addPolyline({{markX - s * 0.6f, cy}, {markX - s * 0.15f, cy - s * 0.5f}, {markX + s * 0.65f, cy + s * 0.55f}},
                                    font.color, px(2.0f));
            }
        }
        std::string text;
        if (values && at < values->size() && (*values)[at]) {
            auto s = (*values)[at]->getFormattedValue();
            text = s ? *s : (*values)[at]->toString();
        }
        std::string measure;
        if (measures && at < measures->size() && (*measures)[at]) measure = *(*measures)[at];
        const float measureWidth =
            measure.empty() ? 0.0f
                            : getTextSize(measure, font.size, font.italic ? 1 : 0, font.bold ? 1 : 0, font.family).width;
        if (auto* t = addText(editor, text, textX, y + l / 2.0f, displaylist::TqAnchor::MIDDLE_LEFT, font, slot++)) {
            t->SetMaxSize(std::max(1.0f, f.width - 2.0f * l - px(20.0f) - measureWidth - (measure.empty() ? 0.0f : px(6.0f))), l);
            t->SetFlags(TextFlags::ELLIPSIS);
        }
        if (!measure.empty()) addText(editor, measure, measureX, y + l / 2.0f, displaylist::TqAnchor::MIDDLE_RIGHT, font, slot++);
    }
    BaseView::updateDisplayList(editor);
}

} // namespace orvane
