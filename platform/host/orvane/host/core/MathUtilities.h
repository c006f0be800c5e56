// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <algorithm>
#include <cmath>

namespace orvane {

/// Tolerant comparisons. The tolerance is relative to the larger magnitude of the
/// two operands, with an absolute floor of the tolerance itself near zero:
///   epsilon_eq(a, b, t) == |a - b| <= t * max(1, |a|, |b|)
/// NaN is never equal to anything.
class ORVANE_HOST_EXPORT MathUtilities {
public:
    static constexpr double DOUBLE_EPSILON = 2.220446049250313e-16;

    static bool epsilon_eq(double a, double b, double tolerance = DOUBLE_EPSILON) {
        if (std::isnan(a) || std::isnan(b)) return false;
        if (a == b) return true;
        double scale = std::max({1.0, std::fabs(a), std::fabs(b)});
        return std::fabs(a - b) <= tolerance * scale;
    }
    static bool epsilon_ge(double a, double b, double tolerance = DOUBLE_EPSILON) {
        return a > b || epsilon_eq(a, b, tolerance);
    }
    static bool epsilon_le(double a, double b, double tolerance = DOUBLE_EPSILON) {
        return a < b || epsilon_eq(a, b, tolerance);
    }
    static bool epsilon_gt(double a, double b, double tolerance = DOUBLE_EPSILON) {
        return a > b && !epsilon_eq(a, b, tolerance);
    }
    static bool epsilon_lt(double a, double b, double tolerance = DOUBLE_EPSILON) {
        return a < b && !epsilon_eq(a, b, tolerance);
    }
    template <class T>
    static T clamp(T v, T lo, T hi) {
        return v < lo ? lo : (hi < v ? hi : v);
    }
};

} // namespace orvane
