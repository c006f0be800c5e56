// SPDX-License-Identifier: Apache-2.0
#include "orvane/view/LabelView.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/text/FontTool.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/view/TextStyle.h"

namespace orvane {

void LabelView::setText(std::shared_ptr<const std::string> text) {
    text_ = std::move(text);
    setNeedsUpdateDisplayList(true);
}

void LabelView::setStyleChain(std::shared_ptr<StyleChain> chain) {
    styleChain_ = std::move(chain);
    setNeedsUpdateDisplayList(true);
}

void LabelView::setMaximumTextSize(const Size& s) {
    maximumTextSize_ = s;
    setNeedsUpdateDisplayList(true);
}

void LabelView::setVerticalAlignment(int a) {
    verticalAlignment_ = a;
    setNeedsUpdateDisplayList(true);
}

void LabelView::setTextFlags(unsigned int flags) {
    textFlags_ = flags;
    setNeedsUpdateDisplayList(true);
}

void LabelView::setDrawBackground(bool b) {
    drawBackground_ = b;
    setNeedsUpdateDisplayList(true);
}

void LabelView::setIsMetricsBoxEnabled(bool b) {
    metricsBoxEnabled_ = b;
    setNeedsUpdateDisplayList(true);
}

Size LabelView::getPreferredSize(const Size&) {
    if (!text_ || text_->empty()) return {0.0f, 0.0f};
    auto tool = FontTool::instance();
    if (!tool->setFont(styleChain_)) return {0.0f, 0.0f};
    return tool->getStringMetrics(*text_, textFlags_, maximumTextSize_.width, maximumTextSize_.height);
}

int LabelView::anchorFor(int horizontal, int vertical, float w, float h, Point& anchor) {
    if (horizontal < 0 || horizontal > 2 || vertical < 0 || vertical > 2) {
        anchor = {0.0f, 0.0f};
        return 0;
    }
    const float xs[3] = {0.0f, w / 2.0f, w};
    const float ys[3] = {h, h / 2.0f, 0.0f};  // top, middle, bottom
    anchor = {xs[horizontal], ys[vertical]};
    // Codes: 0-2 bottom, 3-5 middle, 6-8 top; left, centre, right within each.
    const int row = 2 - vertical;
    return row * 3 + horizontal;
}

void LabelView::drawMetricsBox(const std::shared_ptr<displaylist::DisplayListEditor>& editor, float w, float h) {
    auto* box = editor->addRectangle(0.0f, 0.0f, w, h, 0x888888);
    box->SetOpacity(0.15f);
    box->SetOutline(true);
    box->SetOutlineColor(0xff0000);
    auto tool = FontTool::instance();
    if (!tool->setFont(styleChain_)) return;
    FontMetrics m = tool->getFontMetrics();
    if (h > 1.5f * m.ascent) return;
    const float lines[4] = {m.baselineHeight(), m.ascentLine(), m.capHeightLine(), m.xHeightLine()};
    const uint32_t colors[4] = {0xff0000, 0xffffff, 0xff, 0xff00};
    for (int i = 0; i < 4; ++i) editor->addLine(0.0f, lines[i], w, lines[i], colors[i]);
}

void LabelView::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    if (!editor) return;
    beginDisplayListUpdate(editor);
    if (text_ && !text_->empty()) {
        Rect frame = getFrame();
        const float w = frame.width, h = frame.height;
        TextStyle style = TextStyle::from(styleChain_);
        bool backgroundDrawn = false;
        if (drawBackground_ && style.hasBackground) {
            auto* bg = editor->addRectangle(0.0f, 0.0f, w, h, style.background);
            bg->SetOpacity(1.0f - style.transparency);
            bg->SetOutline(false);
            backgroundDrawn = true;
        }
        if (metricsBoxEnabled_) drawMetricsBox(editor, w, h);
        Point anchor;
        // In a right-to-left host a left (start) aligned label starts at the right.
        const bool rtl = ResourceManager::getLocalizationContext()->isRTL();
        int code = anchorFor(rtl && style.alignment == 0 ? 2 : style.alignment, verticalAlignment_, w, h, anchor);
        auto* text = editor->addText(*text_, anchor.x, anchor.y, code);
        const bool changed = !textNode_ || textNode_->GetFontSize() != style.fontSize ||
                             textNode_->GetBold() != style.bold || textNode_->GetItalic() != style.italic ||
                             !(textNode_->GetMaxSize() == Size{w, h});
        text->SetColor(style.color);
        text->SetFontName(style.fontName);
        text->SetFontSize(style.fontSize);
        text->SetBold(style.bold);
        text->SetItalic(style.italic);
        text->SetTextAlignment(style.alignment);
        text->SetMaxSize(w, h);
        text->SetUnderline(style.underline);
        text->SetOpacity(1.0f - style.transparency);
        // A label that does not wrap is cut with an ellipsis where it ends.
        text->SetFlags((textFlags_ & TextFlags::WRAP) ? textFlags_ : (textFlags_ | TextFlags::ELLIPSIS));
        text->SetRightToLeft(rtl);
        if (!backgroundDrawn) {
            text->SetBackgroundColor(style.background);
            text->SetBackgroundEnabled(style.background != COLOR_NONE);
        }
        if (changed) text->SetModifiedFlag(true);
        textNode_ = text;
    }
    BaseView::updateDisplayList(editor);
}

} // namespace orvane
