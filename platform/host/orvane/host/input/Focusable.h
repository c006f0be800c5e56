// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>

namespace orvane {

/// Something that can hold mouse or keyboard focus. The host moves focus with
/// FocusManager, which calls the hooks below.
class ORVANE_HOST_EXPORT Focusable : public virtual Wrappable {
public:
    ~Focusable() override = default;
    virtual void didGainMouseFocus() {}
    virtual void willLoseMouseFocus() {}
    virtual void didGainKeyboardFocus() {}
    virtual void willLoseKeyboardFocus() {}
    virtual bool hasKeyboardFocus() const;
    virtual bool hasMouseFocus() const;
};

/// Process-wide focus state of the host.
class ORVANE_HOST_EXPORT FocusManager {
public:
    /// Gives keyboard focus to target (or takes it away with null). The previous
    /// holder is told first (willLoseKeyboardFocus), then the new one.
    static void setKeyboardFocus(const std::shared_ptr<Focusable>& target);
    static std::shared_ptr<Focusable> getKeyboardFocus();
    static void setMouseFocus(const std::shared_ptr<Focusable>& target);
    static std::shared_ptr<Focusable> getMouseFocus();
};

} // namespace orvane
