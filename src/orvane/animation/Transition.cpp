#include "orvane/animation/Transition.h"

#include <algorithm>
#include <cmath>

namespace orvane {

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
    double sum = 0.0;
    for (auto& p : *phases_) sum += p->getDurationFraction();
    if (sum < 0.0 || sum > 1.0) {
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
    const float delay = static_cast<float>(delay_);
    const float duration = static_cast<float>(duration_);
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
