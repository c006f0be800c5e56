// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/PromptUtilities.h"

#include "orvane/axis/TemporalSnapUtility.h"
#include "orvane/host/format/Formatter.h"

#include <climits>
#include <cmath>

namespace orvane {

struct PromptUtilities::Stepper {
    std::shared_ptr<TemporalSnapUtility> temporal;
    double interval = 1.0;

    Stepper(double min, double max, const std::shared_ptr<const Formatter>& formatter) {
        if (hasTemporalData(formatter)) temporal = TemporalSnapUtility::create(formatter);
        else interval = getSliderSnapInterval(min, max, formatter);
    }
    double snap(double value, double steps) const {
        if (std::isnan(value) || std::isnan(steps)) return std::nan("");
        if (temporal) return temporal->snapValue(value, std::floor(steps));
        if (!(interval > 0)) return value;
        double k = std::floor(1.0 / interval + 0.5);
        return std::floor((value + steps * interval) * k + 0.5) / k;
    }
};

bool PromptUtilities::hasTemporalData(const std::shared_ptr<const Formatter>& f) {
    return f && (f->formatsDateValues() || f->formatsDateTimeValues() || f->formatsTimeValues());
}

double PromptUtilities::getSliderSnapInterval(double min, double max, const std::shared_ptr<const Formatter>& f) {
    if (!f) return 1.0;
    double span = (std::isnan(min) || std::isnan(max) || min == max) ? 1.0 : max - min;
    if (hasTemporalData(f)) return 1.0;
    if (f->getName() == "BEST") {
        double e = std::floor(std::log10(std::fabs(span))) - 1;
        // A span that is not finite (or zero) has no decade: whole steps.
        if (!std::isfinite(e) || e > 0) return 1.0;
        return std::pow(10.0, e);
    }
    int p = f->getName() == "PERCENT" ? 2 : 0;
    return std::pow(10.0, -f->getDecimals() - p);
}

double PromptUtilities::snapSliderValue(double min, double max, const std::shared_ptr<const Formatter>& formatter,
                                        double value, double steps) {
    if (std::isnan(value) || std::isnan(steps)) return std::nan("");
    return Stepper(min, max, formatter).snap(value, steps);
}

std::shared_ptr<std::vector<double>> PromptUtilities::getSliderSnapValues(
    double min, double max, const std::shared_ptr<const Formatter>& formatter) {
    if (!std::isfinite(min) || !std::isfinite(max)) return nullptr;
    Stepper st(min, max, formatter);
    auto out = std::make_shared<std::vector<double>>();
    double v = st.snap(min, 0);
    while (v <= max) {
        if (out->size() == 500) {
            double n = std::trunc((max - min) / (v - min) * 500) + 1;
            if (!(n < MAX_SNAP_VALUES + 1.0)) return nullptr;
            if (n >= 600) out->reserve(static_cast<size_t>(n));
        }
        if (out->size() >= static_cast<size_t>(MAX_SNAP_VALUES)) return nullptr;
        out->push_back(v);
        double next = st.snap(v, 1);
        // Steps lost to rounding (huge values) would never reach max.
        if (!(next > v)) return nullptr;
        v = next;
    }
    return out;
}

int PromptUtilities::getSliderSnapValueCount(double min, double max, const std::shared_ptr<const Formatter>& formatter) {
    if (!std::isfinite(min) || !std::isfinite(max)) return 0;
    Stepper st(min, max, formatter);
    long long count = 0;
    double v = st.snap(min, 0);
    while (v <= max) {
        if (++count > MAX_SNAP_VALUES) return 0;
        double next = st.snap(v, 1);
        if (!(next > v)) return 0;
        v = next;
    }
    return static_cast<int>(count);
}

int PromptUtilities::estimateSliderSnapValueCount(double min, double max,
                                                  const std::shared_ptr<const Formatter>& formatter, int limit) {
    if (std::isnan(min) || std::isnan(max)) return 0;
    Stepper st(min, max, formatter);
    double v = st.snap(min, 0);
    int steps = 0;
    for (; steps < limit; ++steps) {
        if (v > max) return steps;
        double next = st.snap(v, 1);
        if (!(next > v)) return steps + 1;  // no progress: only this value
        v = next;
    }
    if (v > max) return steps;
    double t = std::trunc(static_cast<double>(limit) * (max - min) / (v - min));
    if (t >= -1 && t < 2147483646.0) return static_cast<int>(t) + 1;
    return INT_MAX;
}

} // namespace orvane
