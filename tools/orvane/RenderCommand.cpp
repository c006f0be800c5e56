// orvane render: reads a report (a layout tree with <content> elements, or
// rich text) through the library's Report, lays it out at the page size,
// renders it, feeds taps and writes the picture. Without a FILE it renders
// the bundled example report.
#include "Command.h"

#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/report/Report.h"
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
    std::vector<Point> taps;  // image coordinates: origin top left, y down
    bool scroll = false;      // --scroll: content offset of the tables
    Point scrollTo;
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
        } else if (a == "--scroll") {
            auto v = value("--scroll");
            if (!v) return std::nullopt;
            if (!parsePoint(*v, o.scrollTo) || o.scrollTo.x < 0.0f || o.scrollTo.y < 0.0f) {
                error = "--scroll wants X,Y (a content offset of the tables in pixels, 0 or more), not \"" + *v + "\"";
                return std::nullopt;
            }
            o.scroll = true;
        } else if (a == "--fixed-metrics") {
            o.fixedMetrics = true;
        } else if (a == "--print-layout") {
            o.printLayout = true;
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

bool writePictures(const Report& report, const std::vector<std::string>& outputs, std::string& error) {
    for (const auto& path : outputs) {
        if (!writePicture(report.getRenderer(), path, error)) return false;
        std::cout << "wrote " << path << " (" << report.getWidth() << " x " << report.getHeight() << ")\n";
    }
    return true;
}

// Feeds the taps to the report and says what each did.
void feedTaps(const Options& opts, Report& report) {
    for (const Point& p : opts.taps) {
        std::cout << "tap at (" << p.x << ", " << p.y << ")\n";
        auto outcome = report.routeGesture(std::make_shared<Tap>(report.toViewPoint(p)));
        std::cout << (outcome == Report::Outcome::HANDLED
                          ? "  routing outcome: SUCCESS (a handler consumed the gesture)\n"
                          : "  routing outcome: FAILURE (no handler consumed the gesture)\n");
        bool any = false;
        for (const auto& view : report.getRichTextViews()) {
            if (auto action = view->getSelectedAction()) {
                std::cout << "  selected action " << view->getSelectedActionIndex() << ": " << *action << "\n";
                any = true;
            }
        }
        if (!any) std::cout << "  no action selected\n";
    }
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

    std::vector<std::string> errors;
    auto report = Report::open(opts->file, errors);
    if (!report) {
        for (size_t i = 0; i + 1 < errors.size(); ++i) std::cerr << "orvane: " << errors[i] << "\n";
        return fail(errors.empty() ? "render: " + opts->file + ": cannot be rendered" : errors.back());
    }
    if (opts->printLayout && !report->isLayoutTree())
        return fail("render: --print-layout needs a report (a LayoutProxy tree)");
    report->layout(opts->width, opts->height);
    if (opts->printLayout) report->printLayout(std::cout);
    report->render();
    if (opts->scroll) {
        if (report->scrollTables(opts->scrollTo.x, opts->scrollTo.y) == 0)
            std::cerr << "orvane: render: --scroll: the document has no table to scroll\n";
        report->render();
    }
    feedTaps(*opts, *report);
    report->render();
    if (!writePictures(*report, outputs, error)) return fail("render: " + error);
    return 0;
}

} // namespace

ORVANE_TOOL_COMMAND("render",
                    "[FILE] [-o out.svg|out.png] [--width W] [--height H] [--print-layout] [--tap X,Y]... [--scroll X,Y] "
                    "[--fixed-metrics]",
                    "render a report page or rich text (no FILE: the bundled report to out/report.svg and .png)",
                    &render);

} // namespace orvane::tool
