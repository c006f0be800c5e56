// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <vector>

namespace orvane::soundgen {

// Synthesises the package's sound files as mono samples (full scale +/-1).
// Everything is deterministic: the same build always makes the same bytes.
class ToneSynthesizer {
public:
    static constexpr int SAMPLE_RATE = 44100;
    static constexpr int LOWEST_KEY = 1;   // A0
    static constexpr int HIGHEST_KEY = 88; // C8
    static constexpr double NOTE_SECONDS = 0.5;

    // Equal-tempered frequency of piano key n (key 49 is A4 = 440 Hz).
    static double keyFrequency(int key);

    // A plucked, piano-like note: a few harmonics, a short attack and an
    // exponential decay (higher harmonics fade faster).
    static std::vector<float> pianoNote(int key);
    // The same pitch and harmonics held at a steady level.
    static std::vector<float> staticNote(int key);
    // A short, soft, low knock for reaching an edge.
    static std::vector<float> bumper();
    // A short unpitched hiss, clearly unlike any note, for a missing value.
    static std::vector<float> missing();
};

} // namespace orvane::soundgen
