// SPDX-License-Identifier: Apache-2.0
// Reads a rich-text model document, lays it out on a page and writes a PNG,
// with nothing but the installed library.
// Usage: orvane_consumer IN.xml OUT.png [WIDTH]   (the page is as tall as the text)
#include <orvane/Version.h>
#include <orvane/displaylist/DisplayListRenderer.h>
#include <orvane/host/io/FileSystemManager.h>
#include <orvane/host/io/ResourceManager.h>
#include <orvane/package/Div.h>
#include <orvane/package/OrvaneUIDeserializer.h>
#include <orvane/view/RichTextView.h>

#include <cmath>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    using namespace orvane;
    const float W = argc == 4 ? std::strtof(argv[3], nullptr) : 480, margin = 12;
    if (argc < 3 || argc > 4 || !(W >= 2 * margin + 1 && W <= 16384))
        return std::cerr << "usage: orvane_consumer IN.xml OUT.png [WIDTH: 25 to 16384 pixels]\n", 2;
    std::cout << "libOrvaneUI " << version() << " (headers " << ORVANE_VERSION_STRING << ")\n";
    // The message catalogue is found beside the installed library.
    auto total = ResourceManager::getString("ketra_orvane", "total.txt");
    if (!total) return std::cerr << "no message catalogue in " << ResourceManager::getAssetDirectory() << "\n", 1;
    std::cout << "assets: " << ResourceManager::getAssetDirectory() << " (\"" << *total << "\")\n";
    std::string text;
    if (!FileSystemManager::readFile(argv[1], text)) return std::cerr << "cannot read " << argv[1] << "\n", 1;
    auto reader = OrvaneUIDeserializer::create();
    reader->setSourceName(argv[1]);
    auto div = std::dynamic_pointer_cast<Div>(reader->deserialize(text));
    if (!div) return std::cerr << reader->getLastError().toString() << " (a <div> document is expected)\n", 1;

    auto view = RichTextView::create();
    view->setRichTextNode(RichTextView::richTextFromDiv(div));
    const float h = std::min(view->getPreferredSize({W - 2 * margin, 0}).height, 16384.0f);
    const float H = std::ceil(h + 2 * margin);
    auto renderer = displaylist::DisplayListRenderer::create(false);
    auto root = BaseView::create();
    root->setDisplayListRenderer(renderer);
    root->setFrame({0, 0, W, H});
    view->setFrame({margin, margin, W - 2 * margin, h});  // origin bottom left, y up
    root->addSubview(view);
    root->render();
    if (!renderer->writePNG(argv[2], true, 1.0f)) return std::cerr << "cannot write " << argv[2] << "\n", 1;
    std::cout << "wrote " << argv[2] << " (" << W << " x " << H << ")\n";
}
