// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/axis/IntervalConstants.h"
#include "orvane/axis/TimeInterval.h"

#include <memory>

#include <string>
#include <vector>

namespace orvane {

/// One rung of the ladder of tick intervals, from fine to coarse: the interval
/// to use next when ticks of the inner interval (code, up to a multiple) are too
/// dense.
class ORVANE_EXPORT IntervalDefinition {
public:
    static constexpr int ANY_MULTIPLE = -1;   ///< follows every multiple of the inner code
    static constexpr int END_OF_LADDER = -2;  ///< the last rung: nothing coarser

    IntervalDefinition(int innerCode, int largestInnerMultiple, std::string intervalName, std::string labelFormat,
                       int wideLabelWidth, int narrowLabelWidth);

    int innerCode;
    /// The largest multiple of the inner code this rung follows (or one of the
    /// two markers above).
    int largestInnerMultiple;
    std::string intervalName;
    /// Label format of the rung, eight characters, blank-padded.
    std::string labelFormat;
    /// Character widths of the wide and narrow tick labels of the rung's
    /// interval (the widths of its wide and narrow label formats).
    int wideLabelWidth;
    int narrowLabelWidth;
    /// The rung's interval, parsed from its name once (null at the end).
    std::shared_ptr<const TimeInterval> interval;

    /// The ladder in walking order; built once and kept for the process.
    static const std::vector<IntervalDefinition>& ladder();
};

} // namespace orvane
