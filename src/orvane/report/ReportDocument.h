// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/report/ReportContent.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// The result of reading a report file's <content> elements.
struct ORVANE_EXPORT ReportDocument {
    /// The document with every <content> element blanked out (line breaks are
    /// kept, so line numbers in later messages still match the file): a plain
    /// model document for the model reader.
    std::string layoutText;
    std::vector<ReportContent> contents;
    /// "file:line:column: problem" lines; empty when the contents are sound.
    std::vector<std::string> errors;

    /// Reads `text` (the file `path`; relative paths in it are resolved
    /// against the file's folder). Markup that is not well-formed gives one
    /// error, "file:line:column: malformed markup: ...", and the text back
    /// unchanged.
    static ReportDocument read(const std::string& path, const std::string& text);
};

} // namespace orvane
