// SPDX-License-Identifier: Apache-2.0
#include "PictureOutput.h"

#include "Command.h"
#include "ToolFiles.h"

#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/io/Image.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace orvane::tool {

std::vector<OptionSpec> PictureOutput::options(std::vector<OptionSpec> own) {
    std::vector<OptionSpec> all{
        {"-o, --output", "OUT", "write the picture: .svg or .png by the extension, - for standard output", true},
        {"--format", "svg|png", "the picture format (needed with -o -; overrides the extension)"},
        {"--scale", "S", "scale of the PNG picture (default 1, at most 16)"},
        {"--transparent", "", "no background in the PNG picture"}};
    all.insert(all.end(), own.begin(), own.end());
    all.push_back({"--fixed-metrics", "", "use the fixed-metric text backend of the tests (exact sizes)"});
    return all;
}

bool PictureOutput::parsePoint(const std::string& text, Point& p) {
    auto comma = text.find(',');
    if (comma == std::string::npos) return false;
    return PropertyTextCodec::parseFloat(text.substr(0, comma), p.x) &&
           PropertyTextCodec::parseFloat(text.substr(comma + 1), p.y) && std::isfinite(p.x) && std::isfinite(p.y);
}

bool PictureOutput::read(const ArgParser& options, std::string& error) {
    outputs_ = options.all("output");
    formats_.clear();
    if (options.has("scale")) {
        float s = 0.0f;
        if (!PropertyTextCodec::parseFloat(options.get("scale"), s) || !(s > 0.0f) || !(s <= MAX_SCALE)) {
            error = "--scale must be a number above 0 and at most 16, not \"" + options.get("scale") + "\"";
            return false;
        }
        scale_ = s;
    }
    transparent_ = options.has("transparent");
    for (const auto& path : outputs_) {
        std::string format;
        if (!ToolFiles::pictureFormat(path, options.get("format"), {"svg", "png"}, format, error)) return false;
        formats_.push_back(format);
    }
    if (std::count(outputs_.begin(), outputs_.end(), "-") > 1) {
        error = "standard output (-o -) can be written once";
        return false;
    }
    return true;
}

bool PictureOutput::usesStandardOutput() const {
    return std::find(outputs_.begin(), outputs_.end(), "-") != outputs_.end();
}

bool PictureOutput::writeAll(const displaylist::DisplayListRenderer& renderer, const std::string& note,
                             std::string& error) const {
    for (size_t i = 0; i < outputs_.size(); ++i) {
        const std::string& path = outputs_[i];
        bool ok;
        if (formats_[i] == "svg") {
            ok = ToolFiles::write(path, renderer.getDisplayListSVGString(), error);
        } else {
            auto image = renderer.renderImage(!transparent_ && !renderer.isTransparentBackground(), scale_);
            std::vector<uint8_t> png;
            if (!image || !image->encodePNG(png)) {
                error = (path == "-" ? std::string("standard output") : path) +
                        ": cannot write (the picture could not be made at this scale)";
                return false;
            }
            ok = ToolFiles::write(path, png, error);
        }
        if (!ok) return false;
        if (!quiet() && !usesStandardOutput()) std::cout << "wrote " << path << note << "\n";
    }
    return true;
}

} // namespace orvane::tool
