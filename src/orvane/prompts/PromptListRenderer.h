// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/BasePromptRenderer.h"

namespace orvane {

/// Draws a PromptListModel on its background (8, white; outlined in the
/// border colour 10 when the style names one): one line per entry from the top, each with a
/// radio circle or a check box (0xDFDFDF, marked when the entry is ticked),
/// the entry's text and its measure right-aligned. Lines are at least 25
/// pixels high; a window of lines (setLines) is drawn, so a long list is
/// scrolled by the host.
class ORVANE_EXPORT PromptListRenderer : public BasePromptRenderer {
public:
    static constexpr uint32_t MARK_COLOR = 0xDFDFDF;
    static constexpr float MIN_LINE_HEIGHT = 25.0f;

    static std::shared_ptr<PromptListRenderer> create();

    /// Draws the entries first to end - 1. A negative first becomes 0 and an
    /// end below 1 or past the entries the number of entries.
    void setLines(int first, int end);
    int getFirstLine() const { return first_; }
    int getEndLine() const { return end_; }
    /// The number of entries (0 without a model).
    int getTotalLines() const;
    /// max(text height, 25 pixels).
    float getLineHeight() const;

    Size getPreferredSize(const Size& available) override;
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;

    /// The bottom of the k-th drawn line (k from 0), in view coordinates.
    float getLineY(int k) const;
    /// The entry whose line holds the point, or -1: where a host's row hit
    /// areas lie.
    int getItemAt(const Point& p) const;

private:
    int first_ = 0;
    int end_ = 0;
};

} // namespace orvane
