// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <cfloat>
#include <memory>
#include <vector>

namespace orvane {

/// The ticks of a logarithmic axis: the major values with their exponents and
/// the minor values, each in ascending order, and the range each set spans.
class ORVANE_EXPORT LogarithmTickmarks {
public:
    /// A value range; an empty range runs from the largest to the smallest
    /// normal double and grows as values are added.
    struct ValueRange {
        double minimum = DBL_MAX;
        double maximum = DBL_MIN;
        bool isEmpty() const { return minimum > maximum; }
        void include(double v) {
            if (v < minimum) minimum = v;
            if (v > maximum) maximum = v;
        }
    };

    std::shared_ptr<std::vector<double>> majorValues = std::make_shared<std::vector<double>>();
    std::shared_ptr<std::vector<double>> majorExponents = std::make_shared<std::vector<double>>();
    std::shared_ptr<std::vector<double>> minorValues = std::make_shared<std::vector<double>>();
    ValueRange majorRange;
    ValueRange minorRange;

    static std::shared_ptr<LogarithmTickmarks> create();

    size_t getMajorCount() const { return majorValues->size(); }
    size_t getMinorCount() const { return minorValues->size(); }

    void addMajor(double exponent, double value);
    void addMinor(double value);
    /// Removes the major at an index (with its exponent) and recomputes the
    /// major range.
    void removeMajor(size_t index);
};

} // namespace orvane
