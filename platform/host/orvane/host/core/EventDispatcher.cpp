// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/EventDispatcher.h"

#include "orvane/host/core/CLog.h"

#include <algorithm>
#include <new>

namespace orvane {

namespace {
constexpr int kMaxForwardDepth = 256;

} // namespace

void EventDispatcher::DispatcherList::push_back(EventDispatcher* d) {
    if (word_ & kMany) {
        many()->push_back(d);
    } else if (word_ == 0) {
        word_ = reinterpret_cast<uintptr_t>(d);
    } else {
        auto* v = new std::vector<EventDispatcher*>{reinterpret_cast<EventDispatcher*>(word_), d};
        word_ = reinterpret_cast<uintptr_t>(v) | kMany;
    }
}

// Removes one occurrence, searching from the back: links are mostly removed
// in reverse order of creation.
bool EventDispatcher::DispatcherList::eraseOne(EventDispatcher* d) {
    if (word_ & kMany) {
        auto& v = *many();
        for (size_t i = v.size(); i-- > 0;) {
            if (v[i] == d) {
                v.erase(v.begin() + static_cast<std::ptrdiff_t>(i));
                return true;
            }
        }
        return false;
    }
    if (word_ != 0 && reinterpret_cast<EventDispatcher*>(word_) == d) {
        word_ = 0;
        return true;
    }
    return false;
}

bool EventDispatcher::DispatcherList::contains(const EventDispatcher* d) const {
    for (size_t i = 0, n = size(); i < n; ++i)
        if ((*this)[i] == d) return true;
    return false;
}

void EventDispatcher::DispatcherList::clear() {
    if (word_ & kMany) delete many();
    word_ = 0;
}

std::vector<EventDispatcher*> EventDispatcher::DispatcherList::toVector() const {
    std::vector<EventDispatcher*> v;
    for (size_t i = 0, n = size(); i < n; ++i) v.push_back((*this)[i]);
    return v;
}

std::shared_ptr<EventDispatcher> PortableEvent::getCurrentSourceShared() const {
    auto* w = dynamic_cast<Wrappable*>(currentSource_);
    return w ? w->sharedAs<EventDispatcher>() : nullptr;
}

EventDispatcher::~EventDispatcher() {
    Extra* e = extraOrNull();
    if (!e) {
        // A single parent in the word (a payload keeper has cleared its word).
        if (auto* p = reinterpret_cast<EventDispatcher*>(state_ & ~kFlags); p && p->linksOrNull())
            p->linksOrNull()->children.eraseOne(this);
        return;
    }
    // Unlink both directions so that no dangling pointer survives this object.
    for (size_t i = 0, n = e->links.parents.size(); i < n; ++i)
        if (EventDispatcher* p = e->links.parents[i]; p->linksOrNull()) p->linksOrNull()->children.eraseOne(this);
    for (size_t i = 0, n = e->links.children.size(); i < n; ++i) e->links.children[i]->eraseParentRecord(this);
    delete e;
}

EventDispatcher::Extra& EventDispatcher::extra() {
    if (Extra* e = extraOrNull()) return *e;
    const bool keeper = keepsPayload();
    Extra* e = makeExtra().release();
    if (keeper) {
        e->payload = reinterpret_cast<const void*>(state_ & kPayload);
        e->ownFlag2 = (state_ & kOwnFlag2) != 0;
        state_ = (state_ & (kFlags | kOwnFlag)) | kHasExtra | reinterpret_cast<uintptr_t>(e);
    } else {
        // The single parent kept in the word moves to the list, first.
        if (auto* p = reinterpret_cast<EventDispatcher*>(state_ & ~kFlags)) e->links.parents.push_back(p);
        state_ = (state_ & kFlags) | kHasExtra | reinterpret_cast<uintptr_t>(e);
    }
    return *e;
}

void EventDispatcher::setPayload(const void* p) {
    if (Extra* e = extraOrNull()) e->payload = p;
    else state_ = (state_ & ~kPayload) | reinterpret_cast<uintptr_t>(p);
}

void EventDispatcher::addParentRecord(EventDispatcher* parent) {
    if (!(state_ & kHasExtra) && (state_ & ~kFlags) == 0 && !keepsPayload()) {
        state_ |= reinterpret_cast<uintptr_t>(parent);
        return;
    }
    extra().links.parents.push_back(parent);
}

bool EventDispatcher::eraseParentRecord(EventDispatcher* parent) {
    if (Links* l = linksOrNull()) return l->parents.eraseOne(parent);
    if (!parent || inlineParent() != parent) return false;
    state_ &= kFlags;
    return true;
}

std::shared_ptr<const void> EventDispatcher::keepAlive() const {
    auto* w = dynamic_cast<const Wrappable*>(this);
    return w ? std::shared_ptr<const void>(w->weak_from_this().lock()) : nullptr;
}

EventDispatcher::TypeListeners* EventDispatcher::findListeners(int type) const {
    auto* all = listenersOrNull();
    if (!all) return nullptr;
    for (auto& tl : *all)
        if (tl.type == type) return &tl;
    return nullptr;
}

void EventDispatcher::addEventListener(int type, const std::shared_ptr<AbstractEventCallback>& callback) {
    if (!callback) return;
    auto& all = extra().listeners;
    TypeListeners* tl = findListeners(type);
    if (!tl) {
        all.push_back({type, {}});
        tl = &all.back();
    }
    tl->callbacks.push_back(callback);
}

void EventDispatcher::removeEventListener(int type, const std::shared_ptr<AbstractEventCallback>& callback) {
    if (!callback) return;
    TypeListeners* tl = findListeners(type);
    if (!tl) return;
    auto& v = tl->callbacks;
    for (auto it = v.begin(); it != v.end(); ++it) {
        if (*it == callback || (**it == *callback)) {
            v.erase(it);
            return;
        }
    }
}

void EventDispatcher::removeAllEventListeners() {
    if (Extra* e = extraOrNull()) e->listeners.clear();
}

bool EventDispatcher::hasEventListener(int type) const {
    TypeListeners* tl = findListeners(type);
    return tl && !tl->callbacks.empty();
}

size_t EventDispatcher::getEventListenerCount(int type) const {
    TypeListeners* tl = findListeners(type);
    return tl ? tl->callbacks.size() : 0;
}

bool EventDispatcher::wouldDeliver(int type) const {
    // Depth-first walk over the forwarding parents. Trees are small and acyclic
    // when well formed; the bounds make a malformed graph answer "yes". Most
    // walks are a plain chain (a property, its owner, the owner's holder):
    // those follow the single parent without the stack.
    const EventDispatcher* stack[64];
    int top = 0;
    int visited = 0;
    const EventDispatcher* d = this;
    for (;;) {
        while (d) {
            if (!d->getDispatchIsEnabled()) break;
            const Extra* e = d->extraOrNull();
            if (e && !e->listeners.empty() && d->hasEventListener(type)) return true;
            if (++visited > 4096) return true;
            const EventDispatcher* ip = d->implicitParent();
            const size_t n = e ? e->links.parents.size() : 0;
            if (n == 0) {
                d = ip;
                continue;
            }
            // Further parents wait on the stack; the first is followed now.
            if (ip) {
                if (top == 64) return true;
                stack[top++] = ip;
            }
            for (size_t i = n; i-- > 1;) {
                if (top == 64) return true;
                stack[top++] = e->links.parents[i];
            }
            d = e->links.parents[0];
        }
        if (top == 0) return false;
        d = stack[--top];
    }
}

void EventDispatcher::addForwardTarget(EventDispatcher* parent) {
    if (!parent || parent == this) return;
    addParentRecord(parent);
    parent->extra().links.children.push_back(this);
}

void EventDispatcher::removeForwardTarget(EventDispatcher* parent) {
    if (!parent || !eraseParentRecord(parent)) return;
    if (parent->linksOrNull()) parent->linksOrNull()->children.eraseOne(this);
}

void EventDispatcher::addOneWayForwardTarget(EventDispatcher* child, EventDispatcher* parent) {
    if (!child || !parent || child == parent) return;
    child->addParentRecord(parent);
}

void EventDispatcher::removeOneWayForwardTarget(EventDispatcher* child, EventDispatcher* parent) {
    if (child) child->eraseParentRecord(parent);
}

void EventDispatcher::removeAllForwardSources() {
    if (!linksOrNull()) return;
    for (size_t i = 0, n = linksOrNull()->children.size(); i < n; ++i)
        linksOrNull()->children[i]->eraseParentRecord(this);
    linksOrNull()->children.clear();
}

bool EventDispatcher::hasForwardTarget(const EventDispatcher* parent) const {
    if (Links* l = linksOrNull()) return l->parents.contains(parent);
    return parent && inlineParent() == parent;
}

size_t EventDispatcher::getForwardTargetCount() const {
    if (Links* l = linksOrNull()) return l->parents.size();
    return inlineParent() ? 1 : 0;
}

void EventDispatcher::dispatchEvent(const std::shared_ptr<PortableEvent>& event) {
    if (!event || !getDispatchIsEnabled()) return;
    // A listener may drop the last outside reference to this dispatcher.
    auto keep = keepAlive();
    if (!event->getOriginalSource()) event->setOriginalSource(this);
    EventDispatcher* previous = event->getCurrentSource();
    event->setCurrentSource(this);
    deliverToListeners(event);
    forwardToParents(event);
    event->setCurrentSource(previous ? previous : this);
}

namespace {
// The listeners of one dispatch, copied so that listeners may add or remove
// listeners while it runs. Up to eight are kept on the stack, and only the
// listeners there are constructed (most dispatchers have one or two).
class ListenerSnapshot {
public:
    using Callback = std::shared_ptr<AbstractEventCallback>;
    explicit ListenerSnapshot(const std::vector<Callback>& from) : n_(from.size()) {
        if (n_ <= kInline) {
            for (size_t i = 0; i < n_; ++i) new (&inline_[i]) Callback(from[i]);
            data_ = reinterpret_cast<Callback*>(inline_);
        } else {
            heap_ = from;
            data_ = heap_.data();
        }
    }
    ListenerSnapshot(const ListenerSnapshot&) = delete;
    ListenerSnapshot& operator=(const ListenerSnapshot&) = delete;
    ~ListenerSnapshot() {
        if (n_ <= kInline)
            for (size_t i = 0; i < n_; ++i) data_[i].~Callback();
    }
    size_t size() const { return n_; }
    Callback& operator[](size_t i) { return data_[i]; }

private:
    static constexpr size_t kInline = 8;
    struct alignas(Callback) Slot {
        unsigned char bytes[sizeof(Callback)];
    };
    size_t n_;
    Callback* data_ = nullptr;
    Slot inline_[kInline];
    std::vector<Callback> heap_;
};
} // namespace

void EventDispatcher::deliverToListeners(const std::shared_ptr<PortableEvent>& event) {
    TypeListeners* tl = findListeners(event->getType());
    if (!tl || tl->callbacks.empty()) return;
    ListenerSnapshot snap(tl->callbacks);
    const size_t n = snap.size();
    const int type = event->getType();
    bool sawExpired = false;
    for (size_t i = 0; i < n; ++i) {
        auto& cb = snap[i];
        if (cb->isExpired()) {
            sawExpired = true;
            continue;
        }
        (*cb)(event);
        event->setCurrentSource(this);
    }
    if (sawExpired) {
        if (TypeListeners* now = findListeners(type)) {
            auto& v = now->callbacks;
            v.erase(std::remove_if(v.begin(), v.end(), [](const auto& c) { return c->isExpired(); }), v.end());
        }
    }
}

void EventDispatcher::forwardToParents(const std::shared_ptr<PortableEvent>& event) {
    EventDispatcher* single = linksOrNull() ? nullptr : inlineParent();
    if (!single && (!linksOrNull() || linksOrNull()->parents.empty())) return;
    const int depth = event->forwardDepth();
    if (depth >= kMaxForwardDepth) {
        ORVANE_LOG(CLog::ERRORS, "host/EventDispatcher", "event forwarding stopped: the ownership graph has a cycle");
        return;
    }
    event->setForwardDepth(depth + 1);
    if (single) {
        single->receiveForwardedEvent(event);
    } else if (linksOrNull()->parents.size() == 1) {
        linksOrNull()->parents[0]->receiveForwardedEvent(event);
    } else {
        std::vector<EventDispatcher*> snap = linksOrNull()->parents.toVector();
        for (EventDispatcher* p : snap) {
            // A listener may have unlinked it meanwhile.
            if (linksOrNull() && linksOrNull()->parents.contains(p)) p->receiveForwardedEvent(event);
        }
    }
    event->setForwardDepth(depth);
}

void EventDispatcher::receiveForwardedEvent(const std::shared_ptr<PortableEvent>& event) { dispatchEvent(event); }

} // namespace orvane
