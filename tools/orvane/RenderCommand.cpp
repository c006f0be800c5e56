// SPDX-License-Identifier: Apache-2.0
// orvane render: reads a report (a layout tree with <content> elements, or
// rich text) through the library's Report, lays it out at the page size,
// renders it, feeds taps and writes the picture. Without a FILE it renders
// the bundled example report.
#include "Command.h"
#include "CrosstabScript.h"
#include "PictureOutput.h"
#include "ToolFiles.h"

#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/report/Report.h"
#include "orvane/view/RichTextView.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>

namespace orvane::tool {

namespace {

struct Options {
    std::string file;  // empty: the bundled report; "-": standard input
    PictureOutput output;
    float width = 0.0f;   // 0: the default of the kind of document
    float height = 0.0f;  // 0: the default; for reports, as tall as the content
    bool fixedMetrics = false;
    bool printLayout = false;
    bool rightToLeft = false;
    std::vector<Point> taps;  // picture coordinates: origin top left, y down
    bool scroll = false;      // --scroll: content offset of the tables
    Point scrollTo;
    CrosstabScript crosstab;  // expand, collapse, drill, page, keys
};

bool parseSize(const std::string& text, float& out) {
    return PropertyTextCodec::parseFloat(text, out) && out >= 1.0f && out <= Report::MAX_SIZE;
}

// Reads the options; a usage error comes back as its message.
std::optional<Options> parseArgs(const std::vector<std::string>& args, std::string& error) {
    ArgParser p = CommandRegistry::parserFor("render");
    if (!p.parse(args)) {
        error = p.error();
        return std::nullopt;
    }
    Options o;
    if (!o.output.read(p, error)) return std::nullopt;
    for (const char* name : {"width", "height"}) {
        if (!p.has(name)) continue;
        if (!parseSize(p.get(name), std::string(name) == "width" ? o.width : o.height)) {
            error = std::string("--") + name + " must be a number of pixels from 1 to 16384, not \"" + p.get(name) + "\"";
            return std::nullopt;
        }
    }
    if (p.has("scroll")) {
        const std::string v = p.get("scroll");
        if (!PictureOutput::parsePoint(v, o.scrollTo) || o.scrollTo.x < 0.0f || o.scrollTo.y < 0.0f) {
            error = "--scroll wants X,Y (a content offset of the tables in pixels, 0 or more), not \"" + v + "\"";
            return std::nullopt;
        }
        o.scroll = true;
    }
    for (const auto& t : p.all("tap")) {
        Point pt;
        if (!PictureOutput::parsePoint(t, pt)) {
            error = "--tap wants X,Y (pixels from the top left of the picture), not \"" + t + "\"";
            return std::nullopt;
        }
        o.taps.push_back(pt);
    }
    if (!o.crosstab.read(p, error)) return std::nullopt;
    o.fixedMetrics = p.has("fixed-metrics");
    o.printLayout = p.has("print-layout");
    o.rightToLeft = p.has("rtl");
    if (p.positional().size() > 1) {
        error = "only one document can be rendered at a time";
        return std::nullopt;
    }
    if (!p.positional().empty()) o.file = p.positional()[0];
    // Nothing is written that was not asked for: without -o there must be
    // something else to show.
    if (o.output.empty() && !o.printLayout && o.taps.empty() && o.crosstab.empty()) {
        error = "nothing to do: give -o FILE.svg or -o FILE.png (-o - --format svg|png for standard output), "
                "--print-layout or --tap";
        return std::nullopt;
    }
    if (o.output.usesStandardOutput() && (o.printLayout || !o.taps.empty() || !o.crosstab.empty())) {
        error = "-o - and --print-layout or --tap would share standard output";
        return std::nullopt;
    }
    return o;
}

// Feeds the taps to the report and says what each did. A rich-text view
// selects the action under a tap and lets the tap go on to the host, so a
// selected action and an unconsumed tap are one outcome.
void feedTaps(const Options& opts, Report& report) {
    for (const Point& p : opts.taps) {
        // Each tap reports what it selected itself: a tap outside a view never
        // reaches it, so an earlier tap's selection is cleared first (a
        // selection at a point far off the page is none).
        for (const auto& view : report.getRichTextViews()) view->selectAtLocation({-1.0e9f, -1.0e9f}, false);
        std::cout << "tap at (" << p.x << ", " << p.y << ")\n";
        CrosstabScript::beforeTap(report);
        auto outcome = report.routeGesture(std::make_shared<Tap>(report.toViewPoint(p)));
        opts.crosstab.afterTap(report, std::cout);
        bool any = false;
        for (const auto& view : report.getRichTextViews()) {
            if (auto action = view->getSelectedAction()) {
                std::cout << "  selected action " << view->getSelectedActionIndex() << ": " << *action << "\n";
                any = true;
            }
        }
        if (outcome == Report::Outcome::HANDLED)
            std::cout << "  consumed by a view\n";
        else if (any)
            std::cout << "  (the tap goes on to the host, which opens the action)\n";
        else
            std::cout << "  no action selected\n";
    }
}

int render(const std::vector<std::string>& args) {
    std::string error;
    auto opts = parseArgs(args, error);
    if (!opts) return usageError("render", error);

    std::optional<TextEngine::ScopedBackend> fixed;
    if (opts->fixedMetrics) fixed.emplace(TextEngine::Backend::FIXED_METRICS);

    // A right-to-left host: paragraphs without a strong character of their
    // own read from the right, and the layout is mirrored.
    if (opts->rightToLeft) ResourceManager::getLocalizationContext()->setRTL(true);

    std::vector<std::string> errors;
    std::shared_ptr<Report> report;
    if (opts->file == "-") {
        std::string text;
        if (!ToolFiles::read("-", text, error)) return fail(error);
        report = Report::read(ToolFiles::STDIN_NAME, text, errors);
    } else {
        const std::string file = opts->file.empty() ? ToolFiles::bundledReport() : opts->file;
        if (!ToolFiles::checkReadable(file, error)) return fail(error);
        report = Report::open(file, errors);
    }
    if (!report) {
        for (const auto& e : errors) fail(e);
        if (errors.empty()) fail("render: " + opts->file + ": cannot be rendered");
        return EXIT_FAILED;
    }
    if (opts->printLayout && !report->isLayoutTree())
        return usageError("render", "--print-layout needs a report (a LayoutProxy tree)");
    report->setRightToLeft(opts->rightToLeft);
    // Crosstab steps that change its shape come before the layout.
    opts->crosstab.setPageSize(opts->width, opts->height);
    if (!opts->crosstab.runModelSteps(*report, std::cout, error)) return fail("render: " + error);
    report->layout(opts->width, opts->height);
    if (opts->printLayout) report->printLayout(std::cout);
    report->render();
    if (opts->scroll) {
        if (report->scrollTables(opts->scrollTo.x, opts->scrollTo.y) == 0)
            std::cerr << "orvane: render: --scroll: the document has no table to scroll\n";
        report->render();
    }
    if (!opts->crosstab.runViewSteps(*report, std::cout, error)) return fail("render: " + error);
    feedTaps(*opts, *report);
    report->render();
    const std::string size =
        " (" + std::to_string(static_cast<int>(report->getWidth())) + " x " + std::to_string(static_cast<int>(report->getHeight())) + ")";
    if (!opts->output.writeAll(*report->getRenderer(), size, error)) return fail(error);
    return 0;
}

} // namespace

ORVANE_TOOL_COMMAND(
    "render", "[FILE] -o OUT.svg|OUT.png... [--width W] [--height H] [--print-layout] [--tap X,Y]... [--scroll X,Y] [--rtl]",
    "render a report page or rich text (no FILE: the bundled report examples/report/report.xml)", &render,
    PictureOutput::options(
        {{"--width", "W", "page width in pixels, 1 to 16384 (report: 1024, rich text: 600)"},
         {"--height", "H", "page height in pixels, 1 to 16384 (report: as tall as its content, rich text: 400)"},
         {"--print-layout", "", "list every element of a report: path, bounds from the top left, what it shows"},
         {"--tap", "X,Y", "tap at X,Y (pixels from the top left) and print the action it selects", true},
         {"--scroll", "X,Y", "scroll every table of the report to this content offset (pixels) before drawing"},
         {"--rtl", "", "render for a right-to-left host: the layout mirrored, neutral paragraphs from the right"},
         {"--expand", "PATH", "crosstab: expand the member (\"East\", \"East/Boston\", \"columns:2024\") and print what changed", true},
         {"--collapse", "PATH", "crosstab: collapse the member", true},
         {"--drill", "PATH", "crosstab: drill into the member (its level becomes the top one)", true},
         {"--drill-up", "", "crosstab: drill the rows back up one level"},
         {"--page", "WHERE", "crosstab: page down, up, right or left, or go to the end or the start", true},
         {"--key", "CODE", "crosstab: press a host key (46 Enter, 47 Space, 51-54 arrows, 59 Home, 60 End)", true}}),
    "FILE may be \"-\" (standard input). Without -o, --print-layout or --tap there is nothing to\n"
    "do and render stops with a usage error: it never writes a file it was not asked for.\n"
    "Every -o is written (a temporary file renamed, so a failure leaves no half file) and\n"
    "named in a \"wrote\" line (-q leaves them out).\n\n"
    "examples:\n"
    "  orvane render -o report.png               # the bundled report\n"
    "  orvane render --width 320 -o phone.png    # the same on a phone\n"
    "  orvane render examples/crosstab/crosstab-report.xml --expand East --page down -o xtab.png\n"
    "  orvane render examples/richtext.xml -o - --format svg > page.svg");

} // namespace orvane::tool
