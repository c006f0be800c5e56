// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"

#include <memory>
#include <set>

namespace orvane {

/// The host's keyboard: it knows which keys are down and dispatches each key
/// press to its listeners (KeyEvent::KeyPressed). A listener that acted on the
/// key says so with setHandledLastAction, so the host does not use the key
/// for anything else.
class ORVANE_HOST_EXPORT KeyManager : public EventDispatcher {
public:
    /// The process-wide key manager (made on first use).
    static std::shared_ptr<KeyManager> getSharedInstance();

    /// The host reports a key going down: it is held until keyReleased, and a
    /// KeyPressed event goes to the listeners. Answers whether a listener
    /// handled it.
    bool keyPressed(int keyCode, int modifiers = 0);
    void keyReleased(int keyCode, int modifiers = 0);
    /// Whether the key is held now.
    bool isPressed(int keyCode) const { return pressed_.count(keyCode) != 0; }
    /// Marks a key as held or not without an event (hosts that learn of
    /// modifiers with a gesture).
    void setPressed(int keyCode, bool pressed);
    void releaseAll() { pressed_.clear(); }

    /// Called by the listener that acted on the key being dispatched.
    void setHandledLastAction() { handled_ = true; }
    bool wasLastActionHandled() const { return handled_; }

private:
    std::set<int> pressed_;
    bool handled_ = false;
};

} // namespace orvane
