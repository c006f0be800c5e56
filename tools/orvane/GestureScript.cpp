// SPDX-License-Identifier: Apache-2.0
#include "GestureScript.h"
#include "CrosstabScript.h"

#include "PictureOutput.h"

#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/data/SortContext.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/input/KeyCode.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/report/Report.h"
#include "orvane/report/ReportPage.h"
#include "orvane/report/ReportPrompt.h"
#include "orvane/view/RichTextView.h"

#include <cmath>
#include <memory>
#include <ostream>
#include <sstream>

namespace orvane::tool {

namespace {

using displaylist::TqDataGrid;

const struct {
    const char* name;
    int code;
} KEYS[] = {{"right", KeyCode::RIGHT}, {"left", KeyCode::LEFT},         {"up", KeyCode::UP},
            {"down", KeyCode::DOWN},   {"home", KeyCode::HOME},         {"end", KeyCode::END},
            {"pageup", KeyCode::PAGE_UP}, {"pagedown", KeyCode::PAGE_DOWN}, {"enter", KeyCode::ENTER},
            {"tab", KeyCode::TAB},     {"space", KeyCode::TAB},         {"menu", KeyCode::CONTEXT_MENU}};

// Numbers separated by `sep`, each finite; false otherwise.
bool parseNumbers(const std::string& text, char sep, std::vector<float>& out) {
    out.clear();
    size_t start = 0;
    while (true) {
        size_t end = text.find(sep, start);
        float v = 0.0f;
        if (!PropertyTextCodec::parseFloat(text.substr(start, end - start), v) || !std::isfinite(v)) return false;
        out.push_back(v);
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

std::string number(double v) {
    std::ostringstream s;
    s << std::round(v * 10.0) / 10.0;
    return s.str();
}

// What a user sees of a table: selected data rows, sort, scroll, columns.
struct TableState {
    std::string selected, sort, scroll, widths, order, fixed, focus;
};

TableState snapshot(const DataGridRenderer& table) {
    TableState s;
    auto model = table.getModel();
    auto ds = model ? model->dataSet.get() : nullptr;
    if (ds && ds->getRowStates()) {
        auto rows = ds->getRowStates()->getSelectedIndices();
        std::ostringstream o;
        for (size_t i = 0; i < rows.size() && i < 20; ++i) o << (i ? " " : "") << rows[i];
        if (rows.size() > 20) o << " ... (" << rows.size() << " rows)";
        s.selected = rows.empty() ? "none" : o.str();
    } else {
        s.selected = "none";
    }
    if (auto state = model ? model->sortState.get() : nullptr) {
        for (const auto& c : state->getRelationalSortsForAxis(0)) {
            if (!c || !c->getColumnName() || c->getDirection() == SortDirection::NONE) continue;
            s.sort += (s.sort.empty() ? "" : ", ") + *c->getColumnName() +
                      (c->getDirection() == SortDirection::ASCENDING ? " ascending" : " descending");
        }
    }
    if (s.sort.empty()) s.sort = "none";
    if (auto* grid = table.getDataGridNode()) {
        s.scroll = "(" + number(grid->GetScrollX()) + ", " + number(grid->GetScrollY()) + ")";
        for (int c = 0; c < grid->GetNumColumns(); ++c) s.widths += (c ? " " : "") + number(grid->GetColumnWidth(c));
        uint64_t f = grid->GetFocusedCell();
        if (f != TqDataGrid::NO_PICK_ID) {
            int comp = TqDataGrid::ConvertPickIDtoComponentID(f);
            int col = TqDataGrid::GetColumnFromPickID(f);
            std::string name = col < grid->GetNumColumns() ? grid->GetColumnHeader(col) : std::to_string(col);
            s.focus = comp == TqDataGrid::COMPONENT_HEADER  ? "header " + name
                      : comp == TqDataGrid::COMPONENT_TOTAL ? "total " + name
                                                            : "row " + std::to_string(TqDataGrid::GetRowFromPickID(f)) +
                                                                  " (data row " +
                                                                  std::to_string(table.getDataRow(TqDataGrid::GetRowFromPickID(f))) +
                                                                  ") " + name;
        }
    }
    for (const auto& n : table.getOrderedColumnNames()) s.order += (s.order.empty() ? "" : " ") + n;
    s.fixed = model ? std::to_string(model->fixedColumnCount.get()) : "0";
    return s;
}

std::string describeChanges(const std::vector<TableState>& before, const std::vector<TableState>& after) {
    std::string out;
    for (size_t i = 0; i < after.size() && i < before.size(); ++i) {
        const TableState &a = before[i], &b = after[i];
        std::string t;
        auto note = [&](const std::string& what, const std::string& x, const std::string& y) {
            if (x != y) t += (t.empty() ? "" : "; ") + what + " " + y;
        };
        note("selected rows", a.selected, b.selected);
        note("sorted by", a.sort, b.sort);
        note("scrolled to", a.scroll, b.scroll);
        note("column widths", a.widths, b.widths);
        note("column order", a.order, b.order);
        note("frozen columns", a.fixed, b.fixed);
        note("focus on", a.focus, b.focus);
        if (!t.empty()) out += "; table " + std::to_string(i + 1) + ": " + t;
    }
    return out.empty() ? "; nothing changed" : out;
}

// What a user sees of the prompts and crosstabs: each prompt's picked values,
// the rows they leave selected, each crosstab's selected cells.
std::vector<std::string> pageState(const Report& report) {
    std::vector<std::string> out;
    const ReportPage* page = report.getPage();
    if (!page || page->getPrompts().empty()) return out;
    const auto prompts = page->getPrompts();
    for (const auto& p : prompts)
        out.push_back("prompt " + std::string(ReportPrompt::kindName(p->getKind())) + " on " + p->getColumnName() +
                      ": " + p->describeSelection());
    out.push_back(std::to_string(prompts.front()->getSelectedRowCount()) + " of " +
                  std::to_string(prompts.front()->getRowCount()) + " rows selected");
    // Crosstab cells are told here only when prompts select them; the
    // crosstab's own taps are told by the crosstab session.
    int n = 0;
    for (const auto& c : report.getCrosstabs()) {
        const size_t cells = c->getSelectedCells().size();
        out.push_back("crosstab " + std::to_string(++n) + ": " + std::to_string(cells) +
                      (cells == 1 ? " cell selected" : " cells selected"));
    }
    return out;
}

std::string describePageChanges(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    std::string out;
    for (size_t i = 0; i < after.size() && i < before.size(); ++i)
        if (before[i] != after[i]) out += "; " + after[i];
    return out;
}

std::string outcomeText(bool handled) { return handled ? "handled" : "not handled"; }

std::string modifierText(int modifiers) {
    std::string s;
    if (modifiers & KeyModifier::MULTI_SELECT) s += " with multi";
    if (modifiers & KeyModifier::RANGE_SELECT) s += " with range";
    if (modifiers & KeyModifier::ALT) s += " with alt";
    return s;
}

} // namespace

std::vector<OptionSpec> GestureScript::options() {
    return {{"--tap", "X,Y", "tap at X,Y (pixels from the top left) and print what it did", true},
            {"--double-tap", "X,Y", "double tap at X,Y (a header separator sizes its column to the content)", true},
            {"--pan", "X,Y,DX,DY", "drag from X,Y by DX,DY pixels (scrolls, resizes at a separator, moves a header)", true},
            {"--wheel", "X,Y,DELTA", "turn the mouse wheel at X,Y (120 a notch; positive scrolls down)", true},
            {"--key", "NAME", "press a key: right left up down home end pageup pagedown enter tab menu", true},
            {"--focus", "", "give the first table the keyboard focus (before --key)"},
            {"--modifier", "range|multi|alt", "hold a modifier for the gesture before it (shift: range, ctrl: multi, alt: a crosstab header's left/right resize its column)", true}};
}

bool GestureScript::keyCode(const std::string& name, int& code) {
    for (const auto& k : KEYS)
        if (name == k.name) {
            code = k.code;
            return true;
        }
    return false;
}

bool GestureScript::read(const ArgParser& parser, std::string& error) {
    steps_.clear();
    std::vector<float> n;
    for (const auto& [option, value] : parser.sequence()) {
        Step s;
        if (option == "tap" || option == "double-tap") {
            if (!PictureOutput::parsePoint(value, s.at)) {
                error = "--" + option + " wants X,Y (pixels from the top left of the picture), not \"" + value + "\"";
                return false;
            }
            s.kind = option == "tap" ? Step::Kind::TAP : Step::Kind::DOUBLE_TAP;
        } else if (option == "pan") {
            // X,Y,DX,DY, or X1,Y1:X2,Y2 (from one point to another).
            std::vector<float> to;
            size_t colon = value.find(':');
            if (colon == std::string::npos && parseNumbers(value, ',', n) && n.size() == 4) {
                s.at = {n[0], n[1]};
                s.by = {n[2], n[3]};
            } else if (colon != std::string::npos && parseNumbers(value.substr(0, colon), ',', n) && n.size() == 2 &&
                       parseNumbers(value.substr(colon + 1), ',', to) && to.size() == 2) {
                s.at = {n[0], n[1]};
                s.by = {to[0] - n[0], to[1] - n[1]};
            } else {
                error = "--pan wants X,Y,DX,DY (a start point and a drag, in pixels), not \"" + value + "\"";
                return false;
            }
            s.kind = Step::Kind::PAN;
        } else if (option == "wheel") {
            if (!parseNumbers(value, ',', n) || n.size() != 3 || std::fabs(n[2]) > 1.0e6f || n[2] != std::floor(n[2])) {
                error = "--wheel wants X,Y,DELTA (a point and a whole wheel delta, 120 a notch), not \"" + value + "\"";
                return false;
            }
            s.kind = Step::Kind::WHEEL;
            s.at = {n[0], n[1]};
            s.delta = int(n[2]);
        } else if (option == "key") {
            if (!keyCode(value, s.key)) {
                error = "--key wants one of right, left, up, down, home, end, pageup, pagedown, enter, tab, menu; not \"" +
                        value + "\"";
                return false;
            }
            s.kind = Step::Kind::KEY;
            s.name = value;
        } else if (option == "focus") {
            s.kind = Step::Kind::FOCUS;
        } else if (option == "modifier") {
            int bit = value == "range" || value == "shift"  ? KeyModifier::RANGE_SELECT
                      : value == "multi" || value == "ctrl" ? KeyModifier::MULTI_SELECT
                      : value == "alt"                      ? KeyModifier::ALT
                                                            : 0;
            if (!bit) {
                error = "--modifier wants range (shift), multi (ctrl) or alt, not \"" + value + "\"";
                return false;
            }
            if (steps_.empty() || steps_.back().kind == Step::Kind::FOCUS) {
                error = "--modifier holds a key for the gesture given before it (--tap X,Y --modifier range)";
                return false;
            }
            steps_.back().modifiers |= bit;
            continue;
        } else {
            continue;
        }
        steps_.push_back(s);
    }
    return true;
}

std::string GestureScript::apply(Report& report, const Step& step) {
    auto tables = report.getTables();
    std::vector<TableState> before;
    for (const auto& t : tables) before.push_back(snapshot(*t));
    const std::vector<std::string> pageBefore = pageState(report);
    std::string head;
    bool handled = false;
    switch (step.kind) {
    case Step::Kind::TAP:
    case Step::Kind::DOUBLE_TAP: {
        const bool twice = step.kind == Step::Kind::DOUBLE_TAP;
        auto tap = std::make_shared<Tap>(report.toViewPoint(step.at), twice ? 2 : 1,
                                         twice ? GestureRecognizerType::DOUBLE_TAP : GestureRecognizerType::TAP);
        tap->setModifiers(step.modifiers);
        head = std::string(twice ? "double tap" : "tap") + " at (" + number(step.at.x) + ", " + number(step.at.y) + ")" +
               modifierText(step.modifiers);
        handled = report.routeGesture(tap) == Report::Outcome::HANDLED;
        break;
    }
    case Step::Kind::PAN: {
        head = "pan from (" + number(step.at.x) + ", " + number(step.at.y) + ") by (" + number(step.by.x) + ", " +
               number(step.by.y) + ")" + modifierText(step.modifiers);
        const Point start = report.toViewPoint(step.at);
        const Point end = report.toViewPoint({step.at.x + step.by.x, step.at.y + step.by.y});
        // Picture y grows downwards, view y upwards.
        const Point translation{step.by.x, -step.by.y};
        for (int state : {GestureRecognizerState::BEGAN, GestureRecognizerState::CHANGED, GestureRecognizerState::ENDED}) {
            auto pan = std::make_shared<Pan>(state, state == GestureRecognizerState::BEGAN ? start : end,
                                             state == GestureRecognizerState::BEGAN ? Point{} : translation);
            pan->setModifiers(step.modifiers);
            handled = report.routeGesture(pan) == Report::Outcome::HANDLED || handled;
        }
        break;
    }
    case Step::Kind::WHEEL: {
        head = "wheel at (" + number(step.at.x) + ", " + number(step.at.y) + ") by " + std::to_string(step.delta);
        auto wheel = std::make_shared<MouseWheel>(report.toViewPoint(step.at), Point{0.0f, float(step.delta)});
        handled = report.routeGesture(wheel) == Report::Outcome::HANDLED;
        break;
    }
    case Step::Kind::KEY:
        head = "key " + step.name + modifierText(step.modifiers);
        handled = report.routeKey(step.key, step.modifiers) == Report::Outcome::HANDLED;
        break;
    case Step::Kind::FOCUS:
        head = "focus";
        if (!report.focusTable(0)) return head + ": the report has no table to focus";
        report.render();
        return head + ": table 1 has the keyboard focus";
    }
    std::vector<TableState> after;
    for (const auto& t : tables) after.push_back(snapshot(*t));
    std::string changes = describeChanges(before, after);
    const std::string pageChanges = describePageChanges(pageBefore, pageState(report));
    if (!pageChanges.empty()) changes = (changes == "; nothing changed" ? "" : changes) + pageChanges;
    return head + ": " + outcomeText(handled) + changes;
}

void GestureScript::run(Report& report, std::ostream& out, const CrosstabScript* crosstab) const {
    const bool tables = !report.getTables().empty();
    for (const Step& step : steps_) {
        if (step.kind != Step::Kind::TAP || tables) {
            CrosstabScript::beforeTap(report);
            out << apply(report, step) << "\n";
            if (crosstab) crosstab->afterTap(report, out);
            continue;
        }
        // A page of rich text: a view selects the action under a tap and lets
        // the tap go on to the host, so a selected action and an unconsumed
        // tap are one outcome. An earlier tap's selection is cleared first (a
        // selection far off the page is none), so each tap reports its own.
        for (const auto& view : report.getRichTextViews()) view->selectAtLocation({-1.0e9f, -1.0e9f}, false);
        out << "tap at (" << step.at.x << ", " << step.at.y << ")\n";
        auto tap = std::make_shared<Tap>(report.toViewPoint(step.at));
        tap->setModifiers(step.modifiers);
        auto outcome = report.routeGesture(tap);
        bool any = false;
        for (const auto& view : report.getRichTextViews()) {
            if (auto action = view->getSelectedAction()) {
                out << "  selected action " << view->getSelectedActionIndex() << ": " << *action << "\n";
                any = true;
            }
        }
        if (outcome == Report::Outcome::HANDLED)
            out << "  consumed by a view\n";
        else if (any)
            out << "  (the tap goes on to the host, which opens the action)\n";
        else
            out << "  no action selected\n";
    }
}

} // namespace orvane::tool
