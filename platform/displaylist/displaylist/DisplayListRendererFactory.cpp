#include "displaylist/DisplayListRendererFactory.h"

#include "displaylist/DisplayListRenderer.h"
#include "displaylist/OpenGLES2DisplayListPackage.h"

namespace displaylist {

std::shared_ptr<DisplayListRenderer> DisplayListRendererFactory::createRenderer() {
    return DisplayListRenderer::create(false);
}

} // namespace displaylist
