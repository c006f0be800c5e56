// SPDX-License-Identifier: Apache-2.0
#include "orvane/view/BoxContainerView.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/style/StyleAttribute.h"

namespace orvane {

void BoxContainerView::initialize() {
    titleView_ = RichTextView::create();
    addSubview(titleView_);
}

bool BoxContainerView::hasTitleContent() const { return titleView_ && titleView_->getRichTextNode() != nullptr; }

void BoxContainerView::setStyleChain(std::shared_ptr<StyleChain> chain) {
    styleChain_ = std::move(chain);
    setNeedsUpdateDisplayList(true);
}

Rect BoxContainerView::applyInset(const Rect& rect, float inset) {
    return {inset, inset, rect.width - 2.0f * inset, rect.height - 2.0f * inset};
}

Size BoxContainerView::getPreferredTitleSize(const Rect& rect) {
    if (!titleView_) return {0.0f, 0.0f};
    return titleView_->getPreferredSize(rect.size());
}

void BoxContainerView::layout() {
    if (titleView_) {
        if (!hasTitleContent()) {
            titleView_->setFrame({0.0f, 0.0f, 0.0f, 0.0f});
            titleView_->setVisible(false);
        } else {
            const float inset = getContentInset();
            Rect f = getFrame();
            Size pref = titleView_->getPreferredSize({f.width - 2.0f * inset, f.height});
            titleView_->setVisible(true);
            titleView_->setFrame({inset, f.height - inset - pref.height, pref.width, pref.height});
        }
    }
    BaseView::layout();
}

void BoxContainerView::drawBorderAndBackground(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                                               const std::shared_ptr<StyleChain>& chain, const Rect& rect,
                                               bool drawBackground, uint32_t fillColor, float transparency,
                                               bool useRectOrigin) {
    if (!editor) return;
    float border = 0.0f;
    uint32_t borderColor = 0;
    if (chain) {
        if (auto d = chain->getDimension(StyleAttribute::BORDER_WIDTH))
            border = d->getScalarValueForUnit(DimensionUnit::PIXELS);
        borderColor = chain->getColor(StyleAttribute::BORDER_COLOR, 0);
    }
    auto styleBorder = [&](displaylist::TqRectangle* r) {
        r->SetOutline(true);
        r->SetOutlineColor(borderColor);
        r->SetOutlineWidth(border);
        r->SetLineStyle(1);
        r->SetDashFactor(1.0f);
    };
    if (!drawBackground) {
        if (!(border > 0.0f)) return;
        auto* r = editor->addRectangle(0.0f, 0.0f, rect.width, rect.height);
        styleBorder(r);
        return;
    }
    float x = useRectOrigin ? rect.x : 0.0f;
    float y = useRectOrigin ? rect.y : 0.0f;
    auto* r = editor->addRectangle(x, y, rect.width, rect.height, fillColor);
    r->SetOpacity(1.0f - transparency);
    if (border > 0.0f) styleBorder(r);
}

void BoxContainerView::drawBorderAndBackground(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                                               const std::shared_ptr<StyleChain>& chain) {
    const bool background = chain && chain->hasAttribute(StyleAttribute::BACKGROUND_COLOR);
    uint32_t fill = chain ? chain->getColor(StyleAttribute::BACKGROUND_COLOR, COLOR_NONE) : COLOR_NONE;
    float transparency = chain ? chain->getFloat(StyleAttribute::TRANSPARENCY, 1.0f) : 1.0f;
    drawBorderAndBackground(editor, chain, getFrame(), background, fill, transparency, false);
}

} // namespace orvane
