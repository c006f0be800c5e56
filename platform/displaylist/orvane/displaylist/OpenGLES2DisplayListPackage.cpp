// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/OpenGLES2DisplayListPackage.h"

#include <atomic>

namespace displaylist {

namespace {
std::atomic<bool>& interactive() {
    static std::atomic<bool> f{false};
    return f;
}
} // namespace

std::shared_ptr<OpenGLES2DisplayListPackage> OpenGLES2DisplayListPackage::instance() {
    static std::shared_ptr<OpenGLES2DisplayListPackage> p = std::make_shared<OpenGLES2DisplayListPackage>();
    return p;
}

bool OpenGLES2DisplayListPackage::hasInteractiveDisplay() { return interactive().load(); }
void OpenGLES2DisplayListPackage::setHasInteractiveDisplay(bool v) { interactive() = v; }

} // namespace displaylist
