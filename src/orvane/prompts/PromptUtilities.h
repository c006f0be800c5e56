// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <memory>
#include <vector>

namespace orvane {

class Formatter;
class TemporalSnapUtility;

/// The values a slider may stop at. A formatter decides the step: whole
/// numbers or the formatter's last decimal place (percent formats two places
/// further), at most 1 for "BEST", and calendar periods (days, months,
/// quarters, years, hours, minutes, seconds) for date, time and date-time
/// formats. Without a formatter the step is 1.
class ORVANE_EXPORT PromptUtilities {
public:
    /// A list longer than this is refused (null, count 0): no slider shows it
    /// and it would take unbounded memory.
    static constexpr int MAX_SNAP_VALUES = 10'000'000;

    static double getSliderSnapInterval(double min, double max, const std::shared_ptr<const Formatter>& formatter);
    /// The value moved by `steps` intervals and put on the grid of the interval
    /// (or the period boundaries of temporal formatters). NaN for a NaN value or
    /// step count.
    static double snapSliderValue(double min, double max, const std::shared_ptr<const Formatter>& formatter,
                                  double value, double steps);
    /// Every snap value from the snap of min up to max; null for bounds that are
    /// not finite numbers, for more than MAX_SNAP_VALUES values, or when the
    /// steps stop advancing.
    static std::shared_ptr<std::vector<double>> getSliderSnapValues(double min, double max,
                                                                    const std::shared_ptr<const Formatter>& formatter);
    /// The number of values getSliderSnapValues gives (0 when it gives none).
    static int getSliderSnapValueCount(double min, double max, const std::shared_ptr<const Formatter>& formatter);
    /// The count after at most `limit` steps, extrapolated over the range when
    /// the steps have not reached max by then (2147483647 when it would overflow).
    static int estimateSliderSnapValueCount(double min, double max, const std::shared_ptr<const Formatter>& formatter,
                                            int limit);
    static bool hasTemporalData(const std::shared_ptr<const Formatter>& formatter);

private:
    /// One stepping context: the interval or the temporal snapper, made once.
    struct Stepper;
};

} // namespace orvane
