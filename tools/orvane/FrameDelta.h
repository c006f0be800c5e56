// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace orvane::tool {

// What changed between two frames of a page as SVG text, by lines. The SVG
// writer puts one element on a line, so selecting a table row changes a few
// scattered lines (the row's cells are drawn column by column) of a long
// document; the delta lists only those, as edits the page applies in order
// to the text it shows.
//
//   auto d = FrameDelta::between(oldSvg, newSvg);
//   assert(d.apply(oldSvg) == newSvg);
struct FrameDelta {
    // Keep `keep` lines of the old frame, drop the next `remove`, then add
    // `insert` (whole lines). Lines after the last edit are kept.
    struct Edit {
        size_t keep = 0;
        size_t remove = 0;
        std::string insert;
    };
    std::vector<Edit> edits;

    // Above this many changed lines the lines between the first and the last
    // change are sent whole: cheaper to compute than a minimal list.
    static constexpr size_t MAX_COMPARED_LINES = 20000;

    static FrameDelta between(std::string_view before, std::string_view after);
    // The new frame rebuilt from the old one.
    std::string apply(std::string_view before) const;
    // Bytes of new text the delta carries.
    size_t insertedBytes() const;
};

} // namespace orvane::tool
