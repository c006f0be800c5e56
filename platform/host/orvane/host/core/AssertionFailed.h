// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <stdexcept>
#include <string>

namespace orvane {

/// Exception carrying a message string, thrown where an internal contract is broken.
class ORVANE_HOST_EXPORT AssertionFailed : public std::runtime_error {
public:
    explicit AssertionFailed(const std::string& message) : std::runtime_error(message) {}
    const std::string message() const { return what(); }
};

} // namespace orvane
