// SPDX-License-Identifier: Apache-2.0
#include "common/EventLog.h"

#include "orvane/selection/SelectionChangeEvent.h"

#include <algorithm>

namespace orvane::test {

EventLog::EventLog(EventDispatcher& target, std::initializer_list<int> types) : target_(target), types_(types) {
    callback_ = FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>& e) { events.push_back(e); });
    for (int t : types_) target_.addEventListener(t, callback_);
}

EventLog::~EventLog() {
    for (int t : types_) target_.removeEventListener(t, callback_);
}

int EventLog::count(int type) const {
    return static_cast<int>(
        std::count_if(events.begin(), events.end(), [type](const auto& e) { return e->getType() == type; }));
}

std::vector<int> EventLog::types() const {
    std::vector<int> out;
    for (const auto& e : events) out.push_back(e->getType());
    return out;
}

std::vector<std::string> EventLog::dataNames() const {
    std::vector<std::string> names;
    for (const auto& e : events) {
        auto s = std::dynamic_pointer_cast<SelectionChangeEvent>(e);
        names.push_back(s && s->getDataName() ? *s->getDataName() : "(null)");
    }
    return names;
}

int countEvents(EventDispatcher& target, int type, const std::function<void()>& action) {
    EventLog log(target, {type});
    action();
    return log.count(type);
}

} // namespace orvane::test
