// SPDX-License-Identifier: Apache-2.0
#pragma once
// What the picture-making commands (render, draw) share: their output
// options (-o, --format, --scale, --transparent), points from the command
// line, and writing a display list as SVG or PNG to files or standard output.
#include "ArgParser.h"

#include "orvane/host/core/GeometryUtilities.h"

#include <string>
#include <vector>

namespace displaylist {
class DisplayListRenderer;
}

namespace orvane::tool {

class PictureOutput {
public:
    // The largest --scale: a 16384-pixel page at most 16 times over is
    // already more than a PNG reader will take.
    static constexpr float MAX_SCALE = 16.0f;

    // The output options, followed by the command's own.
    static std::vector<OptionSpec> options(std::vector<OptionSpec> own);
    // "X,Y" with finite numbers (pixels from the top left of the picture).
    static bool parsePoint(const std::string& text, Point& point);

    // Reads the output options; false with a usage error in `error` (a bad
    // scale, an unknown format, "-o -" without --format or given twice).
    bool read(const ArgParser& options, std::string& error);
    bool empty() const { return outputs_.empty(); }
    // True when one output is standard output (nothing else may print there).
    bool usesStandardOutput() const;

    // Writes the picture to every output: SVG, or PNG at the scale (without
    // background when --transparent). Each file written is named in a
    // "wrote PATH<note>" line unless -q or standard output carries the
    // picture. `error` says which file and why on failure.
    bool writeAll(const displaylist::DisplayListRenderer& renderer, const std::string& note, std::string& error) const;

private:
    std::vector<std::string> outputs_;
    std::vector<std::string> formats_;
    float scale_ = 1.0f;
    bool transparent_ = false;
};

} // namespace orvane::tool
