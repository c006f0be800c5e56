// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/input/KeyCode.h"

#include <memory>

namespace orvane {

/// A key press or release as the host's key manager delivers it: the key's
/// code (KeyCode) and the modifier keys held (KeyModifier bits).
class ORVANE_HOST_EXPORT KeyEvent : public PortableEvent {
public:
    static constexpr int KeyPressed = 410;   ///< host event id
    static constexpr int KeyReleased = 411;  ///< host event id

    KeyEvent(int type, int keyCode, int modifiers = 0) : PortableEvent(type), code_(keyCode), modifiers_(modifiers) {}
    static std::shared_ptr<KeyEvent> create(int type, int keyCode, int modifiers = 0) {
        return std::make_shared<KeyEvent>(type, keyCode, modifiers);
    }

    int getKeyCode() const { return code_; }
    int getModifiers() const { return modifiers_; }
    bool hasModifier(int bit) const { return (modifiers_ & bit) != 0; }

private:
    int code_;
    int modifiers_;
};

} // namespace orvane
