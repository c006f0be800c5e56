// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PropertyOwner.h"
#include "orvane/host/input/TransitionTypes.h"
#include "orvane/animation/AnimationManager.h"
#include "orvane/animation/TransitionPhase.h"

#include <memory>
#include <vector>

namespace orvane {

class PickResult;

/// A change of view state played over time: it holds back the property changes
/// of its models (their owners cache pending values), plays its phases one
/// after another, and releases the held-back values at the phase that asks for
/// it, so that views re-render in the new state while animations run.
class ORVANE_EXPORT Transition : public AnimationManager, public std::enable_shared_from_this<Transition> {
public:
    using PhaseList = std::vector<std::shared_ptr<TransitionPhase>>;

    Transition(int type, double delay, double duration);
    ~Transition() override;

    static std::shared_ptr<Transition> create(int type, double delay, double duration);
    /// Type 2, duration 1.5 s, one phase of type 2 with easing 4.
    static std::shared_ptr<Transition> createDataSourceChange();
    /// Type 6, duration 1.5 s, one phase of type 2 with easing 4.
    static std::shared_ptr<Transition> createPFDArrangementChange();

    /// Phases (ignored while active; adding one clears the deactivated flag).
    void addPhase(const std::shared_ptr<TransitionPhase>& phase);
    void setPhases(std::shared_ptr<PhaseList> phases);
    std::shared_ptr<PhaseList> getPhases() const { return phases_; }
    std::shared_ptr<TransitionPhase> getCurrentPhase() const { return currentPhase_; }

    int getType() const { return type_; }
    void setType(int t) { type_ = t; }
    double getDelay() const override { return delay_; }
    void setDelay(double d) { delay_ = d; }
    double getDuration() const override { return duration_; }
    void setDuration(double d) { duration_ = d; }

    /// Holding back model changes.
    void addModel(const std::shared_ptr<PropertyOwner>& owner);
    void removeModel(const std::shared_ptr<PropertyOwner>& owner);
    void removeAllModels();
    std::shared_ptr<std::vector<std::weak_ptr<PropertyOwner>>> getModels() const { return models_; }
    void applyCachedPropertyChanges();
    void clearCachedPropertyChanges();

    void setPickResult(std::shared_ptr<PickResult> r) { pickResult_ = std::move(r); }
    std::shared_ptr<PickResult> getPickResult() const { return pickResult_; }

    /// AnimationManager
    bool isActive() const override { return active_; }
    bool isDeactivated() const override { return deactivated_; }
    void deactivate() override;
    void activate(double time) override;
    void update(double time) override;
    bool needsLayout() const override { return needsLayout_; }
    bool needsUpdateDisplayList() const override { return needsUpdateDisplayList_; }
    void layoutUpdated(double time) override;
    void displayListUpdated(double time) override;
    void removeAllAnimationNodes() override;

    /// Views ask for a layout or display-list pass while a phase plays.
    void setNeedsLayout(bool b) { needsLayout_ = b; }
    void setNeedsUpdateDisplayList(bool b) { needsUpdateDisplayList_ = b; }

protected:
    void nextPhase(double time);

private:
    bool active_ = false;
    bool needsLayout_ = false;
    bool needsUpdateDisplayList_ = false;
    bool deactivated_ = false;
    int type_;
    double delay_;
    double duration_;
    std::shared_ptr<PhaseList> phases_;
    std::shared_ptr<TransitionPhase> currentPhase_;
    std::shared_ptr<std::vector<std::weak_ptr<PropertyOwner>>> models_;
    std::shared_ptr<PickResult> pickResult_;
};

} // namespace orvane
