// SPDX-License-Identifier: Apache-2.0
// The prompt part of `orvane render`: drags (--drag X,Y,DX,DY) and typing
// (--type TEXT) fed to a report's prompts through the report's gesture
// routing, and a summary of what every prompt then selects.
#pragma once
#include "ArgParser.h"

#include "orvane/host/core/GeometryUtilities.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace orvane {
class Report;
}

namespace orvane::tool {

class PromptSession {
public:
    // The command's own options followed by the ones this reads.
    static std::vector<OptionSpec> options(std::vector<OptionSpec> own);
    // False, with a usage error in `error`, for a malformed value.
    bool read(const ArgParser& parser, std::string& error);
    bool empty() const { return drags_.empty() && typed_.empty(); }

    // Runs the drags, then the typing, and prints each step and, when the
    // report has prompts and anything was done to it (`acted`: taps too),
    // every prompt's selection and the rows it leaves selected.
    void run(Report& report, bool acted, std::ostream& out) const;

private:
    struct Drag {
        Point from;   // picture coordinates: origin top left, y down
        Point moved;  // DX, DY
    };
    std::vector<Drag> drags_;
    std::vector<std::string> typed_;
};

} // namespace orvane::tool
