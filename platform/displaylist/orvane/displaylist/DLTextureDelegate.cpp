// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/DLTextureDelegate.h"

#include <mutex>

namespace displaylist {

namespace {
struct Current {
    std::mutex mutex;
    std::weak_ptr<DisplayListRenderer> renderer;
};
Current& current() {
    static Current c;
    return c;
}
} // namespace

void DLTextureDelegate::setCurrentDisplayListRenderer(const std::shared_ptr<DisplayListRenderer>& renderer) {
    std::lock_guard<std::mutex> lock(current().mutex);
    current().renderer = renderer;
}

std::shared_ptr<DisplayListRenderer> DLTextureDelegate::getCurrentDisplayListRenderer() {
    std::lock_guard<std::mutex> lock(current().mutex);
    return current().renderer.lock();
}

} // namespace displaylist
