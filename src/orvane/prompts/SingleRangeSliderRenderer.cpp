// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/SingleRangeSliderRenderer.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/prompts/SingleRangeSliderModel.h"

#include <cmath>

namespace orvane {

std::shared_ptr<SingleRangeSliderRenderer> SingleRangeSliderRenderer::create() {
    return std::make_shared<SingleRangeSliderRenderer>();
}

std::string SingleRangeSliderRenderer::getSelectedLabel() const {
    auto* m = dynamic_cast<const SingleRangeSliderModel*>(getModel().get());
    return m && m->formattedSelectedValue.get() ? *m->formattedSelectedValue.get() : std::string();
}

bool SingleRangeSliderRenderer::hasThumb() const {
    auto* m = dynamic_cast<const SingleRangeSliderModel*>(getModel().get());
    const double r = m ? m->maximumValue.get() - m->minimumValue.get() : 0.0;
    return m && r != 0.0 && std::isfinite(r);
}

float SingleRangeSliderRenderer::getThumbPosition() const {
    auto* m = dynamic_cast<const SingleRangeSliderModel*>(getModel().get());
    return m ? positionOfValue(m->selectedValue.get()) : 0.0f;
}

void SingleRangeSliderRenderer::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    auto* m = dynamic_cast<const SingleRangeSliderModel*>(getModel().get());
    if (!beginDrawing(editor, m != nullptr)) return;
    const Rect frame = getFrame();
    const std::string label = getSelectedLabel();
    const std::string low = m->formattedMinimumValue.get() ? *m->formattedMinimumValue.get() : "";
    const std::string high = m->formattedMaximumValue.get() ? *m->formattedMaximumValue.get() : "";
    const TextFont font = fittedFont({low, label, high});
    drawEnds(editor, font);
    drawBar(editor, 0.0f, getTrackLength(), getStyleColor(TRACK_COLOR, DEFAULT_TRACK_COLOR));
    if (hasThumb()) {
        drawThumb(editor, getThumbPosition());
        drawSelectedLabel(editor, label, getThumbPosition(), font);
    } else {
        drawSelectedLabel(editor, label, (isHorizontal() ? frame.width : frame.height) / 2.0f, font);
    }
    setFullSize({frame.width, frame.height});
    BaseView::updateDisplayList(editor);
}

} // namespace orvane
