// SPDX-License-Identifier: Apache-2.0
#pragma once
// A scripted session: the gestures and keys a command line gives, applied in
// order to a report as a host would apply them (through Report::routeGesture
// and Report::routeKey), each followed by what it did. `orvane render` runs
// one before it writes the picture; other hosts (the viewer) run the same
// steps from their own input.
#include "ArgParser.h"

#include "orvane/host/core/GeometryUtilities.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace orvane {
class Report;
}

namespace orvane::tool {

class CrosstabScript;

class GestureScript {
public:
    struct Step {
        enum class Kind { TAP, DOUBLE_TAP, PAN, WHEEL, KEY, FOCUS };
        Kind kind = Kind::TAP;
        Point at;         // picture coordinates: origin top left, y down
        Point by;         // pan: the drag in picture pixels
        int delta = 0;    // wheel
        int key = 0;      // KeyCode
        int modifiers = 0;  // KeyModifier bits
        std::string name;   // the key's name
    };

    // The options of a session, for a command's option list and help.
    static std::vector<OptionSpec> options();
    // Reads the session from parsed options, in the order given; false with a
    // usage error in `error`.
    bool read(const ArgParser& parser, std::string& error);
    bool empty() const { return steps_.empty(); }
    const std::vector<Step>& steps() const { return steps_; }
    void add(const Step& step) { steps_.push_back(step); }

    // Applies every step and prints what each did to `out`; with a crosstab
    // script, also what each step did to the report's crosstabs.
    void run(Report& report, std::ostream& out, const CrosstabScript* crosstab = nullptr) const;
    // Applies one step; the line that says what it did (without a newline).
    static std::string apply(Report& report, const Step& step);

    // A key's name (right, left, up, down, home, end, pageup, pagedown, enter,
    // tab, menu) as a KeyCode; false for other names.
    static bool keyCode(const std::string& name, int& code);

private:
    std::vector<Step> steps_;
};

} // namespace orvane::tool
