// SPDX-License-Identifier: Apache-2.0
#include "FrameDelta.h"

#include <vector>

namespace orvane::tool {

namespace {

// The lines of a text, each with its line break.
std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        out.push_back(text.substr(start, end - start));
        start = end;
    }
    return out;
}

} // namespace

FrameDelta FrameDelta::between(std::string_view before, std::string_view after) {
    const auto a = lines(before), b = lines(after);
    FrameDelta d;
    const size_t shorter = std::min(a.size(), b.size());
    while (d.keepHead < shorter && a[d.keepHead] == b[d.keepHead]) ++d.keepHead;
    // The tail may not overlap the head in either frame.
    while (d.keepTail < shorter - d.keepHead && a[a.size() - 1 - d.keepTail] == b[b.size() - 1 - d.keepTail])
        ++d.keepTail;
    for (size_t i = d.keepHead; i < b.size() - d.keepTail; ++i) d.middle.append(b[i]);
    return d;
}

std::string FrameDelta::apply(std::string_view before) const {
    const auto a = lines(before);
    std::string out;
    const size_t head = std::min(keepHead, a.size());
    for (size_t i = 0; i < head; ++i) out.append(a[i]);
    out.append(middle);
    const size_t tail = std::min(keepTail, a.size() - head);
    for (size_t i = a.size() - tail; i < a.size(); ++i) out.append(a[i]);
    return out;
}

} // namespace orvane::tool
