// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"

namespace orvane {

/// Vertical metrics of a font at one pixel size. Distances are positive pixels
/// measured from the baseline (ascent upwards, descent downwards).
struct ORVANE_HOST_EXPORT FontMetrics {
    float pixelSize = 0.0f;          ///< the em size in pixels
    float ascent = 0.0f;             ///< baseline to the top of the tallest glyphs
    float descent = 0.0f;            ///< baseline to the bottom of descenders
    float lineHeight = 0.0f;         ///< ascent + descent: the advance from one line to the next
    float capHeight = 0.0f;          ///< height of flat capitals ("H")
    float xHeight = 0.0f;            ///< height of flat lower-case letters ("x")
    float underlinePosition = 0.0f;  ///< centre of the underline below the baseline (positive = below)
    float underlineThickness = 0.0f;

    /// The four reference heights a metrics box draws, measured upwards from the
    /// bottom of a line box (whose baseline sits `descent` above its bottom):
    /// baseline, x-height, cap height and ascent.
    float baselineHeight() const { return descent; }
    float xHeightLine() const { return descent + xHeight; }
    float capHeightLine() const { return descent + capHeight; }
    float ascentLine() const { return descent + ascent; }
};

} // namespace orvane
