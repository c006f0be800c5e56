// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/ComboBoxRenderer.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/prompts/ComboBoxModel.h"

#include <algorithm>
#include <cmath>

namespace orvane {

std::shared_ptr<ComboBoxRenderer> ComboBoxRenderer::create() { return std::make_shared<ComboBoxRenderer>(); }

std::string ComboBoxRenderer::getDisplayText() const {
    auto* m = dynamic_cast<const ComboBoxModel*>(getModel().get());
    if (!m) return {};
    std::string text;
    if (auto v = m->currentValue.get()) {
        auto s = v->getFormattedValue();
        text = s ? *s : v->toString();
    } else if (auto label = m->label.get()) {
        text = *label;
    }
    if (auto measure = m->formattedMeasure.get(); measure && !measure->empty()) text += " (" + *measure + ")";
    return text;
}

Size ComboBoxRenderer::getPreferredSize(const Size&) {
    TextFont f = getTextFont();
    const int style = f.italic ? 1 : 0, weight = f.bold ? 1 : 0;
    const float w = px(10.0f) + getTextSize(getDisplayText(), f.size, style, weight, f.family).width +
                    getTextSize("_", f.size, style, weight, f.family).width + px(ARROW_AREA);
    return {std::ceil(w), getPreferredFieldHeight()};
}

Rect ComboBoxRenderer::getBoxRect() const {
    const Rect f = getFrame();
    const float h = std::min(getPreferredFieldHeight(), f.height);
    return {0.0f, f.height - h, f.width, h};
}

void ComboBoxRenderer::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    if (!beginDrawing(editor, dynamic_cast<const ComboBoxModel*>(getModel().get()) != nullptr)) return;
    const Rect f = getFrame();
    const float h = drawFieldBox(editor);
    const float arrowArea = px(ARROW_AREA);
    drawFieldText(editor, getDisplayText(), h, f.width - px(10.0f) - arrowArea);

    // The separator spans the box's height; the arrow is a "v" centred on the box.
    const uint32_t border = getStyleColor(StyleAttribute::TEXT_COLOR, 0);
    const uint32_t arrow = getStyleColor(ARROW_COLOR, 0);
    const float sx = mirrorX(f.width - arrowArea);
    editor->addLine(sx, f.height - h + 1.0f, sx, f.height - 1.0f, border);
    const float m = f.height - h / 2.0f;
    auto at = [&](float fromRight, float dy) { return Point{mirrorX(f.width - px(fromRight)), m + px(dy)}; };
    editor->addPolyline({at(26.0f, 5.0f), at(15.5f, -3.0f), at(5.0f, 5.0f)}, arrow, px(4.0f));
    editor->addPolyline({at(25.0f, 4.0f), at(15.5f, -2.0f), at(6.0f, 4.0f)}, arrow, px(3.0f));
    setFullSize(getPreferredSize({f.width, f.height}));
    BaseView::updateDisplayList(editor);
}

} // namespace orvane
