// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqEasing.h"
#include "orvane/displaylist/TqRefCount.h"

#include <functional>

namespace displaylist {

/// A timed animation: after its delay (when the delay flag is set) it runs for
/// its duration, its progress eased by its easing code. It is driven by the
/// host clock (orvane::getCurrentTime) through the editor it is added to,
/// which counts it while it runs (DisplayListEditor::getAnimationCount).
/// The base class only keeps time; an update function or a subclass
/// (TqTweener) applies the progress.
class ORVANE_DISPLAYLIST_EXPORT TqAnimate : public TqRefCount {
public:
    TqAnimate();

    void SetDelay(float seconds);
    float GetDelay() const { return delay_; }
    void SetDuration(float seconds);
    float GetDuration() const { return duration_; }
    /// The delay only counts while this flag is set.
    void SetHasDelay(bool hasDelay) { hasDelay_ = hasDelay; }
    bool GetHasDelay() const { return hasDelay_; }
    void SetEasing(int code) { easing_ = code; }
    int GetEasing() const { return easing_; }
    /// Called with the eased progress on every update.
    void SetUpdateFunction(std::function<void(float)> fn) { update_ = std::move(fn); }

    /// Starts the clock at `time` (the editor starts an animation when it is
    /// added unless it was started before).
    void Start(double time);
    bool IsStarted() const { return started_; }
    double GetStartTime() const { return startTime_; }
    double GetEndTime() const;
    /// Started and not yet at its end.
    bool IsRunning(double time) const;
    bool IsFinished(double time) const { return started_ && time >= GetEndTime(); }
    /// Eased progress in [0, 1] at `time` (0 before the start and during the delay).
    float GetProgress(double time) const;
    /// Applies the progress at `time`.
    virtual void Update(double time);

protected:
    ~TqAnimate() override = default;
    virtual void Apply(float progress);

private:
    float delay_ = 0.0f;
    float duration_ = 0.0f;
    bool hasDelay_ = false;
    int easing_ = TqEasing::LINEAR;
    bool started_ = false;
    double startTime_ = 0.0;
    std::function<void(float)> update_;
};

} // namespace displaylist
