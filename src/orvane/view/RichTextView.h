// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/displaylist/TqRichText.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/RichTextNode.h"

#include <memory>
#include <string>
#include <vector>

namespace displaylist {
class TqRichText;
}

namespace orvane {

class Div;

/// Rich text: a RichTextNode tree whose root's children are paragraphs and
/// whose grandchildren are runs, drawn as one display-list rich-text node.
/// Runs with an action are blue, underlined and tappable: a tap selects the
/// action hit (by number, in the order the actions appear).
class ORVANE_EXPORT RichTextView : public BaseView {
public:
    RichTextView();
    static std::shared_ptr<RichTextView> create() { return std::make_shared<RichTextView>(); }
    /// A view over a div/span tree: each top-level span or div is a paragraph,
    /// nested spans its runs. Inline styles (CSS declarations in `style`) of
    /// the spans and divs around a run make its text style, the innermost
    /// first.
    static std::shared_ptr<RichTextNode> richTextFromDiv(const std::shared_ptr<Div>& div);
    /// Appends `base` to the style of every run, so that the runs' own
    /// attributes win and the rest comes from the base.
    static void applyBaseStyle(const std::shared_ptr<RichTextNode>& root, const std::shared_ptr<AttributeBundle>& base);

    void layout() override;
    Size getPreferredSize(const Size& constraint) override;
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;
    void setDisplayListRenderer(const std::shared_ptr<displaylist::DisplayListRenderer>& renderer) override;

    /// Builds the rich-text node for the rect (null without a rich text node).
    virtual displaylist::TqRichText* renderView(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                                                const Rect& rect);

    std::shared_ptr<RichTextNode> getRichTextNode() const { return richTextNode_; }
    void setRichTextNode(std::shared_ptr<RichTextNode> node);
    std::shared_ptr<std::vector<std::shared_ptr<const std::string>>> getActions() const { return actions_; }
    int getNumberOfActions() const { return numberOfActions_; }
    int getSelectedActionIndex() const { return selectedAction_; }
    /// The selected action's text, or null.
    std::shared_ptr<const std::string> getSelectedAction() const;
    /// Picks the action under the point (view coordinates); -1 when none.
    int selectAtLocation(const Point& point, bool flag);
    void setMinMaxLine(int minLine, int maxLine);
    int getMinLine() const { return minLine_; }
    int getMaxLine() const { return maxLine_; }
    bool isMetricsBoxEnabled() const { return metricsBoxEnabled_; }
    void setIsMetricsBoxEnabled(bool b);
    int getTextNodeId() const { return textNodeId_; }
    displaylist::TqRichText* getTextGeometry() const { return textGeometry_.get(); }

private:
    std::shared_ptr<RichTextNode> richTextNode_;
    displaylist::TqRef<displaylist::TqRichText> textGeometry_;
    int textNodeId_ = -1;
    std::shared_ptr<std::vector<std::shared_ptr<const std::string>>> actions_;
    int numberOfActions_ = 0;
    int selectedAction_ = -1;
    int minLine_ = 0;
    int maxLine_ = 0;
    bool metricsBoxEnabled_ = false;
};

} // namespace orvane
