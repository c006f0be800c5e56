// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/SliderRenderer.h"

namespace orvane {

/// Draws a RangeSliderModel: the range's ends, the track in three bars (the
/// stretch between the thumbs in the selection colour), two thumbs and the
/// selected range's text ("rangeSlider.currentValues.txt"). A range of zero
/// width draws one track bar and no thumbs.
class ORVANE_EXPORT RangeSliderRenderer : public SliderRenderer {
public:
    static std::shared_ptr<RangeSliderRenderer> create();

    std::string getSelectedLabel() const override;
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;

    /// Position along the axis of the lower (false) or upper (true) thumb, in
    /// view coordinates: where a host puts the thumb's hit area.
    float getThumbPosition(bool upper) const;
    /// False for a range of zero width: there are no thumbs to take hold of.
    bool hasThumbs() const;
};

} // namespace orvane
