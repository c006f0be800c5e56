// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/BasePromptRenderer.h"

#include <string>
#include <vector>

namespace orvane {

class SliderModel;

/// What the two sliders share: the track geometry (a track 16 pixels shorter
/// than the view, 8 pixels in from each end, along the width when the model
/// is horizontal, else along the height), the mapping between values and
/// track positions that hosts use to place their thumb hit areas, the text
/// measurement with a font fitted to the space, the colours (track 38
/// 0xBFBFBF, selection 37 0x90B0D9, text and outlines 19 black) and the
/// preferred height (2 text lines and 26 pixels horizontal, 6 lines and 34
/// pixels vertical).
class ORVANE_EXPORT SliderRenderer : public BasePromptRenderer {
public:
    static constexpr int TRACK_COLOR = 38;
    static constexpr int SELECTION_COLOR = 37;
    static constexpr uint32_t DEFAULT_TRACK_COLOR = 0xBFBFBF;
    static constexpr uint32_t DEFAULT_SELECTION_COLOR = 0x90B0D9;
    /// Track inset at each end and thumb diameter, in pixels at scale 1.
    static constexpr float INSET = 8.0f;
    static constexpr float THUMB = 16.0f;

    /// The text under or beside the thumbs.
    virtual std::string getSelectedLabel() const { return {}; }
    Size getPreferredSize(const Size& available) override;

    /// The largest size from the model's font size down to `minimum` points,
    /// in steps of 1 point, at which the texts side by side with `gap` pixels
    /// between them fit in `available` pixels.
    float getFitFontSize(const std::vector<std::string>& texts, float available, float minimum, float gap) const;

    /// Track length L (view width or height less 16 pixels, at least 0).
    float getTrackLength() const;
    bool isHorizontal() const;
    /// Position along the track's axis of a value, in view coordinates
    /// (x for a horizontal slider, mirrored for right-to-left; y otherwise).
    /// The minimum for an empty range.
    float positionOfValue(double value) const;
    /// The value at a position along the axis, clamped to the range (not
    /// snapped). NaN without a usable range.
    double valueAtPosition(float position) const;
    /// Where a point of the view lies along the track's axis.
    float axisPosition(const Point& p) const { return isHorizontal() ? p.x : p.y; }
    /// The centre of the track line across its axis (H/2 horizontal).
    float trackCentre() const;

protected:
    const SliderModel* slider() const;
    /// The font of the slider's texts, fitted to the space.
    TextFont fittedFont(const std::vector<std::string>& texts) const;
    /// The range ends' texts and, for a vertical slider, the track line.
    void drawEnds(const std::shared_ptr<displaylist::DisplayListEditor>& editor, const TextFont& font);
    /// A thumb: a 16-pixel circle in the track colour outlined in the text
    /// colour, with an inner circle in the selection colour.
    void drawThumb(const std::shared_ptr<displaylist::DisplayListEditor>& editor, float along);
    /// A bar 4 pixels thick centred on the track line from `from` to `to`
    /// along the axis (track coordinates, 0 at the inset), outlined.
    void drawBar(const std::shared_ptr<displaylist::DisplayListEditor>& editor, float from, float to, uint32_t fill);
    /// The selected label placed over the track: centred at `centre` along
    /// the axis, kept inside the view.
    void drawSelectedLabel(const std::shared_ptr<displaylist::DisplayListEditor>& editor, const std::string& text,
                           float centre, const TextFont& font);
};

} // namespace orvane
