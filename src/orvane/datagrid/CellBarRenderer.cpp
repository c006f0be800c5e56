// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/CellBarRenderer.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/displaylist/TqRectangle.h"

#include <algorithm>
#include <cmath>

namespace orvane {

CellBarRenderer::CellBarRenderer(float scale) : scale_(std::isfinite(scale) && scale > 0.0f ? scale : 1.0f) {}

std::shared_ptr<CellBarRenderer> CellBarRenderer::create(float scale) {
    return std::make_shared<CellBarRenderer>(scale);
}

bool CellBarRenderer::isAllPositive() const {
    return model_ && model_->maximum.get() >= 0.0f && model_->minimum.get() >= 0.0f;
}

bool CellBarRenderer::isAllNegative() const {
    return model_ && model_->maximum.get() < 0.0f && model_->minimum.get() < 0.0f;
}

float CellBarRenderer::getBarWidth(float w) const {
    if (!model_) return 0.0f;
    float value = model_->value.get(), lo = model_->minimum.get(), hi = model_->maximum.get();
    if (!std::isfinite(value) || !std::isfinite(lo) || !std::isfinite(hi)) return 0.0f;
    float usable = std::max(0.0f, w - 2.0f * PADDING * scale_);
    if (!isAllPositive() && !isAllNegative()) usable /= 2.0f;
    float range = std::max(std::fabs(hi), std::fabs(lo));
    // All values zero: only the minimum bar.
    float width = range > 0.0f ? std::fabs(value) * usable / range : 0.0f;
    return std::min(std::max(width, MIN_BAR_WIDTH * scale_), std::max(usable, MIN_BAR_WIDTH * scale_));
}

float CellBarRenderer::getX(float w) const {
    if (!model_) return 0.0f;
    float bw = getBarWidth(w);
    if (isAllNegative()) return w - bw - PADDING * scale_;
    if (isAllPositive()) return PADDING;
    return model_->value.get() >= 0.0f ? w / 2.0f : w / 2.0f - bw;
}

float CellBarRenderer::getSegmentX(float w) const {
    if (!model_ || isAllPositive()) return -1.0f;
    return isAllNegative() ? w - PADDING * scale_ : w / 2.0f;
}

void CellBarRenderer::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    if (!editor || !model_) return;
    Rect frame = getFrame();
    float w = frame.width, h = frame.height;
    float value = model_->value.get();
    if (w <= 0.0f || h <= 0.0f || !std::isfinite(value) || !std::isfinite(model_->minimum.get()) ||
        !std::isfinite(model_->maximum.get()))
        return;
    auto chain = model_->styleChain.get();
    float bh = std::min(BAR_HEIGHT * scale_, h);
    float y = h / 2.0f - bh / 2.0f;
    uint32_t color = model_->fillColor.hasValue() ? model_->fillColor.get()
                                               : (chain ? chain->getColor(24, DEFAULT_BAR_COLOR) : DEFAULT_BAR_COLOR);
    editor->addRectangle(getX(w), y, getBarWidth(w), bh, color & 0xffffffu);
    float sx = getSegmentX(w);
    if (sx >= 0.0f) {
        uint32_t line = chain ? chain->getColor(38, DEFAULT_LINE_COLOR) : DEFAULT_LINE_COLOR;
        editor->addLine(sx, y - LINE_OFFSET * scale_, sx, y + bh + LINE_OFFSET * scale_, line & 0xffffffu);
    }
}

} // namespace orvane
