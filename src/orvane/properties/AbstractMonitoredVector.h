// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/EventDispatcher.h"

namespace orvane {

/// Untyped root of monitored vectors.
class ORVANE_EXPORT AbstractMonitoredVector : public EventDispatcher, public virtual Wrappable {
public:
    /// Event type of every vector change (a host event id).
    static constexpr int VECTOR_CHANGE_EVENT = 3;
    ~AbstractMonitoredVector() override = default;
    virtual size_t erasedSize() const = 0;
};

} // namespace orvane
