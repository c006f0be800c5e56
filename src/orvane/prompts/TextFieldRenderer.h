// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/BasePromptRenderer.h"

namespace orvane {

/// Draws a TextFieldModel: the box of a drop-down list without its arrow,
/// and the label as a placeholder while the field holds no text. The text
/// typed is shown by the host's editor over the box (getTextRect).
class ORVANE_EXPORT TextFieldRenderer : public BasePromptRenderer {
public:
    static std::shared_ptr<TextFieldRenderer> create();

    Size getPreferredSize(const Size& available) override;
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;
    /// Where the host's editor shows the text: the box less 10 pixels at
    /// each side, in view coordinates.
    Rect getTextRect() const;
};

} // namespace orvane
