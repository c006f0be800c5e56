// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/PromptButtonBarRenderer.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/host/text/TextLayout.h"
#include "orvane/prompts/PromptButtonBarModel.h"

#include <algorithm>
#include <cmath>

namespace orvane {

std::shared_ptr<PromptButtonBarRenderer> PromptButtonBarRenderer::create() {
    return std::make_shared<PromptButtonBarRenderer>();
}

std::vector<std::string> PromptButtonBarRenderer::getButtonTexts() const {
    std::vector<std::string> out;
    auto* m = dynamic_cast<const PromptButtonBarModel*>(getModel().get());
    if (!m) return out;
    auto values = m->values.get();
    auto measures = m->formattedMeasures.get();
    const size_t n = std::min<size_t>(m->numberOfItems.get(), values ? values->size() : 0);
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        std::string text;
        if (const auto& v = (*values)[i]) {
            auto s = v->getFormattedValue();
            text = s ? *s : v->toString();
        }
        if (measures && i < measures->size() && (*measures)[i] && !(*measures)[i]->empty())
            text += " (" + *(*measures)[i] + ")";
        out.push_back(std::move(text));
    }
    return out;
}

namespace {
struct Measured {
    std::vector<float> widths;
    float widest = 0.0f, tallest = 0.0f, sum = 0.0f;
};
} // namespace

static Measured measure(const std::vector<std::string>& texts, const BasePromptRenderer::TextFont& f) {
    Measured m;
    for (const auto& t : texts) {
        Size s = BasePromptRenderer::getTextSize(t, f.size, f.italic ? 1 : 0, f.bold ? 1 : 0, f.family);
        m.widths.push_back(s.width);
        m.widest = std::max(m.widest, s.width);
        m.tallest = std::max(m.tallest, s.height);
        m.sum += s.width;
    }
    return m;
}

Size PromptButtonBarRenderer::getPreferredSize(const Size&) {
    Measured m = measure(getButtonTexts(), getTextFont());
    return {std::ceil(m.widest + 2.0f), std::ceil(m.tallest + 2.0f)};
}

std::vector<Rect> PromptButtonBarRenderer::getButtonRects() const {
    std::vector<Rect> rects;
    auto* model = dynamic_cast<const PromptButtonBarModel*>(getModel().get());
    if (!model) return rects;
    const TextFont font = getTextFont();
    Measured m = measure(getButtonTexts(), font);
    const size_t n = m.widths.size();
    if (n == 0) return rects;
    const Rect f = getFrame();
    const float count = static_cast<float>(n);
    if (model->isHorizonal.get()) {
        const float avail = std::max(0.0f, f.width - 2.0f);
        auto minLabel = ResourceManager::getString("ketra_orvane", "promptbuttonbar.minlabel.txt");
        const float minWidth = minLabel ? getTextSize(*minLabel, font.size, font.italic ? 1 : 0, font.bold ? 1 : 0,
                                                      font.family).width
                                        : 0.0f;
        std::vector<float> widths(n);
        if (m.sum <= avail && avail <= count * m.widest) {
            for (size_t i = 0; i < n; ++i) widths[i] = m.widths[i] + (avail - m.sum) / count;
        } else if (avail > count * m.widest) {
            std::fill(widths.begin(), widths.end(), avail / count);
        } else {
            std::fill(widths.begin(), widths.end(), std::max(avail / count, minWidth));
        }
        float x = 1.0f;
        for (size_t i = 0; i < n; ++i) {
            Rect r{x, 1.0f, widths[i], std::max(0.0f, f.height - 2.0f)};
            if (isRightToLeft()) r.x = f.width - r.x - r.width;
            rects.push_back(r);
            x += widths[i];
        }
    } else {
        const float h = std::max((f.height - 2.0f) / count, m.tallest);
        float top = f.height - 1.0f;
        for (size_t i = 0; i < n; ++i) {
            rects.push_back({1.0f, top - h, std::max(0.0f, f.width - 2.0f), h});
            top -= h;
        }
    }
    return rects;
}

bool PromptButtonBarRenderer::overflows() const {
    auto rects = getButtonRects();
    if (rects.empty()) return false;
    const Rect f = getFrame();
    for (const Rect& r : rects)
        if (r.x < 0.5f || r.x + r.width > f.width - 0.5f || r.y < -0.5f) return true;
    return false;
}

int PromptButtonBarRenderer::getButtonAt(const Point& p) const {
    auto rects = getButtonRects();
    const Rect f = getFrame();
    if (p.x < 0.0f || p.y < 0.0f || p.x > f.width || p.y > f.height) return -1;
    for (size_t i = 0; i < rects.size(); ++i)
        if (rects[i].contains(p)) return static_cast<int>(i);
    return -1;
}

void PromptButtonBarRenderer::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    auto* m = dynamic_cast<const PromptButtonBarModel*>(getModel().get());
    if (!beginDrawing(editor, m != nullptr)) return;
    const Rect f = getFrame();
    const auto texts = getButtonTexts();
    const auto rects = getButtonRects();
    const TextFont font = getTextFont();
    auto pressedChain = m->selectedStyleChain.get();
    TextFont pressedFont = font;
    if (pressedChain) pressedFont.color = pressedChain->getColor(StyleAttribute::TEXT_COLOR, font.color) & 0xffffffu;
    const uint32_t fill = getStyleColor(StyleAttribute::BACKGROUND_COLOR, 0xFFFFFF);
    const uint32_t pressedFill = pressedChain ? pressedChain->getColor(StyleAttribute::BACKGROUND_COLOR, PRESSED_FILL)
                                              : PRESSED_FILL;
    for (size_t i = 0; i < rects.size() && i < texts.size(); ++i) {
        const Rect& r = rects[i];
        if (r.x > f.width || r.x + r.width < 0.0f) continue;  // past the end of an overflowing row
        const bool pressed = m->selectedIndex.get() == static_cast<int>(i);
        addBox(editor, r.x, r.y, r.width, r.height, pressed ? pressedFill : fill, EDGE_COLOR);
        if (auto* t = addText(editor, texts[i], r.x + r.width / 2.0f, r.y + r.height / 2.0f,
                              displaylist::TqAnchor::CENTER, pressed ? pressedFont : font, static_cast<int>(i))) {
            t->SetMaxSize(std::max(1.0f, r.width - px(4.0f)), r.height);
            t->SetTextAlignment(1);
            t->SetFlags(TextFlags::ELLIPSIS);
        }
    }
    if (m->isHorizonal.get() && overflows()) {
        // More buttons lie past the end: a marker at the end says so.
        const float w = px(4.0f);
        addBox(editor, isRightToLeft() ? 0.0f : f.width - w, 0.0f, w, f.height, MARKER_COLOR, COLOR_NONE);
    }
    Measured all = measure(texts, font);
    setFullSize(m->isHorizonal.get() ? Size{rects.empty() ? 0.0f : rects.back().x + rects.back().width + 1.0f, f.height}
                                     : Size{f.width, all.tallest * static_cast<float>(texts.size()) + 2.0f});
    BaseView::updateDisplayList(editor);
}

} // namespace orvane
