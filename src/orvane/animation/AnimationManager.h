// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"

namespace orvane {

/// Something the frame loop drives with the current time (seconds): a
/// transition between view states, or an animated gesture.
class ORVANE_EXPORT AnimationManager {
public:
    virtual ~AnimationManager() = default;
    virtual double getDelay() const = 0;
    virtual double getDuration() const = 0;
    virtual bool isActive() const = 0;
    virtual bool isDeactivated() const = 0;
    virtual void deactivate() = 0;
    virtual void activate(double time) = 0;
    virtual void update(double time) = 0;
    virtual bool needsLayout() const = 0;
    virtual bool needsUpdateDisplayList() const = 0;
    virtual void layoutUpdated(double time) = 0;
    virtual void displayListUpdated(double time) = 0;
    virtual void removeAllAnimationNodes() = 0;
};

} // namespace orvane
