#pragma once

namespace orvane {

// Accessibility settings of the host's platform.
class AccessibilityManager {
public:
    // False when the user asked the platform to reduce motion.
    static bool isVisualEffectsEnabled();
    static void setVisualEffectsEnabled(bool enabled);
};

} // namespace orvane
