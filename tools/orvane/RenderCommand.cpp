// orvane render: the smallest real host. Reads a document, builds the view
// tree on a renderer of the page size, renders frames as a host's frame loop
// would, feeds taps, and writes the picture.
#include "Command.h"

#include "displaylist/DisplayListRenderer.h"
#include "host/FileSystemManager.h"
#include "host/PropertyTextCodec.h"
#include "host/TextEngine.h"
#include "orvane/package/Div.h"
#include "orvane/package/OrvaneUIDeserializer.h"
#include "orvane/view/GestureHandlerEvent.h"
#include "orvane/view/RichTextNode.h"
#include "orvane/view/RichTextView.h"

#include <cstdio>
#include <iostream>
#include <optional>

namespace orvane::tool {

namespace {

struct Options {
    std::string file;
    std::string output;
    float width = 600.0f;
    float height = 400.0f;
    bool fixedMetrics = false;
    std::vector<Point> taps;  // image coordinates: origin top left, y down
};

bool parsePoint(const std::string& text, Point& p) {
    auto comma = text.find(',');
    if (comma == std::string::npos) return false;
    return PropertyTextCodec::parseFloat(text.substr(0, comma), p.x) &&
           PropertyTextCodec::parseFloat(text.substr(comma + 1), p.y) && std::isfinite(p.x) && std::isfinite(p.y);
}

bool parseSize(const std::string& text, float& out) {
    return PropertyTextCodec::parseFloat(text, out) && out >= 1.0f && out <= 16384.0f;
}

std::optional<Options> parseArgs(const std::vector<std::string>& args, std::string& error) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* what) -> const std::string* {
            if (i + 1 >= args.size()) {
                error = std::string(what) + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        if (a == "-o" || a == "--output") {
            auto v = value("-o");
            if (!v) return std::nullopt;
            o.output = *v;
        } else if (a == "--width" || a == "--height") {
            auto v = value(a.c_str());
            if (!v) return std::nullopt;
            float& target = a == "--width" ? o.width : o.height;
            if (!parseSize(*v, target)) {
                error = a + " must be a number of pixels between 1 and 16384";
                return std::nullopt;
            }
        } else if (a == "--tap") {
            auto v = value("--tap");
            if (!v) return std::nullopt;
            Point p;
            if (!parsePoint(*v, p)) {
                error = "--tap wants X,Y (pixels from the top left of the picture), not \"" + *v + "\"";
                return std::nullopt;
            }
            o.taps.push_back(p);
        } else if (a == "--fixed-metrics") {
            o.fixedMetrics = true;
        } else if (!a.empty() && a[0] == '-') {
            error = "unknown option " + a;
            return std::nullopt;
        } else if (o.file.empty()) {
            o.file = a;
        } else {
            error = "only one document can be rendered at a time";
            return std::nullopt;
        }
    }
    return o;
}

bool writePicture(const std::shared_ptr<displaylist::DisplayListRenderer>& renderer, const std::string& path,
                  std::string& error) {
    auto dot = path.rfind('.');
    std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "svg") {
        if (FileSystemManager::writeToFile(renderer->getDisplayListSVGString(), path, true)) return true;
        error = "cannot write " + path;
        return false;
    }
    if (ext == "png") {
        if (renderer->writePNG(path, true, 1.0f)) return true;
        error = "cannot write " + path;
        return false;
    }
    error = "the output must end in .svg or .png: " + path;
    return false;
}

int render(const std::vector<std::string>& args) {
    std::string error;
    auto opts = parseArgs(args, error);
    if (!opts) return fail("render: " + error);
    if (opts->file.empty()) return fail("render: no document given (usage: orvane render FILE [-o out.svg|out.png])");
    std::optional<TextEngine::ScopedBackend> fixed;
    if (opts->fixedMetrics) fixed.emplace(TextEngine::Backend::FIXED_METRICS);

    auto reader = OrvaneUIDeserializer::create();
    auto model = reader->deserializeFile(opts->file);
    if (!model) return fail(reader->getLastError().toString());

    std::shared_ptr<RichTextNode> text = std::dynamic_pointer_cast<RichTextNode>(model);
    if (!text)
        if (auto div = std::dynamic_pointer_cast<Div>(model)) text = RichTextView::richTextFromDiv(div);
    if (!text) return fail("render: " + opts->file + ": the document's root is not rich text (RichTextNode or div)");

    const float W = opts->width, H = opts->height;
    auto root = BaseView::create();
    auto renderer = displaylist::DisplayListRenderer::create(false);
    root->setDisplayListRenderer(renderer);
    root->setFrame({0, 0, W, H});
    auto view = RichTextView::create();
    view->setRichTextNode(text);
    const float margin = 8.0f;
    Size pref = view->getPreferredSize({W - 2 * margin, 0});
    float h = std::min(pref.height, H - 2 * margin);
    view->setFrame({margin, H - margin - h, W - 2 * margin, h});
    root->addSubview(view);

    root->addEventListener(GestureHandlerEvent::SUCCESS, FunctionEventCallback::create([](auto&) {
                               std::cout << "  routing outcome: SUCCESS (a handler consumed the gesture)\n";
                           }));
    root->addEventListener(GestureHandlerEvent::FAILURE, FunctionEventCallback::create([](auto&) {
                               std::cout << "  routing outcome: FAILURE (no handler consumed the gesture)\n";
                           }));
    root->render();
    for (const Point& p : opts->taps) {
        std::cout << "tap at (" << p.x << ", " << p.y << ")\n";
        root->handleGesture(std::make_shared<Tap>(Point{p.x, H - p.y}));
        auto action = view->getSelectedAction();
        if (action)
            std::cout << "  selected action " << view->getSelectedActionIndex() << ": " << *action << "\n";
        else
            std::cout << "  no action selected\n";
        root->render();
    }
    root->render();
    if (!opts->output.empty()) {
        if (!writePicture(renderer, opts->output, error)) return fail("render: " + error);
        std::cout << "wrote " << opts->output << " (" << W << " x " << H << ")\n";
    }
    return 0;
}

} // namespace

ORVANE_TOOL_COMMAND("render", "FILE [-o out.svg|out.png] [--width W] [--height H] [--tap X,Y]... [--fixed-metrics]",
                    "render a rich-text document (taps in picture pixels from the top left)", &render);

} // namespace orvane::tool
