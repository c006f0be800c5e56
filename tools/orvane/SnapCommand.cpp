// SPDX-License-Identifier: Apache-2.0
// orvane snap MIN MAX [--format NAME] [--all]: lists the values a slider over
// [MIN, MAX] stops at, with the step the format gives (whole numbers, its
// decimal places, calendar periods for date and time formats). MIN and MAX
// are numbers or values written in the format (2024-02-27, 27FEB2024,
// 2024-02-27T10:30:00, 10:30).
#include "Command.h"

#include "orvane/host/format/Formatter.h"
#include "orvane/prompts/PromptUtilities.h"

#include <cmath>
#include <cstdlib>
#include <iostream>

namespace orvane::tool {

namespace {

bool readBound(const std::string& text, const Formatter* format, double& out) {
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    if (!text.empty() && *end == 0) return true;
    return format && format->parse(text, out) && !std::isnan(out);
}

int run(const std::vector<std::string>& args) {
    std::vector<std::string> bounds;
    std::string formatName;
    bool all = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--format") {
            if (i + 1 >= args.size()) return fail("--format needs a format name");
            formatName = args[++i];
        } else if (args[i] == "--all") {
            all = true;
        } else if (args[i].size() > 1 && args[i][0] == '-' && !std::isdigit(static_cast<unsigned char>(args[i][1])) &&
                   args[i][1] != '.') {
            return fail("unknown option " + args[i]);
        } else {
            bounds.push_back(args[i]);
        }
    }
    if (bounds.size() != 2) return fail("usage: orvane snap MIN MAX [--format NAME] [--all]");
    std::shared_ptr<const Formatter> format;
    if (!formatName.empty()) {
        std::string name;
        int w, d;
        bool hw, hd;
        if (!Formatter::parseFormatName(formatName, name, w, d, hw, hd) || !Formatter::isKnownName(name))
            return fail("unknown format " + formatName);
        format = Formatter::create(formatName);
    }
    double lo, hi;
    if (!readBound(bounds[0], format.get(), lo)) return fail("MIN is not a value: " + bounds[0]);
    if (!readBound(bounds[1], format.get(), hi)) return fail("MAX is not a value: " + bounds[1]);
    if (!std::isfinite(lo) || !std::isfinite(hi)) return fail("MIN and MAX must be finite");

    auto text = [&](double v) { return format ? format->format(v) : Formatter::create("BEST12.")->format(v); };
    if (PromptUtilities::hasTemporalData(format))
        std::cout << "step: one period of " << format->getName() << "\n";
    else
        std::cout << "step: " << PromptUtilities::getSliderSnapInterval(lo, hi, format) << "\n";
    auto values = PromptUtilities::getSliderSnapValues(lo, hi, format);
    if (!values) {
        std::cout << "no snap values: about " << PromptUtilities::estimateSliderSnapValueCount(lo, hi, format, 1000)
                  << " steps, more than a slider can offer\n";
        return 0;
    }
    std::cout << values->size() << " snap value" << (values->size() == 1 ? "" : "s") << "\n";
    size_t n = values->size();
    for (size_t i = 0; i < n; ++i) {
        if (!all && n > 40 && i == 20) {
            std::cout << "... " << n - 40 << " more (--all lists them)\n";
            i = n - 20;
        }
        std::cout << text((*values)[i]) << "\n";
    }
    return 0;
}

ORVANE_TOOL_COMMAND("snap", "MIN MAX [--format NAME] [--all]", "list the values a slider over a range snaps to", &run);

} // namespace

} // namespace orvane::tool
