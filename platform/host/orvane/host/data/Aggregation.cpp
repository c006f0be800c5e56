// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/Aggregation.h"

#include <boost/math/distributions/students_t.hpp>

#include <algorithm>
#include <cctype>
#include <string>
#include <cmath>
#include <limits>

namespace orvane {

namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

struct NamedCode {
    int code;
    std::string_view name;
};
constexpr NamedCode kNames[] = {
    {Aggregation::SUM, "sum"},       {Aggregation::COUNT, "count"},    {Aggregation::AVERAGE, "mean"},
    {Aggregation::TOTAL, "total"},   {Aggregation::UNLABELLED_SUM, "sum"},
    {Aggregation::MINIMUM, "min"},   {Aggregation::MAXIMUM, "max"},    {Aggregation::MEDIAN, "median"},
    {Aggregation::COUNT_ALL, "n"},   {Aggregation::DISTINCT, "distinct"}, {Aggregation::STD, "std"},
    {Aggregation::STDERR, "stderr"}, {Aggregation::VARIANCE, "var"},   {Aggregation::NMISS, "nmiss"},
    {Aggregation::Q1, "q1"},         {Aggregation::Q3, "q3"},          {Aggregation::SKEW, "skew"},
    {Aggregation::KURTOSIS, "kurt"}, {Aggregation::CV, "cv"},          {Aggregation::USS, "uss"},
    {Aggregation::CSS, "css"},       {Aggregation::T, "t"},            {Aggregation::PRT, "prt"},
};

// Neumaier's compensated sum.
struct Sum {
    double s = 0, c = 0, plain = 0;
    void add(double x) {
        plain += x;
        double t = s + x;
        c += (std::fabs(s) >= std::fabs(x)) ? (s - t) + x : (x - t) + s;
        s = t;
    }
    double value() const { return std::isfinite(plain) ? s + c : plain; }
};

// Type 7 quantile of sorted-on-demand values (n > 0).
double quantile(double* v, size_t n, double p) {
    double h = static_cast<double>(n - 1) * p;
    auto lo = static_cast<size_t>(std::floor(h));
    std::nth_element(v, v + lo, v + n);
    double a = v[lo];
    if (lo + 1 >= n || h == static_cast<double>(lo)) return a;
    double b = *std::min_element(v + lo + 1, v + n);
    return a + (h - static_cast<double>(lo)) * (b - a);
}

} // namespace

bool Aggregation::isKnown(int code) {
    for (const auto& n : kNames)
        if (n.code == code) return true;
    return false;
}

std::string_view Aggregation::name(int code) {
    for (const auto& n : kNames)
        if (n.code == code) return n.name;
    return "sum";
}

int Aggregation::codeForName(std::string_view name) {
    std::string lower(name);
    for (auto& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    if (lower == "average" || lower == "avg") return AVERAGE;
    if (lower == "minimum") return MINIMUM;
    if (lower == "maximum") return MAXIMUM;
    if (lower == "variance") return VARIANCE;
    if (lower == "kurtosis") return KURTOSIS;
    if (lower == "skewness") return SKEW;
    for (const auto& n : kNames)
        if (n.name == lower) return n.code;
    return -1;
}

bool Aggregation::needsValues(int code) {
    switch (code) {
    case MEDIAN: case DISTINCT: case STD: case STDERR: case VARIANCE: case Q1: case Q3: case SKEW: case KURTOSIS:
    case CV: case USS: case CSS: case T: case PRT:
        return true;
    default:
        return false;
    }
}

bool Aggregation::isCount(int code) { return code == COUNT || code == COUNT_ALL || code == NMISS || code == DISTINCT; }

double Aggregation::Accumulator::total() const {
    return std::isfinite(plainSum) ? sum + compensation : plainSum;
}

double Aggregation::Accumulator::result(int code) const {
    switch (code) {
    case COUNT: case COUNT_ALL: return static_cast<double>(n);
    case NMISS: return static_cast<double>(missing);
    case AVERAGE: return n ? total() / static_cast<double>(n) : kMissing;
    case MINIMUM: return n ? min : kMissing;
    case MAXIMUM: return n ? max : kMissing;
    default: return n ? total() : kMissing;
    }
}

double Aggregation::compute(int code, double* values, size_t count, uint64_t missingCount) {
    // Move the missing values to the end.
    double* end = std::remove_if(values, values + count, [](double x) { return std::isnan(x); });
    const auto n = static_cast<size_t>(end - values);
    const uint64_t missing = missingCount + (count - n);
    if (!needsValues(code)) {
        Accumulator a;
        for (size_t i = 0; i < n; ++i) a.add(values[i]);
        a.missing += missing;
        return a.result(code);
    }
    if (code == DISTINCT) {
        std::sort(values, end);
        return static_cast<double>(std::unique(values, end) - values);
    }
    if (n == 0) return kMissing;
    switch (code) {
    case MEDIAN: return quantile(values, n, 0.5);
    case Q1: return quantile(values, n, 0.25);
    case Q3: return quantile(values, n, 0.75);
    case USS: {
        Sum s;
        for (size_t i = 0; i < n; ++i) s.add(values[i] * values[i]);
        return s.value();
    }
    default: break;
    }
    Sum s;
    for (size_t i = 0; i < n; ++i) s.add(values[i]);
    const double dn = static_cast<double>(n);
    const double mean = s.value() / dn;
    Sum css;
    for (size_t i = 0; i < n; ++i) css.add((values[i] - mean) * (values[i] - mean));
    const double cssv = css.value();
    if (code == CSS) return cssv;
    if (n < 2) return kMissing;
    const double var = cssv / (dn - 1);
    const double sd = std::sqrt(var);
    switch (code) {
    case VARIANCE: return var;
    case STD: return sd;
    case STDERR: return sd / std::sqrt(dn);
    case CV: return mean == 0 ? kMissing : 100.0 * sd / mean;
    case T:
    case PRT: {
        const double se = sd / std::sqrt(dn);
        if (!(se > 0) || !std::isfinite(se)) return kMissing;
        const double t = mean / se;
        if (code == T) return t;
        if (!std::isfinite(t)) return std::isnan(t) ? kMissing : 0.0;
        boost::math::students_t dist(dn - 1);
        return 2 * boost::math::cdf(boost::math::complement(dist, std::fabs(t)));
    }
    default: break;
    }
    // Skewness and kurtosis from the standardised moments.
    if (!(sd > 0) || !std::isfinite(sd)) return kMissing;
    Sum m3, m4;
    for (size_t i = 0; i < n; ++i) {
        double z = (values[i] - mean) / sd;
        m3.add(z * z * z);
        m4.add(z * z * z * z);
    }
    if (code == SKEW) {
        if (n < 3) return kMissing;
        return dn / ((dn - 1) * (dn - 2)) * m3.value();
    }
    if (n < 4) return kMissing;
    return dn * (dn + 1) / ((dn - 1) * (dn - 2) * (dn - 3)) * m4.value() -
           3 * (dn - 1) * (dn - 1) / ((dn - 2) * (dn - 3));
}

} // namespace orvane
