// SPDX-License-Identifier: Apache-2.0
#include "CrosstabScript.h"

#include "ArgParser.h"

#include "orvane/crosstab/CrosstabController.h"
#include "orvane/crosstab/CrosstabControllerEvent.h"
#include "orvane/crosstab/CrosstabGestureHandler.h"
#include "orvane/crosstab/OrvaneCrosstabState.h"
#include "orvane/crosstab/VisibleCells.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/crosstab/CrosstabUtilities.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/report/Report.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>

namespace orvane::tool {

namespace {

using G = displaylist::TqCrosstab;

std::shared_ptr<CrosstabGestureHandler> handlerOf(const std::shared_ptr<CrosstabRenderer>& crosstab) {
    if (auto handlers = crosstab->getGestureHandlers())
        for (const auto& h : *handlers)
            if (auto c = std::dynamic_pointer_cast<CrosstabGestureHandler>(h)) return c;
    return nullptr;
}

// Rows and columns of the built model (the view may not be laid out yet).
std::string shape(CrosstabRenderer& c) {
    c.updateModel(false);
    auto model = c.getModel();
    auto cells = model ? model->dataSet.get() : nullptr;
    size_t rows = cells ? cells->getRowCount() : 0;
    size_t columns = cells ? CrosstabUtilities::getDisplayedColumnIndicies(cells).size() : 0;
    return std::to_string(rows) + " rows x " + std::to_string(columns) + " columns";
}

// "rows:East/Boston" or "East/Boston" (rows) or "columns:2024".
int axisOf(std::string& path) {
    for (const auto& [prefix, axis] : {std::pair<std::string, int>{"rows:", 0}, {"columns:", 1}})
        if (path.rfind(prefix, 0) == 0) {
            path = path.substr(prefix.size());
            return axis;
        }
    return 0;
}

// A window saved as a crosstab state ("ROW,COLUMN", from 1), restored the
// way a host does: through the controller the crosstab hands over when it
// rebuilds, applied when it draws for export.
bool restoreWindow(Report& report, const std::shared_ptr<CrosstabRenderer>& c, const std::string& value) {
    std::shared_ptr<CrosstabController> controller;
    auto listener = FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>& e) {
        if (auto ce = std::dynamic_pointer_cast<CrosstabControllerEvent>(e)) controller = ce->getController();
    });
    c->addEventListener(CrosstabControllerEvent::CROSSTAB_CONTROLLER_EVENT, listener);
    c->setNeedsUpdateDisplayList(true);
    report.render();
    c->removeEventListener(CrosstabControllerEvent::CROSSTAB_CONTROLLER_EVENT, listener);
    auto state = controller ? controller->getState() : nullptr;
    auto cells = state ? state->visibleCells.get() : nullptr;
    if (!cells) return false;
    cells->verticalIndex.set(std::atoi(value.c_str()) - 1);
    cells->horizontalIndex.set(std::atoi(value.c_str() + value.find(',') + 1) - 1);
    if (!controller->setState(state)) return false;
    c->setInteractiveDisplay(false);
    report.render();
    return true;
}

} // namespace

std::vector<OptionSpec> CrosstabScript::options() {
    return {{"--expand", "PATH", "crosstab: expand the member (\"East\", \"East/Boston\", \"columns:2024\") and print what changed", true},
            {"--collapse", "PATH", "crosstab: collapse the member", true},
            {"--drill", "PATH", "crosstab: drill into the member (its level becomes the top one)", true},
            {"--drill-up", "", "crosstab: drill the rows back up one level"},
            {"--page", "WHERE", "crosstab: page down, up, right or left, or go to the end or the start", true},
            {"--window", "ROW,COLUMN", "crosstab: restore a saved window from data row ROW and column COLUMN (1-based), as an export or a print shows it"}};
}

bool CrosstabScript::read(const ArgParser& p, std::string& error) {
    for (const char* kind : {"expand", "collapse", "drill"})
        for (const auto& v : p.all(kind)) steps_.push_back({kind, v});
    if (p.has("drill-up")) steps_.push_back({"drill-up", p.get("drill-up")});
    for (const auto& v : p.all("page")) {
        static const char* known[] = {"down", "up", "right", "left", "end", "start"};
        if (std::find(std::begin(known), std::end(known), v) == std::end(known)) {
            error = "--page wants down, up, right, left, end or start, not \"" + v + "\"";
            return false;
        }
        steps_.push_back({"page", v});
    }
    if (p.has("window")) {
        const std::string v = p.get("window");
        const size_t comma = v.find(',');
        char* end = nullptr;
        const long row = comma == std::string::npos ? 0 : std::strtol(v.c_str(), &end, 10);
        const bool rowOk = end == v.c_str() + comma;
        const long column = rowOk ? std::strtol(v.c_str() + comma + 1, &end, 10) : 0;
        if (!rowOk || *end != '\0' || row < 1 || column < 1 || row > 1000000000L || column > 1000000000L) {
            error = "--window wants ROW,COLUMN (the first data row and column to show, from 1), not \"" + v + "\"";
            return false;
        }
        steps_.push_back({"window", v});
    }
    return true;
}

bool CrosstabScript::runModelSteps(Report& report, std::ostream& out, std::string& error) const {
    return run(report, out, error, true);
}

bool CrosstabScript::runViewSteps(Report& report, std::ostream& out, std::string& error) const {
    return run(report, out, error, false);
}

bool CrosstabScript::run(Report& report, std::ostream& out, std::string& error, bool modelSteps) const {
    if (steps_.empty()) return true;
    auto crosstabs = report.getCrosstabs();
    if (crosstabs.empty()) {
        error = "the document has no crosstab for --expand, --collapse, --drill, --drill-up or --page";
        return false;
    }
    auto c = crosstabs.front();
    if (!modelSteps) report.render();
    for (const auto& step : steps_) {
        const bool modelStep = step.kind != "page" && step.kind != "key" && step.kind != "window";
        if (modelStep != modelSteps) continue;
        std::string path = step.value;
        const int axis = axisOf(path);
        const std::string before = shape(*c);
        bool done = false;
        std::string what = step.kind + " " + step.value;
        if (step.kind == "expand" || step.kind == "collapse" || step.kind == "drill") {
            auto node = c->findNode(axis, path);
            if (!node) {
                error = "--" + step.kind + ": no member \"" + path + "\" shown on the " + (axis == 0 ? "rows" : "columns");
                return false;
            }
            done = step.kind == "expand" ? c->expand(axis, node) : step.kind == "collapse" ? c->collapse(axis, node)
                                                                                         : c->drillDown(axis, node);
        } else if (step.kind == "drill-up") {
            done = c->drillUp(axis);
        } else if (step.kind == "window") {
            done = restoreWindow(report, c, step.value);
        } else if (step.kind == "page") {
            using namespace GestureDirectionType;
            const std::string& v = step.value;
            if (v == "end") done = c->pageToEnd(DOWN);
            else if (v == "start") done = c->pageToEnd(UP);
            else done = c->page(v == "down" ? DOWN : v == "up" ? UP : v == "right" ? RIGHT : LEFT);
        }
        if (!modelSteps) report.render();
        out << what << ": " << (done ? "" : "nothing changed, ") << before << " -> " << shape(*c);
        if (step.kind == "page" || step.kind == "window") {
            auto* grid = c->getCrosstabNode();
            int64_t r0, r1;
            int c0, c1;
            if (grid) {
                grid->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
                out << ", showing rows " << r0 + 1 << "-" << r1 + 1 << ", columns " << c0 + 1 << "-" << c1 + 1;
                // Where the paging buttons went.
                std::string paged;
                for (int i = 0; i < grid->GetCrosstabCellCount(); ++i) {
                    const auto* cell = grid->GetCrosstabCell(i);
                    if (!cell) continue;
                    std::string which;
                    for (int b : cell->buttons)
                        if (b >= G::BUTTON_PAGE_UP && b <= G::BUTTON_PAGE_DOWN_END) {
                            const bool back = b == G::BUTTON_PAGE_UP || b == G::BUTTON_PAGE_UP_END;
                            const bool rows = cell->axis == G::AXIS_ROW;
                            if (b == G::BUTTON_PAGE_UP || b == G::BUTTON_PAGE_DOWN)
                                which += std::string(which.empty() ? "" : " ") + (back ? (rows ? "up" : "left") : (rows ? "down" : "right"));
                        }
                    if (!which.empty()) paged += (paged.empty() ? "" : ", ") + cell->label + " (" + which + ")";
                }
                if (!paged.empty()) out << ", paging buttons on " << paged;
            }
        }
        out << "\n";
    }
    return true;
}

void CrosstabScript::beforeTap(Report& report) {
    for (const auto& c : report.getCrosstabs())
        if (auto h = handlerOf(c)) h->clearLastAction();
}

void CrosstabScript::afterTap(Report& report, std::ostream& out) const {
    bool changed = false;
    for (const auto& c : report.getCrosstabs()) {
        auto h = handlerOf(c);
        if (!h || h->getLastAction().empty()) continue;
        report.render();
        out << "  crosstab: " << h->getLastAction() << " (now " << shape(*c) << ")\n";
        changed = true;
    }
    if (changed) report.layout(width_, height_);
}

} // namespace orvane::tool
