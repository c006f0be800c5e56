#pragma once
#include <stdexcept>
#include <string>

namespace orvane {

// Exception carrying a message string, thrown where an internal contract is broken.
class AssertionFailed : public std::runtime_error {
public:
    explicit AssertionFailed(const std::string& message) : std::runtime_error(message) {}
    const std::string message() const { return what(); }
};

} // namespace orvane
