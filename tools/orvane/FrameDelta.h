// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <string>
#include <string_view>

namespace orvane::tool {

// What changed between two frames of a page as SVG text, by lines: the
// number of lines the new frame shares with the old one at its start and at
// its end, and the lines between. The SVG writer puts one element on a line,
// so a selection that repaints one table row changes a few lines of a long
// document; a page applies the delta to the text it shows.
//
//   auto d = FrameDelta::between(oldSvg, newSvg);
//   assert(d.apply(oldSvg) == newSvg);
struct FrameDelta {
    size_t keepHead = 0;  // lines kept from the old frame's start
    size_t keepTail = 0;  // lines kept from the old frame's end
    std::string middle;   // the new lines between them (each ending in '\n' but a last line without one)

    static FrameDelta between(std::string_view before, std::string_view after);
    // The new frame rebuilt from the old one.
    std::string apply(std::string_view before) const;
};

} // namespace orvane::tool
