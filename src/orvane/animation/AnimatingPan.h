// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/animation/AnimationManager.h"

#include <limits>
#include <memory>
#include <vector>

namespace orvane {

/// A pan that goes on after the finger lifts: it keeps the release velocity's
/// direction and slows down at 1500 pixels per second squared, moving its
/// translation and touch points each frame, until it stops.
class ORVANE_EXPORT AnimatingPan : public Pan, public AnimationManager {
public:
    static constexpr double DECELERATION = 1500.0;

    AnimatingPan(const Pan& pan, const std::vector<Point>& touchPoints);
    static std::shared_ptr<AnimatingPan> create(const Pan& pan, std::shared_ptr<std::vector<Point>> touchPoints);
    std::shared_ptr<Gesture> clone() const override { return std::make_shared<AnimatingPan>(*this); }

    void setVelocityMagnitude(double v) { velocityMagnitude_ = v; }
    double getVelocityMagnitude() const { return velocityMagnitude_; }
    double getAngle() const { return angle_; }
    Point getDelta() const { return delta_; }

    double getDelay() const override { return 0.0; }
    double getDuration() const override { return duration_; }
    bool isActive() const override { return active_; }
    bool isDeactivated() const override { return deactivated_; }
    void deactivate() override;
    void activate(double time) override;
    void update(double time) override;
    bool needsLayout() const override { return false; }
    bool needsUpdateDisplayList() const override { return false; }
    void layoutUpdated(double) override {}
    void displayListUpdated(double) override {}
    void removeAllAnimationNodes() override {}

private:
    Point delta_;
    bool active_ = false;
    bool deactivated_ = false;
    double velocityMagnitude_ = 0.0;
    double angle_ = 0.0;
    double lastTime_ = std::numeric_limits<double>::quiet_NaN();
    double endTime_ = std::numeric_limits<double>::quiet_NaN();
    double duration_ = 0.0;
};

} // namespace orvane
