// SPDX-License-Identifier: Apache-2.0
#include "orvane/image/ImageUtilities.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListImage.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/DisplayListRendererFactory.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqImageRectangle.h"
#include "orvane/host/core/AssertionFailed.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/image/RasterImage.h"

#include <algorithm>

namespace orvane {

namespace {
constexpr const char* SOURCE = "orvane/image/ImageUtilities";
}

void ImageUtilities::drawImage(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                               const std::shared_ptr<Image>& image, const Rect& rect) {
    if (!editor || !image) return;
    if (std::dynamic_pointer_cast<RasterImage>(image)) {
        auto* node = editor->addImageRectangle(rect);
        node->SetImage(image);
        node->SetScalable(true);
        node->SetAutoRelease(false);
        return;
    }
    if (auto dl = std::dynamic_pointer_cast<displaylist::DisplayListImage>(image)) {
        auto renderer = editor->getRenderer();
        if (dl->isBoundToOtherRenderer(renderer))
            throw AssertionFailed("DislayListImage can only be rawn into a single DisplayListRenderer instance!");
        dl->bindRenderer(renderer);
        float iw = static_cast<float>(dl->getWidth()), ih = static_cast<float>(dl->getHeight());
        float s = 1.0f;
        if (iw > 0.0f) s = std::min(s, rect.width / iw);
        if (ih > 0.0f) s = std::min(s, rect.height / ih);
        editor->openGroup(rect.x, rect.y, rect.width, rect.height, s);
        editor->addNode(dl->getDisplayListRootNode());
        editor->closeGroup();
    }
}

bool ImageUtilities::saveImageToFile(const std::shared_ptr<Image>& image, const std::string& path, int format,
                                     bool flag, unsigned int option) {
    if (format != FORMAT_PNG && format != FORMAT_SVG) {
        ORVANE_LOG(CLog::ERRORS, SOURCE, "Unsupported image format.");
        return false;
    }
    if (!image) {
        ORVANE_LOG(CLog::ERRORS, SOURCE,
                   std::string("Error writing image to ") + (format == FORMAT_PNG ? "PNG" : "SVG") + " file: " + path);
        return false;
    }
    auto renderer = format == FORMAT_SVG ? displaylist::DisplayListRenderer::create(false)
                                         : displaylist::DisplayListRendererFactory::createRenderer();
    renderer->configure(flag, option);
    const float w = static_cast<float>(image->getWidth()), h = static_cast<float>(image->getHeight());
    renderer->setViewport(0.0f, 0.0f, w, h);
    drawImage(renderer->getEditor(), image, {0.0f, 0.0f, w, h});
    if (format == FORMAT_PNG) {
        bool ok = renderer->writePNG(path, !flag, 1.0f);
        if (ok)
            ORVANE_LOG(CLog::INFO, SOURCE, "Image saved to PNG file: " + path);
        else
            ORVANE_LOG(CLog::ERRORS, SOURCE, "Error writing image to PNG file: " + path);
        return ok;
    }
    bool ok = FileSystemManager::writeToFile(renderer->getDisplayListSVGString(), path, true);
    if (ok)
        ORVANE_LOG(CLog::INFO, SOURCE, "Image saved to SVG file: " + path);
    else
        ORVANE_LOG(CLog::ERRORS, SOURCE, "Error writing image to SVG file: " + path);
    return ok;
}

} // namespace orvane
