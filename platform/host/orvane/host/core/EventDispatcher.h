#pragma once
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/core/Wrappable.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace orvane {

// Synchronous event dispatch. Listeners are kept per event type in registration
// order; a dispatch runs over a snapshot, so listeners may add or remove
// listeners (or dispatch again) while it runs. Every listener has run when
// dispatchEvent returns.
//
// Forwarding: a dispatcher may forward every event it dispatches to parent
// dispatchers (a property to its owner, a child model to the property holding
// it). A forwarded event is dispatched again on the parent with the parent as
// current source, so listeners higher up the model tree see changes below.
class EventDispatcher : public virtual Wrappable {
public:
    EventDispatcher() = default;
    EventDispatcher(const EventDispatcher&) = delete;
    EventDispatcher& operator=(const EventDispatcher&) = delete;
    ~EventDispatcher() override;

    virtual void dispatchEvent(const std::shared_ptr<PortableEvent>& event);

    void addEventListener(int type, const std::shared_ptr<AbstractEventCallback>& callback);
    // Removes the first listener of that type equal (operator==) to callback.
    void removeEventListener(int type, const std::shared_ptr<AbstractEventCallback>& callback);
    void removeAllEventListeners();
    bool hasEventListener(int type) const;
    size_t getEventListenerCount(int type) const;

    // True when an event of this type dispatched here would reach a listener,
    // here or on a forwarding parent. Lets senders skip building events nobody
    // will see.
    bool wouldDeliver(int type) const;

    bool getDispatchIsEnabled() const { return dispatchEnabled_; }
    void setDispatchIsEnabled(bool enabled) { dispatchEnabled_ = enabled; }

    bool getCachingIsEnabled() const { return cachingEnabled_; }
    virtual void setCachingIsEnabled(bool enabled) { cachingEnabled_ = enabled; }
    // Drops whatever was held back while caching was on.
    virtual void clearCache() {}

    // False for objects that never dispatch (a value holder such as Dimension):
    // holders then need not link to them for forwarding.
    virtual bool forwardsEvents() const { return true; }

    // Forwarding links (not owning: each side unlinks itself when it dies).
    void addForwardTarget(EventDispatcher* parent);
    void removeForwardTarget(EventDispatcher* parent);
    bool hasForwardTarget(const EventDispatcher* parent) const;
    // Unlinks every dispatcher that forwards to this one.
    void removeAllForwardSources();
    size_t getForwardTargetCount() const { return extra_ ? extra_->links.parents.size() : 0; }

    // Entry point for an event forwarded from a child; dispatches it here.
    virtual void receiveForwardedEvent(const std::shared_ptr<PortableEvent>& event);

protected:
    void deliverToListeners(const std::shared_ptr<PortableEvent>& event);
    void forwardToParents(const std::shared_ptr<PortableEvent>& event);
    // Parents beyond the forwarding links (a property's owner), for wouldDeliver.
    virtual EventDispatcher* implicitParent() const { return nullptr; }

private:
    struct TypeListeners {
        int type;
        std::vector<std::shared_ptr<AbstractEventCallback>> callbacks;
    };
    // A list of dispatchers that keeps up to two entries inline: most
    // dispatchers forward to one parent, most parents hold one child.
    class DispatcherList {
    public:
        size_t size() const { return heap_ ? heap_->size() : count_; }
        bool empty() const { return size() == 0; }
        EventDispatcher* operator[](size_t i) const { return heap_ ? (*heap_)[i] : inline_[i]; }
        void push_back(EventDispatcher* d);
        bool eraseOne(EventDispatcher* d);  // last occurrence
        bool contains(const EventDispatcher* d) const;
        void clear();
        std::vector<EventDispatcher*> toVector() const;
        ~DispatcherList() { delete heap_; }

    private:
        EventDispatcher* inline_[2] = {nullptr, nullptr};
        size_t count_ = 0;
        std::vector<EventDispatcher*>* heap_ = nullptr;
    };
    struct Links {
        DispatcherList parents;
        DispatcherList children;  // dispatchers forwarding to this one
    };
    // Listeners and forwarding links, allocated together on first use: most
    // dispatchers (most properties) never have either.
    struct Extra {
        std::vector<TypeListeners> listeners;
        Links links;
    };
    std::unique_ptr<Extra> extra_;
    Extra& extra() {
        if (!extra_) extra_ = std::make_unique<Extra>();
        return *extra_;
    }
    std::vector<TypeListeners>* listenersOrNull() const { return extra_ ? &extra_->listeners : nullptr; }
    Links* linksOrNull() const { return extra_ ? &extra_->links : nullptr; }
    bool dispatchEnabled_ = true;
    bool cachingEnabled_ = false;

    TypeListeners* findListeners(int type) const;
};

} // namespace orvane
