// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/BasePromptRenderer.h"

#include <vector>

namespace orvane {

/// Draws a PromptButtonBarModel: a row (or column) of buttons sharing the
/// view, each with its value and measure centred; the pressed button in the
/// colours of the selected style chain. Colours: fill 8 (white; pressed
/// 0xBFBFBF), text 19 (black), button edges 0xBFBFBF. A row whose buttons do
/// not fit, even at the smallest button width (the width of
/// "promptbuttonbar.minlabel.txt"), runs past the right end and shows a
/// marker there (0x90B0D9).
class ORVANE_EXPORT PromptButtonBarRenderer : public BasePromptRenderer {
public:
    static constexpr uint32_t EDGE_COLOR = 0xBFBFBF;
    static constexpr uint32_t PRESSED_FILL = 0xBFBFBF;
    static constexpr uint32_t MARKER_COLOR = 0x90B0D9;

    static std::shared_ptr<PromptButtonBarRenderer> create();

    /// Each button's text: its value, with " (measure)" for a non-empty measure.
    std::vector<std::string> getButtonTexts() const;
    /// (widest text + 2, tallest text + 2).
    Size getPreferredSize(const Size& available) override;
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;

    /// The buttons' rectangles in view coordinates, in item order: where a
    /// host puts the buttons' hit areas.
    std::vector<Rect> getButtonRects() const;
    /// The button under the point, or -1.
    int getButtonAt(const Point& p) const;
    /// True when a row's buttons run past the view's end.
    bool overflows() const;
};

} // namespace orvane
