// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/view/BaseView.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace displaylist {
class TqText;
}

namespace orvane {

class AbstractEventCallback;
class PromptModel;
class StyleChain;

/// The common part of the prompt renderers: the model it draws, the model's
/// text style with the prompt defaults (family 32 "Arial", size 31 12 pt,
/// italic 33, bold 34, text colour 19), the full size found by the last
/// drawing and the text measurement. A renderer only draws: hosts place their
/// own hit areas over the parts it draws (the geometry queries of each
/// renderer say where they are) and write the user's choice into the model.
/// Every property change of the model asks for a new layout and a redraw.
class ORVANE_EXPORT BasePromptRenderer : public BaseView {
public:
    /// The text attributes of a prompt.
    struct TextFont {
        std::string family = "Arial";
        float size = 12.0f;  ///< points
        bool italic = false;
        bool bold = false;
        uint32_t color = 0;
    };

    BasePromptRenderer();
    ~BasePromptRenderer() override;

    void setDisplayListRenderer(const std::shared_ptr<displaylist::DisplayListRenderer>& renderer) override;
    /// Stops listening to the previous model, listens to this one and asks for
    /// a layout. A model of a class this renderer does not draw is kept but
    /// draws nothing.
    virtual void setModel(const std::shared_ptr<PromptModel>& model);
    const std::shared_ptr<PromptModel>& getModel() const { return model_; }
    /// Width and height found by the last drawing (0 x 0 before it).
    Size getFullSize() const { return fullSize_; }

    /// Height of the text "heightString" in the model's font.
    float getPreferredTextHeight() const;
    /// Metrics of `text` in the font: `style` 1 is italic, `weight` 1 bold.
    static Size getTextSize(const std::string& text, float size, int style, int weight, const std::string& family);
    /// The model's text font with the prompt defaults.
    TextFont getTextFont() const;
    /// A colour of the model's style chain, `fallback` when it has none.
    uint32_t getStyleColor(int attribute, uint32_t fallback) const;
    /// Pixel constants are multiplied by the display's scale factor.
    static float px(float pixels);
    /// True when the host reads from right to left: the renderers mirror.
    static bool isRightToLeft();
    /// Height of a one-line field: the text height with room around it.
    float getPreferredFieldHeight() const;

protected:
    /// Common first step of drawing: the editor's content is cleared; false
    /// (nothing of the prompt drawn) when the model is not of the class the
    /// renderer draws. A renderer ends its drawing with the base view's step,
    /// which draws the subviews over the prompt.
    bool beginDrawing(const std::shared_ptr<displaylist::DisplayListEditor>& editor, bool modelMatches);
    /// A text node in the font. The node is marked modified only when its
    /// font, size, style or colour changed since the last drawing of `slot`.
    displaylist::TqText* addText(const std::shared_ptr<displaylist::DisplayListEditor>& editor, const std::string& text,
                                 float x, float y, int anchor, const TextFont& font, int slot);
    /// A filled rectangle with a one-pixel outline.
    void addBox(const std::shared_ptr<displaylist::DisplayListEditor>& editor, float x, float y, float w, float h,
                uint32_t fill, uint32_t outline);
    /// The box of the drop-down list and the text field: h = min(preferred
    /// field height, H); a box at (1, H - h + 1) of (W - 2) x (h - 2) in the
    /// background colour (8, white) outlined in the border colour (19, black).
    /// Answers h.
    float drawFieldBox(const std::shared_ptr<displaylist::DisplayListEditor>& editor);
    /// A field's text from x = 10, centred in the box of height h, cut at
    /// `width` pixels with an ellipsis.
    void drawFieldText(const std::shared_ptr<displaylist::DisplayListEditor>& editor, const std::string& text,
                       float h, float width);
    /// x mirrored across the view for right-to-left hosts.
    float mirrorX(float x) const;
    /// Text anchor codes mirrored (left and right swap) for right-to-left hosts.
    static int mirrorAnchor(int anchor);
    void setFullSize(Size size) { fullSize_ = size; }
    /// The model's property change, heard by the weak callback: a new layout.
    virtual void modelChanged();

private:
    std::shared_ptr<PromptModel> model_;
    std::shared_ptr<AbstractEventCallback> listener_;
    Size fullSize_{0.0f, 0.0f};
    struct TextKey {
        std::string family;
        float size = 0.0f;
        bool italic = false, bold = false;
        uint32_t color = 0;
        bool operator==(const TextKey&) const = default;
    };
    std::vector<TextKey> lastText_;
};

} // namespace orvane
