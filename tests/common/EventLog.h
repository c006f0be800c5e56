// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/core/PortableEvent.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace orvane::test {

// The events of the given types a dispatcher sends while the log lives; it
// stops listening when it goes (the dispatcher must outlive it).
class EventLog {
public:
    EventLog(EventDispatcher& target, std::initializer_list<int> types);
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    size_t size() const { return events.size(); }
    int count(int type) const;
    // The types heard, in order.
    std::vector<int> types() const;
    // The data names of the selection changes heard ("(null)" for none).
    std::vector<std::string> dataNames() const;
    void clear() { events.clear(); }

    std::vector<std::shared_ptr<PortableEvent>> events;

private:
    EventDispatcher& target_;
    std::vector<int> types_;
    std::shared_ptr<AbstractEventCallback> callback_;
};

// How many events of the type the dispatcher sends during the action.
int countEvents(EventDispatcher& target, int type, const std::function<void()>& action);

} // namespace orvane::test
