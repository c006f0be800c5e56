// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

/// The host log. Entries carry a section code (1 errors and rejected input,
/// 2 notices, 4 informational traces), the source path and line, and a message.
/// By default errors go to standard error and the other sections are off.
class ORVANE_HOST_EXPORT CLog {
public:
    static constexpr int ERRORS = 1;
    static constexpr int NOTICES = 2;
    static constexpr int INFO = 4;

    struct Entry {
        int section;
        std::string source;
        int line;
        std::string message;
    };
    using Sink = std::function<void(const Entry&)>;

    static bool isEnabled(int section);
    static void setEnabled(int section, bool enabled);
    static void log(int section, std::string_view source, int line, std::string_view message);
    /// Replaces the output; an empty sink restores standard error.
    static void setSink(Sink sink);
};

/// Collects log entries while it lives (and enables every section), for tests
/// and for hosts that show log lines themselves.
class ORVANE_HOST_EXPORT CLogCapture {
public:
    CLogCapture();
    ~CLogCapture();
    CLogCapture(const CLogCapture&) = delete;
    CLogCapture& operator=(const CLogCapture&) = delete;

    std::vector<CLog::Entry> entries() const;
    bool contains(std::string_view messagePart) const;
    bool contains(int section, std::string_view messagePart) const;
    size_t count() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<CLog::Entry> entries_;
    unsigned savedMask_;
};

} // namespace orvane

#define ORVANE_LOG(section, source, message)                                   \
    do {                                                                       \
        if (::orvane::CLog::isEnabled(section))                                \
            ::orvane::CLog::log((section), (source), __LINE__, (message));     \
    } while (0)
