// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/BasePromptRenderer.h"

namespace orvane {

/// Draws a ComboBoxModel: a box with the chosen entry (or the label when none
/// is chosen) and its measure in brackets, a separator 31 pixels in from the
/// right and the drop-down arrow (colour 13, black) right of it.
class ORVANE_EXPORT ComboBoxRenderer : public BasePromptRenderer {
public:
    static constexpr int ARROW_COLOR = 13;
    /// Width of the arrow's part at the right end, in pixels at scale 1.
    static constexpr float ARROW_AREA = 31.0f;

    static std::shared_ptr<ComboBoxRenderer> create();

    /// The text the box shows: the current value's text, else the label, with
    /// " (measure)" when the model has a measure.
    std::string getDisplayText() const;
    Size getPreferredSize(const Size& available) override;
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;
    /// The box's rectangle in view coordinates (where a host opens the list).
    Rect getBoxRect() const;
};

} // namespace orvane
