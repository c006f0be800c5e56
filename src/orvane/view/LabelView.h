// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/view/BaseView.h"

#include <memory>
#include <string>

namespace displaylist {
class TqText;
}

namespace orvane {

/// A single-style text: measured with FontTool, drawn as one text node
/// anchored by the horizontal (style attribute 49) and vertical alignment.
class ORVANE_EXPORT LabelView : public BaseView {
public:
    static constexpr int VERTICAL_TOP = 0;
    static constexpr int VERTICAL_MIDDLE = 1;
    static constexpr int VERTICAL_BOTTOM = 2;

    static std::shared_ptr<LabelView> create() { return std::make_shared<LabelView>(); }

    Size getPreferredSize(const Size& constraint) override;
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;

    std::shared_ptr<const std::string> getText() const { return text_; }
    void setText(std::shared_ptr<const std::string> text);
    void setText(const std::string& text) { setText(std::make_shared<const std::string>(text)); }
    std::shared_ptr<StyleChain> getStyleChain() const { return styleChain_; }
    void setStyleChain(std::shared_ptr<StyleChain> chain);
    Size getMaximumTextSize() const { return maximumTextSize_; }
    void setMaximumTextSize(const Size& s);
    int getVerticalAlignment() const { return verticalAlignment_; }
    void setVerticalAlignment(int a);
    unsigned int getTextFlags() const { return textFlags_; }
    void setTextFlags(unsigned int flags);
    bool getDrawBackground() const { return drawBackground_; }
    void setDrawBackground(bool b);
    bool isMetricsBoxEnabled() const { return metricsBoxEnabled_; }
    void setIsMetricsBoxEnabled(bool b);

    /// The anchor point and code (0-8) for a frame size and the two alignments.
    static int anchorFor(int horizontal, int vertical, float w, float h, Point& anchor);
    /// The text node drawn last (kept across frames while unchanged).
    displaylist::TqText* getTextNode() const { return textNode_.get(); }

private:
    void drawMetricsBox(const std::shared_ptr<displaylist::DisplayListEditor>& editor, float w, float h);

    std::shared_ptr<const std::string> text_;
    std::shared_ptr<StyleChain> styleChain_;
    Size maximumTextSize_;
    int verticalAlignment_ = VERTICAL_BOTTOM;
    unsigned int textFlags_ = 0;
    bool drawBackground_ = false;
    bool metricsBoxEnabled_ = false;
    displaylist::TqRef<displaylist::TqText> textNode_;
};

} // namespace orvane
