// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/format/Formatter.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvane {

/// Makes formatters from format names and keeps the most recently used ones
/// (a bounded cache): formatters are immutable, so one instance per name
/// serves every caller while it is kept.
class ORVANE_HOST_EXPORT FormatterFactory {
public:
    /// The formatter of a name. An empty name gives BEST12; an unknown name
    /// gives BEST12 too, with one log line per distinct name. Never null.
    static std::shared_ptr<Formatter> getFormatter(std::string_view formatName);
    /// The formatter of a name, or null when the name is not a known format.
    static std::shared_ptr<Formatter> tryGetFormatter(std::string_view formatName);
    static bool isValidFormatName(std::string_view formatName);
    /// "NAME" + width + "." + decimals; the width is left out when 0.
    static std::string makeFormatName(std::string_view name, int width, int decimals);
    /// Drops the kept formatters (for tests).
    static void clearCache();
    /// How many names are kept at most, and how many are kept now.
    static size_t cacheCapacity();
    static size_t cacheSize();
};

} // namespace orvane
