// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/input/Focusable.h"

namespace orvane {

namespace {
std::weak_ptr<Focusable>& keyboardHolder() {
    static std::weak_ptr<Focusable> w;
    return w;
}
std::weak_ptr<Focusable>& mouseHolder() {
    static std::weak_ptr<Focusable> w;
    return w;
}
} // namespace

bool Focusable::hasKeyboardFocus() const {
    auto cur = keyboardHolder().lock();
    return cur && cur.get() == this;
}

bool Focusable::hasMouseFocus() const {
    auto cur = mouseHolder().lock();
    return cur && cur.get() == this;
}

void FocusManager::setKeyboardFocus(const std::shared_ptr<Focusable>& target) {
    auto cur = keyboardHolder().lock();
    if (cur == target) return;
    if (cur) cur->willLoseKeyboardFocus();
    keyboardHolder() = target;
    if (target) target->didGainKeyboardFocus();
}

std::shared_ptr<Focusable> FocusManager::getKeyboardFocus() { return keyboardHolder().lock(); }

void FocusManager::setMouseFocus(const std::shared_ptr<Focusable>& target) {
    auto cur = mouseHolder().lock();
    if (cur == target) return;
    if (cur) cur->willLoseMouseFocus();
    mouseHolder() = target;
    if (target) target->didGainMouseFocus();
}

std::shared_ptr<Focusable> FocusManager::getMouseFocus() { return mouseHolder().lock(); }

} // namespace orvane
