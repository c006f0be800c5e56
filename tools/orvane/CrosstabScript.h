// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "ArgParser.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace orvane {
class Report;
}

namespace orvane::tool {

/// The crosstab steps of a scripted `orvane render` session: expand,
/// collapse and drill members by path, drill up and page the report's first
/// crosstab, each step printing what changed. Keys and taps reach crosstabs
/// through the gesture session (GestureScript).
class CrosstabScript {
public:
    struct Step {
        std::string kind;  ///< expand, collapse, drill, drill-up, page
        std::string value;
    };
    /// The options of these steps, for a command's option list and help.
    static std::vector<OptionSpec> options();
    /// Reads the steps from the options (in the order expand, collapse, drill,
    /// drill-up, page); false with a usage error in `error`.
    bool read(const ArgParser& p, std::string& error);
    bool empty() const { return steps_.empty(); }
    /// Runs the steps on the report's first crosstab; false when a step could
    /// not run (the message in `error`).
    bool run(Report& report, std::ostream& out, std::string& error) const;
    /// Before a tap: forgets what the crosstabs' handlers did last.
    static void beforeTap(Report& report);
    /// After a tap: what the crosstabs' gesture handlers did.
    static void printTapOutcome(Report& report, std::ostream& out);

private:
    std::vector<Step> steps_;
};

} // namespace orvane::tool
