// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>

namespace orvane {

class EventDispatcher;

/// An event with an integer type. While it travels it knows the dispatcher that
/// first sent it (original source) and the one delivering it now (current source).
/// Sources are raw pointers: they are valid while the event is being dispatched.
class ORVANE_HOST_EXPORT PortableEvent : public virtual Wrappable {
public:
    explicit PortableEvent(int type = 0) : type_(type) {}
    ~PortableEvent() override = default;

    static std::shared_ptr<PortableEvent> create(int type) { return std::make_shared<PortableEvent>(type); }

    int getType() const { return type_; }
    void setType(int type) { type_ = type; }

    EventDispatcher* getCurrentSource() const { return currentSource_; }
    EventDispatcher* getOriginalSource() const { return originalSource_; }
    /// Shared owner of the current source, when it has one.
    std::shared_ptr<EventDispatcher> getCurrentSourceShared() const;

    /// Set by the dispatcher.
    void setCurrentSource(EventDispatcher* d) { currentSource_ = d; }
    void setOriginalSource(EventDispatcher* d) { originalSource_ = d; }

    /// Forwarding depth, used to stop events that would cycle through a
    /// malformed ownership graph.
    int forwardDepth() const { return depth_; }
    void setForwardDepth(int d) { depth_ = d; }

private:
    int type_;
    EventDispatcher* currentSource_ = nullptr;
    EventDispatcher* originalSource_ = nullptr;
    int depth_ = 0;
};

} // namespace orvane
