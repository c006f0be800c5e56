// SPDX-License-Identifier: Apache-2.0
// orvane a11y: what a screen reader hears in a report's table. Renders the
// report headlessly and prints, for every element of the table's element
// list in order, or for each navigation step asked for, the spoken label,
// the hint and where the element lies on the page.
#include "Command.h"
#include "PictureOutput.h"
#include "ToolFiles.h"

#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/CrosstabAccessibilityController.h"
#include "orvane/accessibility/DataGridAccessibilityController.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/report/Report.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>

namespace orvane::tool {

namespace {

using Nav = AccessibilityControllerNavigationType;

struct Step {
    bool page = false;  // a page turn of the table's window, else a focus move
    bool forward = true;
    Nav::type move = Nav::NONE;
    std::string text;
};

const std::map<std::string, Nav::type>& moves() {
    static const std::map<std::string, Nav::type> m = {
        {"next", Nav::NEXT},      {"prev", Nav::PREVIOUS},   {"previous", Nav::PREVIOUS}, {"up", Nav::CELL_UP},
        {"down", Nav::CELL_DOWN}, {"left", Nav::CELL_LEFT},  {"right", Nav::CELL_RIGHT},  {"first", Nav::FIRST},
        {"last", Nav::LAST},      {"home", Nav::LOCAL_FIRST}, {"end", Nav::LOCAL_LAST}};
    return m;
}

struct Options {
    std::string file;
    float width = 0.0f;
    long table = 1;
    long crosstab = 0;  // 0: read a list table
    bool loop = false;
    bool rightToLeft = false;
    bool scroll = false;
    Point scrollTo;
    std::vector<Step> steps;
};

// The steps in the order given (--focus and --page may alternate).
bool readSteps(const std::vector<std::string>& args, std::vector<Step>& steps, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        std::string a = args[i], value;
        if (a == "--") break;
        bool focus = a == "--focus" || a.rfind("--focus=", 0) == 0;
        bool page = a == "--page" || a.rfind("--page=", 0) == 0;
        if (!focus && !page) continue;
        size_t eq = a.find('=');
        if (eq != std::string::npos) value = a.substr(eq + 1);
        else if (i + 1 < args.size()) value = args[++i];
        Step s;
        s.text = value;
        if (page) {
            if (value != "up" && value != "down") {
                error = "--page wants up or down, not \"" + value + "\"";
                return false;
            }
            s.page = true;
            s.forward = value == "down";
        } else {
            auto it = moves().find(value);
            if (it == moves().end()) {
                error = "--focus wants next, prev, up, down, left, right, first, last, home or end, not \"" + value + "\"";
                return false;
            }
            s.move = it->second;
        }
        steps.push_back(s);
    }
    return true;
}

bool parseArgs(const std::vector<std::string>& args, Options& o, std::string& error) {
    ArgParser p = CommandRegistry::parserFor("a11y");
    if (!p.parse(args)) {
        error = p.error();
        return false;
    }
    if (p.has("width") && (!PropertyTextCodec::parseFloat(p.get("width"), o.width) || !(o.width >= 1.0f) ||
                           o.width > Report::MAX_SIZE)) {
        error = "--width must be a number of pixels from 1 to 16384, not \"" + p.get("width") + "\"";
        return false;
    }
    if (!p.getCount("table", 1, 1000, o.table)) {
        error = "--table wants the table's number on the page, 1 or more, not \"" + p.get("table") + "\"";
        return false;
    }
    if (!p.getCount("crosstab", 1, 1000, o.crosstab)) {
        error = "--crosstab wants the crosstab's number on the page, 1 or more, not \"" + p.get("crosstab") + "\"";
        return false;
    }
    if (o.crosstab && p.has("table")) {
        error = "give --table or --crosstab, not both";
        return false;
    }
    if (p.has("scroll")) {
        if (!PictureOutput::parsePoint(p.get("scroll"), o.scrollTo) || o.scrollTo.x < 0.0f || o.scrollTo.y < 0.0f) {
            error = "--scroll wants X,Y (a content offset of the table in pixels, 0 or more), not \"" + p.get("scroll") + "\"";
            return false;
        }
        o.scroll = true;
    }
    o.loop = p.has("loop");
    o.rightToLeft = p.has("rtl");
    if (p.positional().size() > 1) {
        error = "one report at a time";
        return false;
    }
    if (!p.positional().empty()) o.file = p.positional()[0];
    return readSteps(args, o.steps, error);
}

// Where an element lies on the page: pixels from the page's top left.
std::string placeOf(const AccessibilityElement& e, const BaseView& view, float pageHeight) {
    Rect f = e.getAccessibilityFrame();
    Point o = view.getOriginInRootViewCoordinates();
    std::ostringstream s;
    s << "at " << std::lround(o.x + f.x) << "," << std::lround(pageHeight - (o.y + f.y + f.height)) << " size "
      << std::lround(f.width) << "x" << std::lround(f.height);
    return s.str();
}

void speak(const std::shared_ptr<AccessibilityElement>& e, const BaseView& view, float pageHeight) {
    std::cout << "  " << e->getAccessibilityLabel() << "\n";
    if (!e->getAccessibilityHint().empty()) std::cout << "    hint: " << e->getAccessibilityHint() << "\n";
    std::cout << "    " << placeOf(*e, view, pageHeight) << (e->isOnScreen() ? "" : " (off screen)") << "\n";
}

int a11y(const std::vector<std::string>& args) {
    Options o;
    std::string error;
    if (!parseArgs(args, o, error)) return usageError("a11y", error);
    if (o.rightToLeft) ResourceManager::getLocalizationContext()->setRTL(true);
    const std::string file = o.file.empty() ? ToolFiles::bundledReport() : o.file;
    if (!ToolFiles::checkReadable(file, error)) return fail(error);
    std::vector<std::string> errors;
    auto report = Report::open(file, errors);
    if (!report) {
        for (const auto& e : errors) fail(e);
        if (errors.empty()) fail("a11y: " + file + ": cannot be read");
        return EXIT_FAILED;
    }
    report->setRightToLeft(o.rightToLeft);
    report->layout(o.width, 0.0f);
    report->render();
    std::shared_ptr<BaseView> view;
    std::shared_ptr<DataGridRenderer> list;
    if (o.crosstab) {
        auto crosstabs = report->getCrosstabs();
        if (size_t(o.crosstab) > crosstabs.size())
            return fail("a11y: " + file + ": --crosstab " + std::to_string(o.crosstab) + ", but the report has " +
                        std::to_string(crosstabs.size()) + (crosstabs.size() == 1 ? " crosstab" : " crosstabs"));
        view = crosstabs[size_t(o.crosstab - 1)];
    } else {
        auto tables = report->getTables();
        if (tables.empty()) return fail("a11y: " + file + ": the report has no table");
        if (size_t(o.table) > tables.size())
            return fail("a11y: " + file + ": --table " + std::to_string(o.table) + ", but the report has " +
                        std::to_string(tables.size()) + (tables.size() == 1 ? " table" : " tables"));
        view = list = tables[size_t(o.table - 1)];
    }
    if (o.scroll) {
        if (list) list->setScrollPosition(o.scrollTo.x, o.scrollTo.y);
        else std::static_pointer_cast<CrosstabRenderer>(view)->setScrollPosition(o.scrollTo.x, o.scrollTo.y);
        report->render();
    }
    auto controller = std::dynamic_pointer_cast<TableAccessibilityController>(view->getAccessibilityController());
    if (!controller) return fail("a11y: the table has no accessibility controller");
    controller->setLoopOn(o.loop);
    const float pageHeight = report->getHeight();
    // A list table counts its data; a crosstab its grid of headers and cells.
    auto listController = std::dynamic_pointer_cast<DataGridAccessibilityController>(controller);
    const int64_t rows = listController ? listController->getDataRowCount() : controller->getGridRowCount();
    const int64_t cols = listController ? listController->getDataColumnCount() : controller->getGridColumnCount();
    std::cout << controller->getObjectDescription() << ", " << rows << (rows == 1 ? " row" : " rows") << ", " << cols
              << (cols == 1 ? " column" : " columns") << "\n";

    if (o.steps.empty()) {
        auto elements = controller->getAccessibilityElements();
        if (elements.empty()) std::cout << "  (nothing to read: the table is empty)\n";
        for (const auto& e : elements) speak(e, *view, pageHeight);
        return 0;
    }
    for (const Step& s : o.steps) {
        if (s.page) {
            // A crosstab turns its window of data rows a page, as a list table does.
            const bool moved = list ? list->page(s.forward)
                                    : std::static_pointer_cast<CrosstabRenderer>(view)->page(
                                          s.forward ? GestureDirectionType::DOWN : GestureDirectionType::UP);
            report->render();
            std::cout << "page " << s.text << (moved ? "" : ": already at the " + std::string(s.forward ? "end" : "start"))
                      << "\n";
            continue;
        }
        auto before = controller->getCurrentAccessibilityElement();
        auto e = controller->getAccessibilityElement(s.move);
        report->render();
        std::cout << "focus " << s.text << "\n";
        if (!e) {
            std::cout << "  (nothing to focus)\n";
            continue;
        }
        if (before && before->getDetailIndex() == e->getDetailIndex()) std::cout << "  (edge of the table: the focus stays)\n";
        speak(e, *view, pageHeight);
    }
    return 0;
}

} // namespace

ORVANE_TOOL_COMMAND(
    "a11y", "[REPORT] [--focus MOVE]... [--page up|down]... [--loop] [--table N | --crosstab N] [--scroll X,Y] [--width W] [--rtl]",
    "print what a screen reader speaks in a report's table (no REPORT: the bundled report)", &a11y,
    {{"--focus", "MOVE", "move the focus: next, prev, up, down, left, right, first, last, home, end", true},
     {"--page", "up|down", "turn the table's or crosstab's window a page up or down", true},
     {"--loop", "", "moves past the last element continue at the first (and back)"},
     {"--table", "N", "the N-th list table of the page (default 1)"},
     {"--crosstab", "N", "read the N-th crosstab of the page instead"},
     {"--scroll", "X,Y", "scroll the table to this content offset (pixels) first"},
     {"--width", "W", "page width in pixels (default 1024)"},
     {"--rtl", "", "lay the page out for a right-to-left reader"}},
    "Without --focus or --page every element of the table's element list is read in\n"
    "order: the visible window, plus the cells just outside it (marked off screen)\n"
    "that one step reaches. With them, each step prints the element reached. Steps\n"
    "run in the order given. Places are pixels from the page's top left.\n\n"
    "examples:\n"
    "  orvane a11y examples/table/table-report.xml\n"
    "  orvane a11y --focus next --focus down --focus right --focus end\n"
    "  orvane a11y examples/table/table-report.xml --page down --focus next\n"
    "  orvane a11y --crosstab 1 --focus next --focus right --focus down");

} // namespace orvane::tool
