// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvane {

/// The aggregation codes of measure columns and how each is computed from the
/// values of the source rows of a crossing (never from sub-aggregates, so the
/// totals and subtotals of averages, medians, quartiles and distinct counts are
/// exact).
///
/// Missing values (NaN) are left out of every statistic and counted by
/// NMISS. Infinities are values: they take part as IEEE arithmetic says (a sum
/// of +inf and -inf is NaN, which the crosstab shows as missing). A statistic
/// without enough values (a mean of none, a variance of one) is missing.
///
/// Definitions, as SAS PROC MEANS (VARDEF=DF) and pandas compute them:
///   N = non-missing count; mean = sum / N;
///   VAR = CSS / (N - 1); STD = sqrt(VAR); STDERR = STD / sqrt(N);
///   CSS = sum (x - mean)^2 (two passes); USS = sum x^2; CV = 100 * STD / mean;
///   SKEW = N / ((N-1)(N-2)) * sum ((x - mean) / STD)^3   (adjusted Fisher-Pearson, N >= 3);
///   KURT = N(N+1) / ((N-1)(N-2)(N-3)) * sum ((x - mean) / STD)^4
///          - 3 (N-1)^2 / ((N-2)(N-3))                   (excess kurtosis, N >= 4);
///   T = mean / STDERR; PRT = two-sided p-value of T in Student's t distribution
///   with N - 1 degrees of freedom (Boost.Math);
///   median, Q1, Q3: linear interpolation between order statistics at
///   (N - 1) p (Hyndman and Fan type 7, the default of R, NumPy and pandas);
///   distinct count: the number of different non-missing values.
/// Sums use compensated (Neumaier) summation.
class ORVANE_HOST_EXPORT Aggregation {
public:
    enum Code : int {
        SUM = 0, COUNT = 1, AVERAGE = 2, TOTAL = 3, UNLABELLED_SUM = 4, MINIMUM = 5, MAXIMUM = 6, MEDIAN = 7,
        COUNT_ALL = 8, DISTINCT = 9, STD = 10, STDERR = 11, VARIANCE = 12, NMISS = 14, Q1 = 15, Q3 = 16,
        SKEW = 17, KURTOSIS = 18, CV = 19, USS = 20, CSS = 21, T = 22, PRT = 23
    };

    /// False for codes outside the list above (they aggregate as sums).
    static bool isKnown(int code);
    /// The code's short name ("sum", "mean", ...), and the code of a name or -1.
    static std::string_view name(int code);
    static int codeForName(std::string_view name);
    /// True when the code needs the values themselves (order statistics,
    /// distinct values and moments), false when running sums serve.
    static bool needsValues(int code);
    /// True for counts, which apply to text measures as well.
    static bool isCount(int code);

    /// Running sums for the codes that do not need the values.
    struct Accumulator {
        double sum = 0, compensation = 0, plainSum = 0;
        double min = 0, max = 0;
        uint64_t n = 0, missing = 0;
        void add(double x) {
            if (x != x) {
                ++missing;
                return;
            }
            if (n == 0) min = max = x;
            else {
                if (x < min) min = x;
                if (x > max) max = x;
            }
            ++n;
            plainSum += x;
            double t = sum + x;
            compensation += ((sum < 0 ? -sum : sum) >= (x < 0 ? -x : x)) ? (sum - t) + x : (x - t) + sum;
            sum = t;
        }
        /// Adds the running sums of other rows (exact for counts, minima and
        /// maxima; the sums stay compensated).
        void merge(const Accumulator& o) {
            if (!o.n) {
                missing += o.missing;
                return;
            }
            if (!n) {
                min = o.min;
                max = o.max;
            } else {
                if (o.min < min) min = o.min;
                if (o.max > max) max = o.max;
            }
            n += o.n;
            missing += o.missing;
            plainSum += o.plainSum;
            const double x = o.sum;
            double t = sum + x;
            compensation += ((sum < 0 ? -sum : sum) >= (x < 0 ? -x : x)) ? (sum - t) + x : (x - t) + sum;
            sum = t;
            compensation += o.compensation;
        }
        double total() const;
        /// The statistic of the code (one of the running-sum codes).
        double result(int code) const;
    };

    /// The statistic of the code over values (missing ones included; the span
    /// is reordered). missingCount adds missing values known elsewhere.
    static double compute(int code, double* values, size_t count, uint64_t missingCount = 0);
};

} // namespace orvane
