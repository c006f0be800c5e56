// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <memory>

namespace orvane {

/// Root of every object the host hands across the library boundary. Objects are
/// held by shared pointer; the enable_shared_from_this sits here, in a single
/// (virtual) root, so that any class in a diamond can find its own shared owner.
class ORVANE_HOST_EXPORT Wrappable : public std::enable_shared_from_this<Wrappable> {
public:
    Wrappable() = default;
    Wrappable(const Wrappable&) : std::enable_shared_from_this<Wrappable>() {}
    Wrappable& operator=(const Wrappable&) { return *this; }
    virtual ~Wrappable() = default;

    /// Fixed integer that identifies the exported class to language wrappers.
    virtual int getWrapperTypeId() const { return 0; }

    /// Shared owner of this object cast to T, or empty when the object is not
    /// (or no longer) owned by a shared pointer or is not a T.
    template <class T>
    std::shared_ptr<T> sharedAs() {
        return std::dynamic_pointer_cast<T>(weak_from_this().lock());
    }
    template <class T>
    std::shared_ptr<const T> sharedAs() const {
        return std::dynamic_pointer_cast<const T>(weak_from_this().lock());
    }
    template <class T>
    std::weak_ptr<T> weakAs() {
        return sharedAs<T>();
    }
};

} // namespace orvane
