// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/input/AccessibilityManager.h"

#include <atomic>

namespace orvane {

namespace {
std::atomic<bool>& flag() {
    static std::atomic<bool> f{true};
    return f;
}
} // namespace

bool AccessibilityManager::isVisualEffectsEnabled() { return flag().load(); }
void AccessibilityManager::setVisualEffectsEnabled(bool enabled) { flag() = enabled; }

} // namespace orvane
