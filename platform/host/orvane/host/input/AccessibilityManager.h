// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"

namespace orvane {

/// Accessibility settings of the host's platform.
class ORVANE_HOST_EXPORT AccessibilityManager {
public:
    /// False when the user asked the platform to reduce motion.
    static bool isVisualEffectsEnabled();
    static void setVisualEffectsEnabled(bool enabled);
};

} // namespace orvane
