// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/DisplayListRendererFactory.h"

#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/OpenGLES2DisplayListPackage.h"

namespace displaylist {

std::shared_ptr<DisplayListRenderer> DisplayListRendererFactory::createRenderer() {
    return DisplayListRenderer::create(false);
}

} // namespace displaylist
