// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/TextFieldRenderer.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/prompts/TextFieldModel.h"

#include <algorithm>
#include <cmath>

namespace orvane {

std::shared_ptr<TextFieldRenderer> TextFieldRenderer::create() { return std::make_shared<TextFieldRenderer>(); }

Size TextFieldRenderer::getPreferredSize(const Size&) {
    auto* m = dynamic_cast<const TextFieldModel*>(getModel().get());
    TextFont f = getTextFont();
    const int style = f.italic ? 1 : 0, weight = f.bold ? 1 : 0;
    std::string text;
    if (m && m->currentValue.get()) text = m->currentValue.get()->toString();
    else if (m && m->label.get()) text = *m->label.get();
    const float w = px(10.0f) + getTextSize(text, f.size, style, weight, f.family).width +
                    getTextSize("_", f.size, style, weight, f.family).width;
    return {std::ceil(w), getPreferredFieldHeight()};
}

Rect TextFieldRenderer::getTextRect() const {
    const Rect f = getFrame();
    const float h = std::min(getPreferredFieldHeight(), f.height);
    return {px(10.0f), f.height - h, std::max(0.0f, f.width - px(20.0f)), h};
}

void TextFieldRenderer::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    auto* m = dynamic_cast<const TextFieldModel*>(getModel().get());
    if (!beginDrawing(editor, m != nullptr)) return;
    const Rect f = getFrame();
    const float h = drawFieldBox(editor);
    if (!m->currentValue.get() && m->label.get()) drawFieldText(editor, *m->label.get(), h, f.width - px(20.0f));
    setFullSize(getPreferredSize({f.width, f.height}));
    BaseView::updateDisplayList(editor);
}

} // namespace orvane
