// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <string>

namespace orvane {

/// Where and why reading a document failed.
struct ORVANE_HOST_EXPORT ParseError {
    std::string source;  ///< file name or "<text>"
    int line = 0;
    int column = 0;
    std::string message;
    bool isSet() const { return !message.empty(); }
    std::string toString() const {
        return (source.empty() ? std::string("<text>") : source) + ":" + std::to_string(line) + ":" +
               std::to_string(column) + ": " + message;
    }
};

} // namespace orvane
