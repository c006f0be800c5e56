// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include <atomic>

namespace displaylist {

/// Intrusive reference count of display-list objects. An object starts with a
/// count of 0; every holder (a group holding a node, an editor holding an
/// animation, a caller keeping a node across updates) calls Ref() and later
/// Unref(). The Unref() that brings the count to 0 deletes the object.
class ORVANE_DISPLAYLIST_EXPORT TqRefCount {
public:
    void Ref() const { refs_.fetch_add(1, std::memory_order_relaxed); }
    /// Releases one reference; an Unref() without a matching Ref() is logged
    /// and ignored.
    void Unref() const;
    int GetRefCount() const { return refs_.load(std::memory_order_relaxed); }

    TqRefCount(const TqRefCount&) = delete;
    TqRefCount& operator=(const TqRefCount&) = delete;

protected:
    TqRefCount() = default;
    virtual ~TqRefCount() = default;

private:
    mutable std::atomic<int> refs_{0};
};

} // namespace displaylist
