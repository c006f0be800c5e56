// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/GeometryUtilities.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Gesture;

/// Turns raw pointer, wheel and key input of one pointing device into the
/// library's gestures: taps and double taps, pans with their velocity, long
/// presses, wheel steps, and key presses with their modifiers. A host (a
/// browser page, a window system) feeds it what the device reports, in the
/// order it happened, and routes what comes out.
///
///     PointerGestureRecognizer recognizer;
///     for (auto& r : recognizer.feed({PointerGestureRecognizer::DOWN, {10, 10}, 0.00}))
///         route(r);
///     for (auto& r : recognizer.feed({PointerGestureRecognizer::UP, {10, 10}, 0.05}))
///         route(r);   // one Tap at (10, 10)
///
/// Points are in whatever coordinates the host routes gestures in; the
/// recogniser only measures distances, so a pan's translation and velocity
/// have the axes of the points given. Times are seconds on any monotonic
/// clock. Input that makes no sense (a point that is not a finite number, an
/// up without a down, a second down while one is held) is ignored, so no
/// sequence of input can leave a gesture half open: every pan or long press
/// that began ends.
class ORVANE_HOST_EXPORT PointerGestureRecognizer {
public:
    /// What the device reported.
    enum Kind { DOWN, MOVE, UP, CANCEL, WHEEL, KEY };

    /// Modifier bits of an input (and of the gestures made from it).
    static constexpr int SHIFT = 0x1;
    static constexpr int CONTROL = 0x2;
    static constexpr int ALT = 0x4;
    static constexpr int META = 0x8;
    /// The selection bits (KeyModifier) that held keys stand for: Shift
    /// selects a range, Control or Meta adds to the selection. Gestures carry
    /// these, not the key bits, since that is what views read.
    static int selectionModifiers(int keys);

    /// One input. `delta` is the wheel's step in pixels (positive y scrolls
    /// the content up, as a wheel turned towards the user does); `key` names
    /// the key of a KEY input ("ArrowDown", "Enter", "a").
    struct Input {
        Kind kind = MOVE;
        Point location;
        double time = 0.0;
        int modifiers = 0;
        Point delta;
        std::string key;
    };

    /// A key press as recognised: the key's name and the modifiers held.
    struct KeyPress {
        std::string key;
        int modifiers = 0;
    };

    /// One recognised result: a gesture, or a key press (gesture null).
    struct Recognized {
        std::shared_ptr<Gesture> gesture;
        KeyPress key;
        bool isKey() const { return gesture == nullptr; }
    };

    /// How far a pointer may move and still tap, in pixels; how long two taps
    /// may be apart to make a double tap, and how long a press is held before
    /// it is a long press, in seconds.
    struct Settings {
        float tapSlop = 8.0f;
        double doubleTapInterval = 0.35;
        double longPressDelay = 0.6;
        /// A pan's velocity is measured over the moves of this last span of time.
        double velocityWindow = 0.1;
    };

    PointerGestureRecognizer() = default;
    explicit PointerGestureRecognizer(const Settings& settings) : settings_(settings) {}

    /// Feeds one input; what it completes, in order. An input earlier than
    /// the last one is taken as happening at the last one's time.
    std::vector<Recognized> feed(const Input& input);
    /// Lets time pass without input (a held press becomes a long press).
    std::vector<Recognized> advance(double time);
    /// Whether a pointer is held down (a press, pan or long press is open).
    bool isPressed() const { return pressed_; }
    /// When advance() should next be called to recognise a long press; a
    /// negative number when nothing is waiting for time to pass.
    double nextDeadline() const;
    /// Ends what is open (as a cancel would) and forgets the last tap.
    std::vector<Recognized> reset();

private:
    struct Sample {
        Point location;
        double time;
    };

    std::vector<Recognized> cancel(double time);
    void press(const Input& input, double time);
    void move(const Input& input, double time, std::vector<Recognized>& out);
    void release(const Input& input, double time, std::vector<Recognized>& out);
    Point velocity(double time) const;
    void checkLongPress(double time, std::vector<Recognized>& out);

    Settings settings_;
    double now_ = 0.0;
    bool pressed_ = false;
    bool panning_ = false;
    bool longPressed_ = false;
    Point downLocation_;
    Point lastLocation_;
    double downTime_ = 0.0;
    int modifiers_ = 0;
    std::vector<Sample> samples_;  ///< recent moves of the pan, for its velocity
    bool hasLastTap_ = false;
    Point lastTapLocation_;
    double lastTapTime_ = 0.0;
    int lastTapCount_ = 0;
};

} // namespace orvane
