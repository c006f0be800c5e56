// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <functional>
#include <memory>

namespace orvane {

class PortableEvent;

/// A listener registered with an EventDispatcher. Implementations hold their
/// target weakly; an expired callback is skipped and removed by the dispatcher.
class ORVANE_HOST_EXPORT AbstractEventCallback {
public:
    virtual ~AbstractEventCallback() = default;
    virtual void operator()(const std::shared_ptr<PortableEvent>& event) = 0;
    /// The raw target, or null when it has gone.
    virtual void* getObject() const = 0;
    virtual bool isExpired() const = 0;
    /// Removal matches listeners by this comparison.
    virtual bool operator==(const AbstractEventCallback& other) const { return this == &other; }
};

/// A callback around a plain function, for hosts and tests. It never expires.
class ORVANE_HOST_EXPORT FunctionEventCallback : public AbstractEventCallback {
public:
    using Function = std::function<void(const std::shared_ptr<PortableEvent>&)>;
    explicit FunctionEventCallback(Function fn) : fn_(std::move(fn)) {}
    static std::shared_ptr<AbstractEventCallback> create(Function fn) {
        return std::make_shared<FunctionEventCallback>(std::move(fn));
    }
    void operator()(const std::shared_ptr<PortableEvent>& event) override {
        if (fn_) fn_(event);
    }
    void* getObject() const override { return const_cast<FunctionEventCallback*>(this); }
    bool isExpired() const override { return false; }

private:
    Function fn_;
};

} // namespace orvane
