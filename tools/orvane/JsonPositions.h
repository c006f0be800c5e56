// SPDX-License-Identifier: Apache-2.0
#pragma once
// Where the values of a JSON text are, so that a problem found in the parsed
// document can be reported at its line and column like any other input error.
#include <cstddef>
#include <map>
#include <string>

namespace orvane::tool {

class JsonPositions {
public:
    // Indexes the text (a text that does not parse indexes what it can).
    explicit JsonPositions(const std::string& text);

    // "name:line:column" of a byte offset (lines and columns from 1, columns
    // in characters).
    std::string locate(const std::string& name, size_t offset) const;
    // "name:line:column: problem" for a problem "PATH: message", PATH being a
    // value's path such as nodes[2].paragraphs[0][1] ("drawing" is the top
    // object); a message starting with a quoted key is placed at that key.
    std::string locateProblem(const std::string& name, const std::string& problem) const;

private:
    std::string text_;
    std::map<std::string, size_t> offsets_;  // path -> offset of the value (of its key in an object)
};

} // namespace orvane::tool
