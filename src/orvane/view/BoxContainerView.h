// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/RichTextView.h"

#include <memory>

namespace orvane {

/// A container with a border, a background and an optional rich-text title
/// placed at its top-left inside the content inset.
class ORVANE_EXPORT BoxContainerView : public BaseView {
public:
    /// Creates the title view and adds it as a subview.
    virtual void initialize();
    virtual bool hasTitleContent() const;
    /// The space kept free inside the box on every side.
    virtual float getContentInset() const = 0;

    void layout() override;

    std::shared_ptr<RichTextView> getTitleView() const { return titleView_; }
    Size getPreferredTitleSize(const Rect& rect);
    /// (i, i, w - 2i, h - 2i); the origin of `rect` is not used.
    static Rect applyInset(const Rect& rect, float inset);
    std::shared_ptr<StyleChain> getStyleChain() const { return styleChain_; }
    void setStyleChain(std::shared_ptr<StyleChain> chain);

    /// Border (width 12 in pixels, colour 10) and, when asked, a background of
    /// the given colour and opacity 1 - `transparency`.
    void drawBorderAndBackground(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                                 const std::shared_ptr<StyleChain>& chain, const Rect& rect, bool drawBackground,
                                 uint32_t fillColor, float transparency, bool useRectOrigin);
    /// Background from attribute 8 (when present) with transparency 58
    /// (default 1.0), over the view's frame.
    void drawBorderAndBackground(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                                 const std::shared_ptr<StyleChain>& chain);

private:
    std::shared_ptr<StyleChain> styleChain_;
    std::shared_ptr<RichTextView> titleView_;
};

} // namespace orvane
