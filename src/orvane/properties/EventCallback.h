// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/PortableEvent.h"

#include <memory>
#include <typeinfo>

namespace orvane {

/// A listener that calls a member function of a weakly held target. When the
/// target has gone the callback does nothing and reports itself expired.
template <class T>
class EventCallback : public AbstractEventCallback {
public:
    using Handler = void (T::*)(const std::shared_ptr<PortableEvent>&);

    EventCallback(const std::shared_ptr<T>& target, Handler handler) : target_(target), handler_(handler) {}
    static std::shared_ptr<AbstractEventCallback> create(const std::shared_ptr<T>& target, Handler handler) {
        return std::make_shared<EventCallback<T>>(target, handler);
    }

    void operator()(const std::shared_ptr<PortableEvent>& event) override {
        auto t = target_.lock();
        if (!t || !handler_) return;
        ((*t).*handler_)(event);
    }
    void* getObject() const override {
        auto t = target_.lock();
        return t ? static_cast<void*>(t.get()) : nullptr;
    }
    bool isExpired() const override { return target_.expired(); }
    // Equal when another EventCallback<T> calls the same handler on the same target.
    bool operator==(const AbstractEventCallback& other) const override {
        if (this == &other) return true;
        if (typeid(*this) != typeid(other)) return false;
        auto* o = static_cast<const EventCallback<T>*>(&other);
        auto a = target_.lock();
        return a && a == o->target_.lock() && handler_ == o->handler_;
    }

    std::shared_ptr<T> getTarget() const { return target_.lock(); }
    Handler getHandler() const { return handler_; }

protected:
    std::weak_ptr<T> target_;
    Handler handler_;
};

} // namespace orvane

