// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortableEvent.h"

namespace orvane {

/// Root of vector change events: additions and deletions, type-erased.
class ORVANE_EXPORT ErasedVectorChangeEvent : public PortableEvent {
public:
    explicit ErasedVectorChangeEvent(int type) : PortableEvent(type) {}
    /// Pointers to the std::vector<T> of additions / deletions.
    virtual const void* getErasedAdditions() const = 0;
    virtual const void* getErasedDeletions() const = 0;
    virtual size_t getAdditionCount() const = 0;
    virtual size_t getDeletionCount() const = 0;
};

} // namespace orvane
