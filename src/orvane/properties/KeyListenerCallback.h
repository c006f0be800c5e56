// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/input/Focusable.h"
#include "orvane/properties/EventCallback.h"

#include <memory>

namespace orvane {

/// A key listener: calls its handler only while the focus target exists and has
/// keyboard focus.
template <class T>
class KeyListenerCallback : public EventCallback<T> {
public:
    using Handler = typename EventCallback<T>::Handler;

    KeyListenerCallback(const std::shared_ptr<T>& target, const std::shared_ptr<Focusable>& focus, Handler handler)
        : EventCallback<T>(target, handler), focus_(focus) {}
    static std::shared_ptr<AbstractEventCallback> create(const std::shared_ptr<T>& target,
                                                         const std::shared_ptr<Focusable>& focus, Handler handler) {
        return std::make_shared<KeyListenerCallback<T>>(target, focus, handler);
    }

    void operator()(const std::shared_ptr<PortableEvent>& event) override {
        auto f = focus_.lock();
        if (!f || !f->hasKeyboardFocus()) return;
        EventCallback<T>::operator()(event);
    }
    bool isExpired() const override { return EventCallback<T>::isExpired() || focus_.expired(); }
    bool operator==(const AbstractEventCallback& other) const override {
        if (this == &other) return true;
        auto* o = dynamic_cast<const KeyListenerCallback<T>*>(&other);
        if (!o) return false;
        auto a = this->target_.lock();
        auto fa = focus_.lock();
        return a && a == o->target_.lock() && this->handler_ == o->handler_ && fa && fa == o->focus_.lock();
    }

private:
    std::weak_ptr<Focusable> focus_;
};

} // namespace orvane
