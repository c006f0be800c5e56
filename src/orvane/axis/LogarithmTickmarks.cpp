// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/LogarithmTickmarks.h"

namespace orvane {

std::shared_ptr<LogarithmTickmarks> LogarithmTickmarks::create() { return std::make_shared<LogarithmTickmarks>(); }

void LogarithmTickmarks::addMajor(double exponent, double value) {
    majorExponents->push_back(exponent);
    majorValues->push_back(value);
    majorRange.include(value);
}

void LogarithmTickmarks::addMinor(double value) {
    minorValues->push_back(value);
    minorRange.include(value);
}

void LogarithmTickmarks::removeMajor(size_t index) {
    if (index >= majorValues->size()) return;
    majorValues->erase(majorValues->begin() + static_cast<std::ptrdiff_t>(index));
    majorExponents->erase(majorExponents->begin() + static_cast<std::ptrdiff_t>(index));
    majorRange = ValueRange();
    for (double v : *majorValues) majorRange.include(v);
}

} // namespace orvane
