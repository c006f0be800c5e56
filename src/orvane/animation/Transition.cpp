// SPDX-License-Identifier: Apache-2.0
#include "orvane/animation/Transition.h"

#include "orvane/host/core/CLog.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>

namespace orvane {

namespace {
// A delay or duration that is not a finite number of seconds (in single
// precision) would give the phase an end time that never comes: it counts as
// zero, and the first such value is logged.
float finiteSeconds(double seconds) {
    const float f = static_cast<float>(seconds);
    if (std::isfinite(f)) return f;
    static std::atomic<bool> logged{false};
    if (!logged.exchange(true))
        ORVANE_LOG(CLog::ERRORS, "orvane/animation/Transition",
                   "transition delay or duration is not a finite number of seconds; it counts as 0");
    return 0.0f;
}
} // namespace

Transition::Transition(int type, double delay, double duration) : type_(type), delay_(delay), duration_(duration) {}

Transition::~Transition() { removeAllModels(); }

std::shared_ptr<Transition> Transition::create(int type, double delay, double duration) {
    return std::make_shared<Transition>(type, delay, duration);
}

std::shared_ptr<Transition> Transition::createDataSourceChange() {
    auto t = create(TransitionTypes::DATA_SOURCE_CHANGE, 0.0, 1.5);
    auto phase = TransitionPhase::create(TransitionPhaseTypes::MORPH, 0.0f, 1.0f, false);
    phase->setEasingFunction(4);
    t->addPhase(phase);
    return t;
}

std::shared_ptr<Transition> Transition::createPFDArrangementChange() {
    auto t = create(TransitionTypes::PFD_ARRANGEMENT, 0.0, 1.5);
    auto phase = TransitionPhase::create(TransitionPhaseTypes::MORPH, 0.0f, 1.0f, false);
    phase->setEasingFunction(4);
    t->addPhase(phase);
    return t;
}

void Transition::addPhase(const std::shared_ptr<TransitionPhase>& phase) {
    if (active_ || !phase) return;
    if (!phases_) phases_ = std::make_shared<PhaseList>();
    phases_->push_back(phase);
    deactivated_ = false;
}

void Transition::setPhases(std::shared_ptr<PhaseList> phases) {
    if (active_) return;
    phases_ = std::move(phases);
    if (phases_ && !phases_->empty()) deactivated_ = false;
}

void Transition::addModel(const std::shared_ptr<PropertyOwner>& owner) {
    if (active_ || !owner) return;
    owner->setCachingIsEnabled(true);
    if (!models_) models_ = std::make_shared<std::vector<std::weak_ptr<PropertyOwner>>>();
    models_->push_back(owner);
}

void Transition::removeModel(const std::shared_ptr<PropertyOwner>& owner) {
    if (active_ || !owner || !models_) return;
    auto& m = *models_;
    bool found = false;
    m.erase(std::remove_if(m.begin(), m.end(),
                           [&](const std::weak_ptr<PropertyOwner>& w) {
                               auto o = w.lock();
                               bool match = o == owner;
                               found = found || match;
                               return match || !o;
                           }),
            m.end());
    if (found) {
        owner->clearCache();
        owner->setCachingIsEnabled(false);
    }
}

void Transition::removeAllModels() {
    if (!models_) return;
    auto models = std::move(models_);
    models_.reset();
    for (auto& w : *models) {
        if (auto o = w.lock()) {
            o->clearCache();
            o->setCachingIsEnabled(false);
        }
    }
}

void Transition::applyCachedPropertyChanges() {
    if (!active_ || !models_) return;
    auto models = *models_;  // listeners may add or remove models meanwhile
    for (auto& w : models)
        if (auto o = w.lock()) o->applyCache();
}

void Transition::clearCachedPropertyChanges() {
    if (!models_) return;
    auto models = *models_;
    for (auto& w : models)
        if (auto o = w.lock()) o->clearCache();
}

void Transition::deactivate() {
    removeAllAnimationNodes();
    currentPhase_.reset();
    phases_.reset();
    active_ = false;
    needsLayout_ = false;
    needsUpdateDisplayList_ = false;
    deactivated_ = true;
}

void Transition::activate(double time) {
    if (deactivated_ || active_) return;
    if (!phases_ || phases_->empty()) {
        deactivate();
        return;
    }
    // The fractions are floats: 0.6f + 0.4f adds up to a little over 1 in
    // double. Allow the rounding of one float per phase before re-spreading.
    double sum = 0.0;
    for (auto& p : *phases_) sum += p->getDurationFraction();
    const double slack = static_cast<double>(std::numeric_limits<float>::epsilon()) * static_cast<double>(phases_->size());
    if (!(sum >= -slack && sum <= 1.0 + slack)) {  // NaN fractions are re-spread too
        float each = std::clamp(1.0f / static_cast<float>(phases_->size()), 0.0f, 1.0f);
        for (auto& p : *phases_) {
            p->setDurationFraction(each);
            p->setDelayFraction(0.0f);
        }
    }
    active_ = true;
    nextPhase(time);
}

void Transition::nextPhase(double time) {
    if (!active_ || deactivated_) return;
    if (!phases_ || phases_->empty()) {
        deactivate();
        return;
    }
    auto phase = phases_->front();
    phases_->erase(phases_->begin());
    const float delay = finiteSeconds(delay_);
    const float duration = finiteSeconds(duration_);
    // Each product rounded to single precision before it is added.
    float delayPart = phase->getDelayFraction() * delay;
    float durationPart = phase->getDurationFraction() * duration;
    phase->setEndTime(time + static_cast<double>(delayPart) + static_cast<double>(durationPart));
    phase->setMinimumDelayAndMaximumDurationInSeconds(delay, duration);
    removeAllAnimationNodes();
    currentPhase_ = phase;
    needsUpdateDisplayList_ = true;
    if (phase->getApplyCachedChanges()) applyCachedPropertyChanges();
}

void Transition::update(double time) {
    if (deactivated_) return;
    if (!active_) {
        activate(time);
        return;
    }
    if (currentPhase_ && time >= currentPhase_->getEndTime()) nextPhase(time);
}

void Transition::layoutUpdated(double time) {
    needsLayout_ = false;
    update(time);
}

void Transition::displayListUpdated(double time) {
    needsUpdateDisplayList_ = false;
    update(time);
}

void Transition::removeAllAnimationNodes() {
    if (currentPhase_) currentPhase_->clearAnimations();
}

} // namespace orvane
