// SPDX-License-Identifier: Apache-2.0
#include "soundgen/ToneSynthesizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace orvane::soundgen {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Harmonics above this are left out: LAME's low-pass at the chosen bit rate
// would remove them anyway, and they must stay clear of the Nyquist limit.
constexpr double kHighestPartial = 8000.0;
constexpr double kPeak = 0.6;  // about -4.4 dBFS, leaves headroom for the encoder

size_t sampleCount(double seconds) { return static_cast<size_t>(std::lround(seconds * ToneSynthesizer::SAMPLE_RATE)); }

// Raised-cosine ramp from 0 to 1 over n samples.
double ramp(size_t i, size_t n) {
    if (i >= n) return 1.0;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / static_cast<double>(n));
}

// Attack at the start and release at the end of a buffer.
void applyEdges(std::vector<float>& s, double attackSeconds, double releaseSeconds) {
    size_t a = sampleCount(attackSeconds), r = sampleCount(releaseSeconds), n = s.size();
    for (size_t i = 0; i < n; ++i) s[i] = static_cast<float>(s[i] * ramp(i, a) * ramp(n - 1 - i, r));
}

void normalise(std::vector<float>& s, double peak) {
    float m = 0.0f;
    for (float v : s) m = std::max(m, std::fabs(v));
    if (m <= 0.0f) return;
    float k = static_cast<float>(peak / m);
    for (float& v : s) v *= k;
}

// Harmonic k of a note at f: its amplitude falls with the order; low notes
// get more partials so that they still sound pitched on small speakers.
struct Partial {
    double frequency;
    double amplitude;
    double decaySeconds;  // time constant; infinite for a held note
};

std::vector<Partial> partials(int key, bool decaying) {
    double f = ToneSynthesizer::keyFrequency(key);
    std::vector<Partial> out;
    int maxOrder = key < 30 ? 12 : (key < 60 ? 8 : 5);
    for (int k = 1; k <= maxOrder; ++k) {
        double fk = f * k;
        if (fk > kHighestPartial) break;
        double amplitude = 1.0 / std::pow(static_cast<double>(k), 1.3);
        // The note dies away over about half a second; upper partials faster.
        double tau = decaying ? 0.14 / (1.0 + 0.35 * (k - 1)) : INFINITY;
        out.push_back({fk, amplitude, tau});
    }
    return out;
}

std::vector<float> render(const std::vector<Partial>& ps, double seconds) {
    std::vector<float> s(sampleCount(seconds), 0.0f);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / ToneSynthesizer::SAMPLE_RATE;
        double v = 0.0;
        for (const auto& p : ps) {
            double env = std::isinf(p.decaySeconds) ? 1.0 : std::exp(-t / p.decaySeconds);
            v += p.amplitude * env * std::sin(kTwoPi * p.frequency * t);
        }
        s[i] = static_cast<float>(v);
    }
    return s;
}

// Small deterministic noise source (xorshift32), uniform in [-1, 1).
class Noise {
public:
    float next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<float>(state_ / 2147483648.0 - 1.0);
    }

private:
    uint32_t state_ = 0x9e3779b9u;
};

} // namespace

double ToneSynthesizer::keyFrequency(int key) { return 440.0 * std::pow(2.0, (key - 49) / 12.0); }

std::vector<float> ToneSynthesizer::pianoNote(int key) {
    auto s = render(partials(key, true), NOTE_SECONDS);
    applyEdges(s, 0.004, 0.02);
    normalise(s, kPeak);
    return s;
}

std::vector<float> ToneSynthesizer::staticNote(int key) {
    auto s = render(partials(key, false), NOTE_SECONDS);
    applyEdges(s, 0.01, 0.03);
    normalise(s, kPeak * 0.8);
    return s;
}

std::vector<float> ToneSynthesizer::bumper() {
    // Two low damped partials and a brief dull click at the start.
    constexpr double kSeconds = 0.15;
    std::vector<float> s(sampleCount(kSeconds), 0.0f);
    Noise noise;
    double lowpassed = 0.0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / SAMPLE_RATE;
        double body = std::exp(-t / 0.03) * std::sin(kTwoPi * 95.0 * t) +
                      0.5 * std::exp(-t / 0.015) * std::sin(kTwoPi * 160.0 * t);
        lowpassed += 0.05 * (noise.next() - lowpassed);
        double click = std::exp(-t / 0.004) * lowpassed * 4.0;
        s[i] = static_cast<float>(body + click);
    }
    applyEdges(s, 0.002, 0.03);
    normalise(s, 0.45);
    return s;
}

std::vector<float> ToneSynthesizer::missing() {
    // Band-limited noise (about 400 Hz to 4 kHz) with a soft swell and fade.
    constexpr double kSeconds = 0.3;
    std::vector<float> s(sampleCount(kSeconds), 0.0f);
    Noise noise;
    const double lowCut = 1.0 - std::exp(-kTwoPi * 400.0 / SAMPLE_RATE);
    const double highCut = 1.0 - std::exp(-kTwoPi * 4000.0 / SAMPLE_RATE);
    double lp1 = 0.0, lp2 = 0.0, slow = 0.0;
    for (float& v : s) {
        double x = noise.next();
        lp1 += highCut * (x - lp1);
        lp2 += highCut * (lp1 - lp2);
        slow += lowCut * (lp2 - slow);
        v = static_cast<float>(lp2 - slow);
    }
    applyEdges(s, 0.04, 0.12);
    normalise(s, 0.35);
    return s;
}

} // namespace orvane::soundgen
