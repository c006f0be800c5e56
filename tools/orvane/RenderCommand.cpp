// SPDX-License-Identifier: Apache-2.0
// orvane render: reads a report (a layout tree with <content> elements, or
// rich text) through the library's Report, lays it out at the page size,
// renders it, plays a scripted session of gestures and keys (each reported
// as it is applied) and writes the picture of the final state. Without a FILE it renders
// the bundled example report.
#include "Command.h"
#include "CrosstabScript.h"
#include "GestureScript.h"
#include "PictureOutput.h"
#include "PromptSession.h"
#include "ToolFiles.h"

#include "orvane/crosstab/CrosstabRenderer.h"
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
    bool staticDisplay = false;  // --static: as exported or printed
    GestureScript session;    // picture coordinates: origin top left, y down
    CrosstabScript crosstab;  // expand, collapse, drill, page
    PromptSession prompts;    // --drag, --type
    bool scroll = false;      // --scroll: content offset of the tables
    Point scrollTo;
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
    if (!o.session.read(p, error)) return std::nullopt;
    if (!o.crosstab.read(p, error)) return std::nullopt;
    if (!o.prompts.read(p, error)) return std::nullopt;
    o.fixedMetrics = p.has("fixed-metrics");
    o.printLayout = p.has("print-layout");
    o.rightToLeft = p.has("rtl");
    o.staticDisplay = p.has("static");
    if (p.positional().size() > 1) {
        error = "only one document can be rendered at a time";
        return std::nullopt;
    }
    if (!p.positional().empty()) o.file = p.positional()[0];
    // Nothing is written that was not asked for: without -o there must be
    // something else to show.
    const bool steps = !o.session.empty() || !o.crosstab.empty() || !o.prompts.empty();
    if (o.output.empty() && !o.printLayout && !steps) {
        error = "nothing to do: give -o FILE.svg or -o FILE.png (-o - --format svg|png for standard output), "
                "--print-layout or a gesture (--tap, --pan, --key...)";
        return std::nullopt;
    }
    if (o.output.usesStandardOutput() && (o.printLayout || steps)) {
        error = "-o - and --print-layout or gestures would share standard output";
        return std::nullopt;
    }
    return o;
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
    // As exported or printed: nothing to tap, so no expand, drill or paging
    // buttons, and each crosstab shows its saved window.
    if (opts->staticDisplay)
        for (const auto& c : report->getCrosstabs()) c->setInteractiveDisplay(false);
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
    opts->session.run(*report, std::cout, &opts->crosstab);
    opts->prompts.run(*report, !opts->session.empty(), std::cout);
    report->render();
    const std::string size =
        " (" + std::to_string(static_cast<int>(report->getWidth())) + " x " + std::to_string(static_cast<int>(report->getHeight())) + ")";
    if (!opts->output.writeAll(*report->getRenderer(), size, error)) return fail(error);
    return 0;
}

std::vector<OptionSpec> renderOptions() {
    std::vector<OptionSpec> o{
        {"--width", "W", "page width in pixels, 1 to 16384 (report: 1024, rich text: 600)"},
        {"--height", "H", "page height in pixels, 1 to 16384 (report: as tall as its content, rich text: 400)"},
        {"--print-layout", "", "list every element of a report: path, bounds from the top left, what it shows"},
        {"--scroll", "X,Y", "scroll every table of the report to this content offset (pixels) before drawing"},
        {"--rtl", "", "render for a right-to-left host: the layout mirrored, neutral paragraphs from the right"},
        {"--static", "", "render as exported or printed: no expand, drill or paging buttons; crosstabs at their saved window"}};
    for (auto& g : GestureScript::options()) o.push_back(g);
    for (auto& c : CrosstabScript::options()) o.push_back(c);
    return PictureOutput::options(PromptSession::options(o));
}

} // namespace

ORVANE_TOOL_COMMAND(
    "render",
    "[FILE] -o OUT.svg|OUT.png... [--width W] [--height H] [--print-layout] [--scroll X,Y] [--rtl] [--static] "
    "[--tap X,Y [--modifier range|multi]] [--double-tap X,Y] [--pan X,Y,DX,DY] [--wheel X,Y,DELTA] [--focus] "
    "[--key NAME]... [--expand PATH] [--collapse PATH] [--drill PATH] [--drill-up] [--page WHERE] "
    "[--drag X,Y,DX,DY] [--type TEXT]",
    "render a report page or rich text (no FILE: the bundled report examples/report/report.xml)", &render,
    renderOptions(),
    "FILE may be \"-\" (standard input). Without -o, --print-layout or a gesture there is nothing\n"
    "to do and render stops with a usage error: it never writes a file it was not asked for.\n"
    "Every -o is written (a temporary file renamed, so a failure leaves no half file) and\n"
    "named in a \"wrote\" line (-q leaves them out).\n\n"
    "examples:\n"
    "  orvane render -o report.png               # the bundled report\n"
    "  orvane render --width 320 -o phone.png    # the same on a phone\n"
    "  orvane render examples/richtext.xml -o - --format svg > page.svg\n"
    "  orvane render examples/table/table-report.xml --tap 300,80 -o sorted.png   # tap a header: sort\n"
    "  orvane render examples/crosstab/crosstab-report.xml --expand East --page down -o xtab.png\n\n"
    "Gestures and keys are applied in the order given, each printed with what it did (selected\n"
    "data rows, sort, scroll offset, column widths and order; the selection of a prompt and the\n"
    "crosstab cells it marks), and the picture shows the end state. Keys go to the prompt tapped\n"
    "last, else to the table or crosstab tapped last (--focus: the first table), else to the first\n"
    "crosstab.");

} // namespace orvane::tool
