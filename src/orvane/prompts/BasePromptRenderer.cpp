// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/BasePromptRenderer.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/AbstractProperty.h"
#include "orvane/host/io/LocalizationContext.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/text/TextLayout.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/host/text/FontTool.h"
#include "orvane/prompts/PromptModel.h"

#include <algorithm>
#include <cmath>

namespace orvane {

BasePromptRenderer::BasePromptRenderer() = default;

BasePromptRenderer::~BasePromptRenderer() {
    if (model_ && listener_) model_->removeEventListener(AbstractProperty::CHANGE_EVENT, listener_);
}

void BasePromptRenderer::setDisplayListRenderer(const std::shared_ptr<displaylist::DisplayListRenderer>& renderer) {
    BaseView::setDisplayListRenderer(renderer);
    // A prompt is redrawn whole on every change; it keeps no selection
    // animation of its own.
    setShouldShowSelectionAnimation(false);
}

void BasePromptRenderer::setModel(const std::shared_ptr<PromptModel>& model) {
    if (model_ && listener_) model_->removeEventListener(AbstractProperty::CHANGE_EVENT, listener_);
    model_ = model;
    if (model_) {
        std::weak_ptr<BasePromptRenderer> weak = std::dynamic_pointer_cast<BasePromptRenderer>(shared_from_this());
        listener_ = FunctionEventCallback::create([weak](const std::shared_ptr<PortableEvent>&) {
            if (auto self = weak.lock()) self->modelChanged();
        });
        model_->addEventListener(AbstractProperty::CHANGE_EVENT, listener_);
    }
    modelChanged();
}

void BasePromptRenderer::modelChanged() {
    setNeedsLayout(true);
    setNeedsUpdateDisplayList(true);
}

BasePromptRenderer::TextFont BasePromptRenderer::getTextFont() const {
    TextFont f;
    auto chain = model_ ? model_->styleChain.get() : nullptr;
    if (!chain) return f;
    f.family = chain->getStringValue(StyleAttribute::FONT_FAMILY, "Arial");
    if (f.family.empty()) f.family = "Arial";
    auto d = chain->getDimension(StyleAttribute::FONT_SIZE);
    float size = d ? d->getScalarValueForUnit(DimensionUnit::POINTS) : 12.0f;
    f.size = std::isfinite(size) && size > 0.0f && size <= 400.0f ? size : 12.0f;
    f.italic = chain->getInt(StyleAttribute::FONT_ITALIC, 0) == 1;
    f.bold = chain->getInt(StyleAttribute::FONT_BOLD, 0) == 1;
    f.color = chain->getColor(StyleAttribute::TEXT_COLOR, 0) & 0xffffffu;
    return f;
}

uint32_t BasePromptRenderer::getStyleColor(int attribute, uint32_t fallback) const {
    auto chain = model_ ? model_->styleChain.get() : nullptr;
    uint32_t c = chain ? chain->getColor(attribute, fallback) : fallback;
    return c == COLOR_NONE ? c : (c & 0xffffffu);
}

Size BasePromptRenderer::getTextSize(const std::string& text, float size, int style, int weight,
                                     const std::string& family) {
    auto tool = FontTool::instance();
    if (!tool->setFont(family, size, style == 1, weight == 1)) return {0.0f, 0.0f};
    return tool->getStringMetrics(text);
}

float BasePromptRenderer::getPreferredTextHeight() const {
    TextFont f = getTextFont();
    return getTextSize("heightString", f.size, f.italic ? 1 : 0, f.bold ? 1 : 0, f.family).height;
}

float BasePromptRenderer::px(float pixels) {
    float s = ResourceManager::getDPIScaleFactor();
    return pixels * (std::isfinite(s) && s > 0.0f ? s : 1.0f);
}

bool BasePromptRenderer::isRightToLeft() {
    auto c = ResourceManager::getLocalizationContext();
    return c && c->isRTL();
}

float BasePromptRenderer::mirrorX(float x) const { return isRightToLeft() ? getFrame().width - x : x; }

int BasePromptRenderer::mirrorAnchor(int anchor) {
    if (!isRightToLeft()) return anchor;
    const int column = anchor % 3;
    return anchor - column + (2 - column);
}

bool BasePromptRenderer::beginDrawing(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                                      bool modelMatches) {
    if (!editor) return false;
    beginDisplayListUpdate(editor);
    if (modelMatches) return true;
    BaseView::updateDisplayList(editor);  // subviews only
    return false;
}

displaylist::TqText* BasePromptRenderer::addText(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                                                 const std::string& text, float x, float y, int anchor,
                                                 const TextFont& font, int slot) {
    auto* node = editor->addText(text, x, y, mirrorAnchor(anchor));
    if (!node) return nullptr;
    node->SetFontName(font.family);
    node->SetFontSize(font.size);
    node->SetItalic(font.italic);
    node->SetBold(font.bold);
    node->SetColor(font.color);
    node->SetRightToLeft(isRightToLeft());
    if (slot < 0) slot = 0;
    if (static_cast<size_t>(slot) >= lastText_.size()) lastText_.resize(static_cast<size_t>(slot) + 1);
    TextKey key{font.family, font.size, font.italic, font.bold, font.color};
    const bool changed = !(lastText_[static_cast<size_t>(slot)] == key);
    lastText_[static_cast<size_t>(slot)] = key;
    node->SetModifiedFlag(changed);
    return node;
}

void BasePromptRenderer::addBox(const std::shared_ptr<displaylist::DisplayListEditor>& editor, float x, float y,
                                float w, float h, uint32_t fill, uint32_t outline) {
    auto* r = editor->addRectangle(x, y, std::max(0.0f, w), std::max(0.0f, h), fill);
    if (!r) return;
    r->SetOutline(outline != COLOR_NONE);
    if (outline != COLOR_NONE) {
        r->SetOutlineColor(outline);
        r->SetOutlineWidth(1.0f);
    }
}

float BasePromptRenderer::getPreferredFieldHeight() const {
    return std::ceil(getPreferredTextHeight() + px(12.0f));
}

float BasePromptRenderer::drawFieldBox(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    const Rect f = getFrame();
    const float h = std::min(getPreferredFieldHeight(), f.height);
    addBox(editor, 1.0f, f.height - h + 1.0f, f.width - 2.0f, h - 2.0f,
           getStyleColor(StyleAttribute::BACKGROUND_COLOR, 0xFFFFFF), getStyleColor(StyleAttribute::TEXT_COLOR, 0));
    return h;
}

void BasePromptRenderer::drawFieldText(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                                       const std::string& text, float h, float width) {
    if (text.empty() || !(width > 0.0f)) return;
    const Rect f = getFrame();
    auto* node = addText(editor, text, mirrorX(px(10.0f)), f.height - h / 2.0f, displaylist::TqAnchor::MIDDLE_LEFT,
                         getTextFont(), 0);
    if (!node) return;
    node->SetMaxSize(width, h);
    node->SetFlags(TextFlags::ELLIPSIS);
}

} // namespace orvane
