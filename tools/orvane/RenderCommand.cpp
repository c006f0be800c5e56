// orvane render: the smallest real host. Reads a document, builds the view
// tree on a renderer of the page size, renders frames as a host's frame loop
// would, feeds taps, and writes the picture. A document whose root is a
// LayoutProxy tree is a report page (ReportDocument, ReportPage): the tool
// creates the views its <content> elements name, answers the layout's size
// requests, lays the page out and gives the views their frames. Without a
// FILE it renders the bundled example report.
#include "Command.h"
#include "ReportDocument.h"
#include "ReportPage.h"

#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/package/Div.h"
#include "orvane/package/OrvaneUIDeserializer.h"
#include "orvane/view/GestureHandlerEvent.h"
#include "orvane/view/RichTextNode.h"
#include "orvane/view/RichTextView.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>

namespace orvane::tool {

namespace {

struct Options {
    std::string file;
    std::string output;
    float width = 0.0f;   // 0: the default of the kind of document
    float height = 0.0f;  // 0: the default; for reports, as tall as the content
    bool fixedMetrics = false;
    bool printLayout = false;
    bool rightToLeft = false;
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
        } else if (a == "--print-layout") {
            o.printLayout = true;
        } else if (a == "--rtl") {
            o.rightToLeft = true;
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

// The bundled example report: beside the sources, else under the current folder.
std::string bundledReport() {
    const std::string relative = "report/report.xml";
#ifdef ORVANE_EXAMPLES_DIR
    std::string built = std::string(ORVANE_EXAMPLES_DIR) + "/" + relative;
    if (std::filesystem::exists(built)) return built;
#endif
    return "examples/" + relative;
}

// Feeds the taps to the root view and reports what each did.
void feedTaps(const Options& opts, const std::shared_ptr<BaseView>& root,
              const std::vector<std::shared_ptr<RichTextView>>& texts, float H) {
    for (const Point& p : opts.taps) {
        std::cout << "tap at (" << p.x << ", " << p.y << ")\n";
        root->handleGesture(std::make_shared<Tap>(Point{p.x, H - p.y}));
        bool any = false;
        for (const auto& view : texts) {
            if (auto action = view->getSelectedAction()) {
                std::cout << "  selected action " << view->getSelectedActionIndex() << ": " << *action << "\n";
                any = true;
            }
        }
        if (!any) std::cout << "  no action selected\n";
        root->render();
    }
}

void reportRouting(const std::shared_ptr<BaseView>& root) {
    root->addEventListener(GestureHandlerEvent::SUCCESS, FunctionEventCallback::create([](auto&) {
                               std::cout << "  routing outcome: SUCCESS (a handler consumed the gesture)\n";
                           }));
    root->addEventListener(GestureHandlerEvent::FAILURE, FunctionEventCallback::create([](auto&) {
                               std::cout << "  routing outcome: FAILURE (no handler consumed the gesture)\n";
                           }));
}

bool writePictures(const std::shared_ptr<displaylist::DisplayListRenderer>& renderer,
                   const std::vector<std::string>& outputs, float W, float H, std::string& error) {
    for (const auto& path : outputs) {
        if (!writePicture(renderer, path, error)) return false;
        std::cout << "wrote " << path << " (" << W << " x " << H << ")\n";
    }
    return true;
}

// A rich-text document on a page: one text view inside a margin.
int renderRichText(const Options& opts, const std::shared_ptr<RichTextNode>& text,
                   const std::vector<std::string>& outputs) {
    const float W = opts.width > 0.0f ? opts.width : 600.0f;
    const float H = opts.height > 0.0f ? opts.height : 400.0f;
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
    reportRouting(root);
    root->render();
    feedTaps(opts, root, {view}, H);
    root->render();
    std::string error;
    if (!writePictures(renderer, outputs, W, H, error)) return fail("render: " + error);
    return 0;
}

// A report page: a layout tree whose proxies hold <content> elements.
int renderReport(const Options& opts, const std::shared_ptr<LayoutProxy>& layout,
                 std::vector<ReportContent> contents, const std::vector<std::string>& outputs) {
    std::vector<std::string> errors;
    auto page = ReportPage::create(layout, std::move(contents), opts.file, errors);
    if (!page) {
        for (size_t i = 0; i + 1 < errors.size(); ++i) std::cerr << "orvane: " << errors[i] << "\n";
        return fail(errors.empty() ? "render: the report cannot be laid out" : errors.back());
    }
    page->setRightToLeft(opts.rightToLeft);
    page->layout(opts.width > 0.0f ? opts.width : ReportPage::DESIGN_WIDTH, opts.height);
    const float W = page->getWidth(), H = page->getHeight();
    auto root = page->getRootView();
    auto renderer = displaylist::DisplayListRenderer::create(false);
    root->setDisplayListRenderer(renderer);
    root->setFrame({0, 0, W, H});
    if (opts.printLayout) page->printLayout(std::cout);
    reportRouting(root);
    root->render();
    feedTaps(opts, root, page->getRichTextViews(), H);
    root->render();
    std::string error;
    if (!writePictures(renderer, outputs, W, H, error)) return fail("render: " + error);
    return 0;
}

int render(const std::vector<std::string>& args) {
    std::string error;
    auto opts = parseArgs(args, error);
    if (!opts) return fail("render: " + error);
    std::vector<std::string> outputs;
    if (!opts->output.empty()) outputs.push_back(opts->output);
    if (opts->file.empty()) {
        // The bundled report, written as SVG and PNG unless -o says otherwise.
        opts->file = bundledReport();
        if (outputs.empty()) {
            std::error_code ec;
            std::filesystem::create_directories("out", ec);
            if (ec) return fail("render: cannot create the folder out: " + ec.message());
            outputs = {"out/report.svg", "out/report.png"};
        }
    }
    std::optional<TextEngine::ScopedBackend> fixed;
    if (opts->fixedMetrics) fixed.emplace(TextEngine::Backend::FIXED_METRICS);
    // A right-to-left host: text paragraphs start at the right and report
    // pages are mirrored.
    if (opts->rightToLeft) ResourceManager::getLocalizationContext()->setRTL(true);

    std::string text;
    if (!FileSystemManager::readFile(opts->file, text)) return fail(opts->file + ":0:0: cannot read the file");
    // The tool's <content> elements come out first; the rest is a plain
    // model document.
    ReportDocument doc = ReportDocument::read(opts->file, text);
    if (!doc.errors.empty()) {
        for (size_t i = 0; i + 1 < doc.errors.size(); ++i) std::cerr << "orvane: " << doc.errors[i] << "\n";
        return fail(doc.errors.back());
    }
    auto reader = OrvaneUIDeserializer::create();
    reader->setSourceName(opts->file);
    auto model = reader->deserialize(doc.layoutText);
    if (!model) return fail(reader->getLastError().toString());

    if (auto layout = std::dynamic_pointer_cast<LayoutProxy>(model))
        return renderReport(*opts, layout, std::move(doc.contents), outputs);
    std::shared_ptr<RichTextNode> richText = std::dynamic_pointer_cast<RichTextNode>(model);
    if (!richText)
        if (auto div = std::dynamic_pointer_cast<Div>(model)) richText = RichTextView::richTextFromDiv(div);
    if (!richText)
        return fail("render: " + opts->file +
                    ": the document's root is neither a layout tree (LayoutProxy) nor rich text (RichTextNode or div)");
    if (opts->printLayout) return fail("render: --print-layout needs a report (a LayoutProxy tree)");
    return renderRichText(*opts, richText, outputs);
}

} // namespace

ORVANE_TOOL_COMMAND("render",
                    "[FILE] [-o out.svg|out.png] [--width W] [--height H] [--print-layout] [--tap X,Y]... "
                    "[--fixed-metrics] [--rtl]",
                    "render a report page or rich text (no FILE: the bundled report to out/report.svg and .png)",
                    &render);

} // namespace orvane::tool
