// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/SliderRenderer.h"

namespace orvane {

/// Draws a SingleRangeSliderModel: the range's ends, one track bar, one
/// thumb at the selected value and its text over the thumb (beside it when
/// vertical). A range of zero width draws the bar and no thumb.
class ORVANE_EXPORT SingleRangeSliderRenderer : public SliderRenderer {
public:
    static std::shared_ptr<SingleRangeSliderRenderer> create();

    std::string getSelectedLabel() const override;
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;

    /// Position along the axis of the thumb, in view coordinates.
    float getThumbPosition() const;
    bool hasThumb() const;
};

} // namespace orvane
