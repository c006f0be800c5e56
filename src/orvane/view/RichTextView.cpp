// SPDX-License-Identifier: Apache-2.0
#include "orvane/view/RichTextView.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/OpenGLES2DisplayListPackage.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqRichText.h"
#include "orvane/displaylist/TqTextObject.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/style/CSSParser.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/package/Div.h"
#include "orvane/package/Span.h"
#include "orvane/view/RichTextGestureHandler.h"
#include "orvane/view/TextStyle.h"

namespace orvane {

RichTextView::RichTextView() = default;

void RichTextView::setRichTextNode(std::shared_ptr<RichTextNode> node) {
    richTextNode_ = std::move(node);
    selectedAction_ = -1;
    setNeedsUpdateDisplayList(true);
}

void RichTextView::setMinMaxLine(int minLine, int maxLine) {
    minLine_ = minLine;
    maxLine_ = maxLine;
    setNeedsUpdateDisplayList(true);
}

void RichTextView::setIsMetricsBoxEnabled(bool b) {
    metricsBoxEnabled_ = b;
    setNeedsUpdateDisplayList(true);
}

std::shared_ptr<const std::string> RichTextView::getSelectedAction() const {
    if (!actions_ || selectedAction_ < 0 || static_cast<size_t>(selectedAction_) >= actions_->size()) return nullptr;
    return (*actions_)[static_cast<size_t>(selectedAction_)];
}

void RichTextView::layout() {
    if (getNeedsLayout()) {
        auto handlers = getGestureHandlers();
        if (!handlers || handlers->empty()) addGestureHandler(RichTextGestureHandler::create());
        Rect f = getFrame();
        for (auto& h : *getGestureHandlers()) h->setFrame({0.0f, 0.0f, f.width, f.height});
    }
    setNeedsUpdateDisplayList(true);
    BaseView::layout();
}

Size RichTextView::getPreferredSize(const Size& constraint) {
    if (!richTextNode_) return {0.0f, 0.0f};
    if (!textGeometry_) {
        auto editor = displaylist::DisplayListEditor::create(nullptr);
        textGeometry_ = renderView(editor, {0.0f, 0.0f, constraint.width, 2000.0f});
        if (!textGeometry_) return {0.0f, 0.0f};
    }
    textGeometry_->SetMaxSize(constraint.width, 2000.0f);
    return textGeometry_->getTextSize();
}

displaylist::TqRichText* RichTextView::renderView(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                                                  const Rect& rect) {
    if (!richTextNode_ || !editor) return nullptr;
    actions_ = std::make_shared<std::vector<std::shared_ptr<const std::string>>>();
    numberOfActions_ = 0;
    const bool interactive = displaylist::OpenGLES2DisplayListPackage::hasInteractiveDisplay();
    if (textNodeId_ < 0) textNodeId_ = displaylist::DisplayListEditor::generateUniqueDisplayNodeId(1);
    auto* node = editor->addRichText(rect, textNodeId_);
    const bool rtl = ResourceManager::getLocalizationContext()->isRTL();
    node->SetRightToLeft(rtl);
    auto paragraphs = richTextNode_->children.get();
    if (paragraphs) {
        for (const auto& paragraph : paragraphs->items()) {
            if (!paragraph) continue;
            auto runs = paragraph->children.get();
            if (!runs || runs->empty()) {
                node->AddTextObject("");
                continue;
            }
            bool first = true;
            for (const auto& run : runs->items()) {
                if (!run) continue;
                auto text = run->text.get();
                displaylist::TqTextObject* obj;
                if (!text || text->empty()) {
                    if (!interactive) continue;
                    obj = node->AddTextObject("");
                } else {
                    obj = node->AddTextObject(*text);
                }
                auto action = run->action.get();
                const bool hasAction = action && !action->empty();
                if (hasAction) {
                    obj->SetId(textNodeId_ + numberOfActions_);
                    actions_->push_back(action);
                    ++numberOfActions_;
                }
                if (!first) obj->SetContinueLine(true);
                first = false;
                auto chain = run->textStyle.get();
                TextStyle style = TextStyle::from(chain);
                obj->SetColor(hasAction ? 0xffu : style.color);
                obj->SetFontName(style.fontName);
                const bool changed = obj->GetFontSize() != style.fontSize || obj->GetBold() != style.bold ||
                                     obj->GetItalic() != style.italic;
                obj->SetFontSize(style.fontSize);
                obj->SetBold(style.bold);
                obj->SetItalic(style.italic);
                obj->SetUnderline(style.underline || hasAction);
                int alignment = style.alignment;
                if (rtl && chain && chain->hasAttribute(StyleAttribute::TEXT_ALIGN) && alignment == 0) alignment = 2;
                obj->SetAlignment(alignment);
                if (style.hasBackground) {
                    obj->SetBackgroundColor(style.background);
                    obj->SetBackgroundEnabled(true);
                }
                if (changed) node->SetModifiedFlag(true);
            }
        }
    }
    if (metricsBoxEnabled_) {
        auto* box = editor->addRectangle(rect.x, rect.y, rect.width, rect.height, 0x888888);
        box->SetOpacity(0.15f);
        box->SetOutline(true);
        box->SetOutlineColor(0xff0000);
    }
    node->setMinMaxLine(minLine_, maxLine_);
    node->SetScale(1.0f, 1.0f);
    return node;
}

void RichTextView::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    if (!editor) return;
    beginDisplayListUpdate(editor);
    Rect f = getFrame();
    textGeometry_ = renderView(editor, {0.0f, 0.0f, f.width, f.height});
    BaseView::updateDisplayList(editor);
}

void RichTextView::setDisplayListRenderer(const std::shared_ptr<displaylist::DisplayListRenderer>& renderer) {
    BaseView::setDisplayListRenderer(renderer);
    textGeometry_ = nullptr;
}

int RichTextView::selectAtLocation(const Point& point, bool) {
    auto hits = getPickedNodeIdsInAperture({point.x, point.y, 1.0f, 1.0f}, false);
    if (!hits.empty() && static_cast<int>(hits.front().nodeId) == textNodeId_ && textNodeId_ >= 0)
        selectedAction_ = static_cast<int>(hits.front().detailIndex);
    else
        selectedAction_ = -1;
    return selectedAction_;
}

namespace {
using Bundles = std::vector<std::shared_ptr<AttributeBundle>>;

// The style a div or span sets on top of the styles around it: its inline
// style (CSS declarations) first, so that it wins, then the enclosing ones.
// Declarations that cannot be read are left out; style classes name rules of
// a style sheet this conversion does not have, so they add nothing.
Bundles withStyle(const std::shared_ptr<const std::string>& css, const Bundles& outer) {
    if (!css || css->empty()) return outer;
    auto bundle = CSSParser::parse(*css);
    if (!bundle || bundle->empty()) return outer;
    Bundles out;
    out.reserve(outer.size() + 1);
    out.push_back(std::move(bundle));
    out.insert(out.end(), outer.begin(), outer.end());
    return out;
}

// Runs of a span: its own content, then its nested spans (depth first). Each
// run is styled by its span and the spans and divs around it, attribute by
// attribute, the innermost first.
void collectRuns(const std::shared_ptr<Span>& span, const std::shared_ptr<RichTextNode>& paragraph,
                 const Bundles& outer) {
    if (!span) return;
    const Bundles styles = withStyle(span->style.get(), outer);
    if (auto c = span->content.get(); c && !c->empty())
        paragraph->addChild(RichTextNode::create(*c, styles.empty() ? nullptr : StyleChain::create(styles)));
    if (auto spans = span->spans.get())
        for (const auto& s : spans->items()) collectRuns(s, paragraph, styles);
}

std::shared_ptr<RichTextNode> convertDiv(const std::shared_ptr<Div>& div, const Bundles& outer) {
    auto root = RichTextNode::create();
    if (!div) return root;
    const Bundles styles = withStyle(div->style.get(), outer);
    // The div's own spans form the first paragraph; each nested div another.
    if (auto spans = div->spans.get(); spans && !spans->empty()) {
        auto paragraph = RichTextNode::create();
        for (const auto& s : spans->items()) collectRuns(s, paragraph, styles);
        root->addChild(paragraph);
    }
    if (auto divs = div->divs.get())
        for (const auto& d : divs->items()) {
            auto inner = convertDiv(d, styles);
            if (auto paras = inner->children.get())
                for (const auto& p : paras->items()) root->addChild(p);
        }
    return root;
}
} // namespace

std::shared_ptr<RichTextNode> RichTextView::richTextFromDiv(const std::shared_ptr<Div>& div) {
    return convertDiv(div, {});
}

void RichTextView::applyBaseStyle(const std::shared_ptr<RichTextNode>& root, const std::shared_ptr<AttributeBundle>& base) {
    if (!root || !base) return;
    auto paragraphs = root->children.get();
    if (!paragraphs) return;
    for (const auto& paragraph : paragraphs->items()) {
        if (!paragraph) continue;
        auto runs = paragraph->children.get();
        if (!runs) continue;
        for (const auto& run : runs->items()) {
            if (!run) continue;
            std::vector<std::shared_ptr<AttributeBundle>> bundles;
            if (auto chain = run->textStyle.get()) bundles = chain->getBundles();
            bundles.push_back(base);
            run->textStyle.set(StyleChain::create(std::move(bundles)));
        }
    }
}

} // namespace orvane
