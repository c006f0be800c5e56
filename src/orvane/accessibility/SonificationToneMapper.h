// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/Wrappable.h"
#include "orvane/package/SonificationScale.h"
#include "orvane/package/SonificationStyle.h"

#include <memory>
#include <vector>

namespace orvane {

class SonificationTone;

/// Maps values of a range onto the tones of a scale: the range is cut into as
/// many equal bands as the scale has tones, and a value gets the tone of its
/// band. Immutable once created.
class ORVANE_EXPORT SonificationToneMapper : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10084;
    using ToneList = std::vector<std::shared_ptr<SonificationTone>>;

    /// A mapper over [minimum, maximum]. A minimum or maximum that is not a
    /// finite number, or a maximum below the minimum, gives a mapper that is
    /// not well formed. A range of (nearly) zero width maps onto the first tone.
    static std::shared_ptr<SonificationToneMapper> create(SonificationScale::type scale, SonificationStyle::type style,
                                                          double minimum, double maximum);

    /// The tone of a value: the missing-value tone for NaN; null for a value
    /// outside the range or when the mapper is not well formed. A value in the
    /// band (breakpoint i-1, breakpoint i] gets tone i-1; the minimum itself
    /// gets the first tone.
    std::shared_ptr<SonificationTone> map(double value) const;

    bool isWellFormed() const { return breakpoints_ != nullptr; }
    /// The scale's tones, lowest first (null when not well formed).
    std::shared_ptr<const ToneList> getTones() const { return tones_; }
    /// Ascending band boundaries: one more than there are tones, or just
    /// {minimum, maximum} for a range of zero width (null when not well formed).
    std::shared_ptr<const std::vector<double>> getBreakpoints() const { return breakpoints_; }

    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

private:
    std::shared_ptr<ToneList> tones_;
    std::shared_ptr<std::vector<double>> breakpoints_;
};

} // namespace orvane
