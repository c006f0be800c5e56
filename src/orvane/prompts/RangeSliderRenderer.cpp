// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/RangeSliderRenderer.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/displaylist/OpenGLES2DisplayListPackage.h"
#include "orvane/prompts/RangeSliderModel.h"

#include <algorithm>
#include <cmath>

namespace orvane {

std::shared_ptr<RangeSliderRenderer> RangeSliderRenderer::create() { return std::make_shared<RangeSliderRenderer>(); }

std::string RangeSliderRenderer::getSelectedLabel() const {
    auto* m = dynamic_cast<const RangeSliderModel*>(getModel().get());
    if (!m) return {};
    const std::string low = m->formattedSelectedMinimumValue.get() ? *m->formattedSelectedMinimumValue.get() : "";
    const std::string high = m->formattedSelectedMaximumValue.get() ? *m->formattedSelectedMaximumValue.get() : "";
    if (!isHorizontal()) return high + "\n" + low;
    auto pattern = ResourceManager::getString("ketra_orvane", "rangeSlider.currentValues.txt");
    return pattern ? ResourceManager::formatString(*pattern, {low, high}) : std::string();
}

bool RangeSliderRenderer::hasThumbs() const {
    auto* m = dynamic_cast<const RangeSliderModel*>(getModel().get());
    return m && m->maximumValue.get() - m->minimumValue.get() != 0.0 &&
           std::isfinite(m->maximumValue.get() - m->minimumValue.get());
}

float RangeSliderRenderer::getThumbPosition(bool upper) const {
    auto* m = dynamic_cast<const RangeSliderModel*>(getModel().get());
    if (!m) return 0.0f;
    return positionOfValue(upper ? m->selectedMaximumValue.get() : m->selectedMinimumValue.get());
}

void RangeSliderRenderer::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    auto* m = dynamic_cast<const RangeSliderModel*>(getModel().get());
    if (!beginDrawing(editor, m != nullptr)) return;
    const Rect frame = getFrame();
    const std::string label = getSelectedLabel();
    const std::string low = m->formattedMinimumValue.get() ? *m->formattedMinimumValue.get() : "";
    const std::string high = m->formattedMaximumValue.get() ? *m->formattedMaximumValue.get() : "";
    const TextFont font = fittedFont(isHorizontal() ? std::vector<std::string>{low, label, high}
                                                    : std::vector<std::string>{low, high,
                                                                               label.substr(0, label.find('\n'))});
    const uint32_t track = getStyleColor(TRACK_COLOR, DEFAULT_TRACK_COLOR);
    const uint32_t selection = getStyleColor(SELECTION_COLOR, DEFAULT_SELECTION_COLOR);
    const float L = getTrackLength();

    drawEnds(editor, font);
    if (!hasThumbs()) {
        drawBar(editor, 0.0f, L, track);
    } else {
        // Track positions (0 at the inset) of the thumbs, kept on the track.
        const double lo = m->minimumValue.get(), r = m->maximumValue.get() - lo;
        auto along = [&](double v) {
            double t = std::isfinite(v) ? static_cast<double>(L) * (v - lo) / r : 0.0;
            return static_cast<float>(std::clamp(t, 0.0, static_cast<double>(L)));
        };
        float a = along(m->selectedMinimumValue.get());
        float b = along(m->selectedMaximumValue.get()) - a;
        if (b < 0.0f) {
            a += b;
            b = -b;
        }
        drawBar(editor, 0.0f, a, track);
        drawBar(editor, a, a + b, selection);
        drawBar(editor, a + b, L, track);
        drawThumb(editor, getThumbPosition(false));
        drawThumb(editor, getThumbPosition(true));
        float centre;
        if (!isHorizontal()) {
            centre = px(INSET) + a + b / 2.0f;
        } else if (displaylist::OpenGLES2DisplayListPackage::hasInteractiveDisplay()) {
            centre = frame.width / 2.0f;
        } else {
            centre = mirrorX(px(INSET) + a + b / 2.0f);  // over the middle of the selection
        }
        drawSelectedLabel(editor, label, centre, font);
    }
    if (!hasThumbs()) drawSelectedLabel(editor, label, (isHorizontal() ? frame.width : frame.height) / 2.0f, font);
    setFullSize({frame.width, frame.height});
    BaseView::updateDisplayList(editor);
}

} // namespace orvane
