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
        std::string kind;  ///< expand, collapse, drill, drill-up, page, window
        std::string value;
    };
    /// The options of these steps, for a command's option list and help.
    static std::vector<OptionSpec> options();
    /// Reads the steps from the options (in the order expand, collapse, drill,
    /// drill-up, page); false with a usage error in `error`.
    bool read(const ArgParser& p, std::string& error);
    bool empty() const { return steps_.empty(); }
    /// The page size the report is laid out at again after a step changed the
    /// crosstab's shape (0: the defaults).
    void setPageSize(float width, float height) {
        width_ = width;
        height_ = height;
    }
    /// Runs the steps on the report's first crosstab; false when a step could
    /// not run (the message in `error`). The model steps (expand, collapse,
    /// drill) run before the page is laid out, so that the crosstab gets the
    /// room its new shape needs; the view steps (page, key) after it.
    bool runModelSteps(Report& report, std::ostream& out, std::string& error) const;
    bool runViewSteps(Report& report, std::ostream& out, std::string& error) const;
    /// Before a tap: forgets what the crosstabs' handlers did last.
    static void beforeTap(Report& report);
    /// After a tap: prints what the crosstabs' gesture handlers did, and lays
    /// the report out again when a crosstab changed.
    void afterTap(Report& report, std::ostream& out) const;

private:
    bool run(Report& report, std::ostream& out, std::string& error, bool modelSteps) const;
    std::vector<Step> steps_;
    float width_ = 0.0f;
    float height_ = 0.0f;
};

} // namespace orvane::tool
