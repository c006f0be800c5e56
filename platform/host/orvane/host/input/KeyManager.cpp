// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/input/KeyManager.h"

#include "orvane/host/input/KeyEvent.h"

namespace orvane {

std::shared_ptr<KeyManager> KeyManager::getSharedInstance() {
    static const std::shared_ptr<KeyManager> instance = std::make_shared<KeyManager>();
    return instance;
}

bool KeyManager::keyPressed(int keyCode, int modifiers) {
    // Modifier keys are held while the others are pressed.
    pressed_.insert(keyCode);
    handled_ = false;
    dispatchEvent(KeyEvent::create(KeyEvent::KeyPressed, keyCode, modifiers));
    return handled_;
}

void KeyManager::keyReleased(int keyCode, int modifiers) {
    pressed_.erase(keyCode);
    dispatchEvent(KeyEvent::create(KeyEvent::KeyReleased, keyCode, modifiers));
}

void KeyManager::setPressed(int keyCode, bool pressed) {
    if (pressed) pressed_.insert(keyCode);
    else pressed_.erase(keyCode);
}

} // namespace orvane
