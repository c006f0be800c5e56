// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/core/Wrappable.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace orvane {

/// Synchronous event dispatch. Listeners are kept per event type in registration
/// order; a dispatch runs over a snapshot, so listeners may add or remove
/// listeners (or dispatch again) while it runs. Every listener has run when
/// dispatchEvent returns.
///
/// Forwarding: a dispatcher may forward every event it dispatches to parent
/// dispatchers (a property to its owner, a child model to the property holding
/// it). A forwarded event is dispatched again on the parent with the parent as
/// current source, so listeners higher up the model tree see changes below.
///
/// A dispatcher is one word besides its virtual table: listeners and links
/// live in a block allocated on first use, and the flags share the word. Until
/// then the word also holds a single forwarding parent (a model held by one
/// property, an element of one vector), so the commonest link costs nothing
/// more. It is not a Wrappable itself, so that properties (which are
/// dispatchers) do not carry a weak self-pointer; classes handed across the
/// library boundary add the Wrappable root themselves.
class ORVANE_HOST_EXPORT EventDispatcher {
public:
    EventDispatcher() = default;
    EventDispatcher(const EventDispatcher&) = delete;
    EventDispatcher& operator=(const EventDispatcher&) = delete;
    virtual ~EventDispatcher();

    virtual void dispatchEvent(const std::shared_ptr<PortableEvent>& event);

    void addEventListener(int type, const std::shared_ptr<AbstractEventCallback>& callback);
    /// Removes the first listener of that type equal (operator==) to callback.
    void removeEventListener(int type, const std::shared_ptr<AbstractEventCallback>& callback);
    void removeAllEventListeners();
    bool hasEventListener(int type) const;
    size_t getEventListenerCount(int type) const;

    /// True when an event of this type dispatched here would reach a listener,
    /// here or on a forwarding parent. Lets senders skip building events nobody
    /// will see.
    bool wouldDeliver(int type) const;

    bool getDispatchIsEnabled() const { return (state_ & kDispatchOff) == 0; }
    void setDispatchIsEnabled(bool enabled) { state_ = enabled ? state_ & ~kDispatchOff : state_ | kDispatchOff; }

    bool getCachingIsEnabled() const { return (state_ & kCachingOn) != 0; }
    virtual void setCachingIsEnabled(bool enabled) { state_ = enabled ? state_ | kCachingOn : state_ & ~kCachingOn; }
    /// Drops whatever was held back while caching was on.
    virtual void clearCache() {}

    /// False for objects that never dispatch (a value holder such as Dimension):
    /// holders then need not link to them for forwarding.
    virtual bool forwardsEvents() const { return true; }

    /// Forwarding links (not owning: each side unlinks itself when it dies).
    void addForwardTarget(EventDispatcher* parent);
    void removeForwardTarget(EventDispatcher* parent);
    bool hasForwardTarget(const EventDispatcher* parent) const;
    /// Unlinks every dispatcher that forwards to this one.
    void removeAllForwardSources();
    size_t getForwardTargetCount() const;

    /// Entry point for an event forwarded from a child; dispatches it here.
    virtual void receiveForwardedEvent(const std::shared_ptr<PortableEvent>& event);

    /// The shared owner of this dispatcher, held while it dispatches (a
    /// listener may drop the last outside reference); empty when the object is
    /// not a Wrappable owned by a shared pointer.
    virtual std::shared_ptr<const void> keepAlive() const;

protected:
    void deliverToListeners(const std::shared_ptr<PortableEvent>& event);
    void forwardToParents(const std::shared_ptr<PortableEvent>& event);
    /// Parents beyond the forwarding links of the extra block, for wouldDeliver:
    /// here the single parent kept in the word. A dispatcher that keeps a
    /// payload answers its own (a property's owner).
    virtual EventDispatcher* implicitParent() const { return inlineParent(); }

    /// Links child to parent without a record on the parent's side: for a
    /// parent that unlinks the child itself before it dies (a property and the
    /// value it holds). The parent then needs no extra block for the link.
    static void addOneWayForwardTarget(EventDispatcher* child, EventDispatcher* parent);
    static void removeOneWayForwardTarget(EventDispatcher* child, EventDispatcher* parent);

    struct TypeListeners {
        int type;
        std::vector<std::shared_ptr<AbstractEventCallback>> callbacks;
    };
    /// A list of dispatchers in one word: empty, the single entry itself (most
    /// dispatchers forward to one parent, most parents hold one child), or a
    /// heap vector once it holds more.
    class DispatcherList {
    public:
        DispatcherList() = default;
        DispatcherList(const DispatcherList&) = delete;
        DispatcherList& operator=(const DispatcherList&) = delete;
        ~DispatcherList() {
            if (word_ & kMany) delete many();
        }
        size_t size() const { return (word_ & kMany) ? many()->size() : (word_ ? 1 : 0); }
        bool empty() const { return word_ == 0 || ((word_ & kMany) && many()->empty()); }
        EventDispatcher* operator[](size_t i) const {
            return (word_ & kMany) ? (*many())[i] : reinterpret_cast<EventDispatcher*>(word_);
        }
        void push_back(EventDispatcher* d);
        bool eraseOne(EventDispatcher* d);  ///< last occurrence
        bool contains(const EventDispatcher* d) const;
        void clear();
        std::vector<EventDispatcher*> toVector() const;

    private:
        static constexpr uintptr_t kMany = 1;
        std::vector<EventDispatcher*>* many() const {
            return reinterpret_cast<std::vector<EventDispatcher*>*>(word_ & ~kMany);
        }
        uintptr_t word_ = 0;
    };
    struct Links {
        DispatcherList parents;
        DispatcherList children;  ///< dispatchers forwarding to this one
    };
    /// Listeners and forwarding links, allocated together on first use: most
    /// dispatchers (most properties) never have either. Subclasses may keep
    /// more of their rarely used state here (makeExtra).
    struct alignas(16) Extra {
        virtual ~Extra() = default;
        std::vector<TypeListeners> listeners;
        Links links;
        const void* payload = nullptr;
        bool ownFlag2 = false;
    };
    virtual std::unique_ptr<Extra> makeExtra() const { return std::make_unique<Extra>(); }
    Extra* extraOrNull() const { return (state_ & kHasExtra) ? reinterpret_cast<Extra*>(state_ & kAligned) : nullptr; }
    Extra& extra();

    /// Payload: a pointer (32-byte aligned) a subclass keeps in the
    /// dispatcher's word while there is no extra block, and in the block
    /// afterwards, with two flag bits of its own beside it (the second moves
    /// to the block with the payload). Such a dispatcher answers true to
    /// keepsPayload; its word then never holds a parent. Its destructor clears
    /// the word (setPayload(nullptr), setOwnFlag(false), setOwnFlag2(false)).
    virtual bool keepsPayload() const { return false; }
    const void* payload() const {
        if (state_ & kHasExtra) return reinterpret_cast<Extra*>(state_ & kAligned)->payload;
        return reinterpret_cast<const void*>(state_ & kPayload);
    }
    void setPayload(const void* p);
    bool ownFlag() const { return (state_ & kOwnFlag) != 0; }
    void setOwnFlag(bool on) { state_ = on ? state_ | kOwnFlag : state_ & ~kOwnFlag; }
    bool ownFlag2() const {
        if (state_ & kHasExtra) return reinterpret_cast<Extra*>(state_ & kAligned)->ownFlag2;
        return (state_ & kOwnFlag2) != 0;
    }
    void setOwnFlag2(bool on) {
        if (state_ & kHasExtra)
            reinterpret_cast<Extra*>(state_ & kAligned)->ownFlag2 = on;
        else
            state_ = on ? state_ | kOwnFlag2 : state_ & ~kOwnFlag2;
    }
    /// The single parent kept in the word (none once the extra block exists).
    EventDispatcher* inlineParent() const {
        if ((state_ & kHasExtra) || (state_ & ~kFlags) == 0 || keepsPayload()) return nullptr;
        return reinterpret_cast<EventDispatcher*>(state_ & ~kFlags);
    }

private:
    static constexpr uintptr_t kHasExtra = 1, kDispatchOff = 2, kCachingOn = 4, kFlags = 7;
    /// Bit 3: the payload keeper's own flag; bit 4 its second while there is
    /// no extra block. Extra blocks are 16-byte aligned, payloads 32-byte,
    /// inline parents only 8-byte.
    static constexpr uintptr_t kOwnFlag = 8, kOwnFlag2 = 16, kAligned = ~uintptr_t(15), kPayload = ~uintptr_t(31);
    std::vector<TypeListeners>* listenersOrNull() const { return extraOrNull() ? &extraOrNull()->listeners : nullptr; }
    Links* linksOrNull() const { return extraOrNull() ? &extraOrNull()->links : nullptr; }
    void addParentRecord(EventDispatcher* parent);
    bool eraseParentRecord(EventDispatcher* parent);
    /// The extra block, the payload or the single parent, and the flags in the
    /// low bits.
    uintptr_t state_ = 0;

    TypeListeners* findListeners(int type) const;
};

} // namespace orvane
