// SPDX-License-Identifier: Apache-2.0
#include "FrameDelta.h"

#include <dtl/dtl.hpp>

#include <algorithm>

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
    // Common lines at both ends are kept without comparing them further; the
    // tail may not overlap the head in either frame.
    size_t head = 0, tail = 0;
    const size_t shorter = std::min(a.size(), b.size());
    while (head < shorter && a[head] == b[head]) ++head;
    while (tail < shorter - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
    const std::vector<std::string_view> oldMiddle(a.begin() + head, a.end() - tail);
    const std::vector<std::string_view> newMiddle(b.begin() + head, b.end() - tail);

    FrameDelta d;
    if (oldMiddle.empty() && newMiddle.empty()) return d;
    Edit current;
    current.keep = head;
    if (oldMiddle.size() + newMiddle.size() > MAX_COMPARED_LINES) {
        current.remove = oldMiddle.size();
        for (auto line : newMiddle) current.insert.append(line);
        d.edits.push_back(std::move(current));
        return d;
    }
    // The shortest edit script between the changed lines (Myers' algorithm).
    dtl::Diff<std::string_view, std::vector<std::string_view>> diff(oldMiddle, newMiddle);
    diff.compose();
    for (const auto& [line, info] : diff.getSes().getSequence()) {
        if (info.type == dtl::SES_COMMON) {
            if (current.remove > 0 || !current.insert.empty()) {
                d.edits.push_back(std::move(current));
                current = Edit{};
            }
            ++current.keep;
        } else if (info.type == dtl::SES_DELETE) {
            ++current.remove;
        } else {
            current.insert.append(line);
        }
    }
    if (current.remove > 0 || !current.insert.empty()) d.edits.push_back(std::move(current));
    return d;
}

std::string FrameDelta::apply(std::string_view before) const {
    const auto a = lines(before);
    std::string out;
    size_t at = 0;
    for (const auto& e : edits) {
        const size_t keep = std::min(e.keep, a.size() - at);
        for (size_t i = 0; i < keep; ++i) out.append(a[at + i]);
        at += keep;
        at += std::min(e.remove, a.size() - at);
        out.append(e.insert);
    }
    for (; at < a.size(); ++at) out.append(a[at]);
    return out;
}

size_t FrameDelta::insertedBytes() const {
    size_t bytes = 0;
    for (const auto& e : edits) bytes += e.insert.size();
    return bytes;
}

} // namespace orvane::tool
