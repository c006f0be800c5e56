// SPDX-License-Identifier: Apache-2.0
#pragma once
// Measurements on decoded sound used by the sonification tests.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace orvane::test {

// Normalised correlation of samples [start, start + length) with the same
// stretch shifted by lag: 1 for a signal that repeats (up to a gain) after lag.
inline double correlation(const std::vector<float>& s, size_t start, size_t length, size_t lag) {
    double xy = 0, xx = 0, yy = 0;
    for (size_t j = start; j < start + length; ++j) {
        double x = s[j], y = s[j + lag];
        xy += x * y;
        xx += x * x;
        yy += y * y;
    }
    return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0.0;
}

// Lag of the correlation peak near lag, refined to a fraction of a sample by
// fitting a parabola through the peak and its neighbours.
inline double refinePeak(const std::vector<float>& s, size_t start, size_t length, size_t lag, size_t radius) {
    size_t best = lag;
    double bestValue = -2;
    for (size_t l = lag > radius ? lag - radius : 1; l <= lag + radius; ++l) {
        double v = correlation(s, start, length, l);
        if (v > bestValue) bestValue = v, best = l;
    }
    double a = correlation(s, start, length, best - 1), b = bestValue, c = correlation(s, start, length, best + 1);
    double denominator = a - 2 * b + c;
    double shift = denominator < 0 ? 0.5 * (a - c) / denominator : 0.0;
    return static_cast<double>(best) + std::clamp(shift, -0.5, 0.5);
}

// Fundamental frequency (Hz) of the sound from startSeconds on, searched
// between minHz and maxHz: the shortest lag whose correlation comes within 5%
// of the best one (so that a note is not mistaken for its octave below), then
// refined on a multiple of that period near 20 ms for precision. 0 when the
// sound is too short or shows no clear period.
inline double measurePitch(const std::vector<float>& s, int rate, double startSeconds, double minHz, double maxHz) {
    size_t start = static_cast<size_t>(startSeconds * rate);
    size_t minLag = std::max<size_t>(2, static_cast<size_t>(rate / maxHz));
    size_t maxLag = static_cast<size_t>(std::ceil(rate / minHz));
    size_t length = std::max<size_t>(maxLag, static_cast<size_t>(0.02 * rate));
    if (start + length + maxLag + 2 > s.size()) return 0.0;
    std::vector<double> r(maxLag + 1, 0.0);
    double best = 0;
    for (size_t lag = minLag; lag <= maxLag; ++lag) best = std::max(best, r[lag] = correlation(s, start, length, lag));
    if (best < 0.5) return 0.0;
    size_t period = 0;
    for (size_t lag = minLag + 1; lag < maxLag && !period; ++lag)
        if (r[lag] >= 0.95 * best && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1]) period = lag;
    if (!period) return 0.0;
    double coarse = refinePeak(s, start, length, period, 1);
    size_t multiple = std::max<size_t>(1, static_cast<size_t>(0.02 * rate / coarse));
    if (start + length + static_cast<size_t>(coarse * multiple) + 4 > s.size()) multiple = 1;
    double fine = refinePeak(s, start, length, static_cast<size_t>(std::lround(coarse * multiple)), 2);
    return rate * static_cast<double>(multiple) / fine;
}

// Root mean square level of [fromSeconds, toSeconds).
inline double rms(const std::vector<float>& s, int rate, double fromSeconds, double toSeconds) {
    size_t a = std::min(s.size(), static_cast<size_t>(fromSeconds * rate));
    size_t b = std::min(s.size(), static_cast<size_t>(toSeconds * rate));
    if (b <= a) return 0.0;
    double sum = 0;
    for (size_t i = a; i < b; ++i) sum += static_cast<double>(s[i]) * s[i];
    return std::sqrt(sum / static_cast<double>(b - a));
}

// Highest correlation over lags of 2 ms to 25 ms: near 1 for a pitched sound.
inline double periodicity(const std::vector<float>& s, int rate, double startSeconds) {
    size_t start = static_cast<size_t>(startSeconds * rate);
    size_t length = static_cast<size_t>(0.05 * rate);
    size_t minLag = static_cast<size_t>(0.002 * rate), maxLag = static_cast<size_t>(0.025 * rate);
    double best = -1;
    for (size_t lag = minLag; lag <= maxLag && start + length + lag <= s.size(); ++lag)
        best = std::max(best, correlation(s, start, length, lag));
    return best;
}

} // namespace orvane::test
