// SPDX-License-Identifier: Apache-2.0
#include "PromptSession.h"

#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/report/Report.h"
#include "orvane/report/ReportPage.h"
#include "orvane/report/ReportPrompt.h"

#include <cmath>
#include <ostream>

namespace orvane::tool {

namespace {

// Steps a drag is fed in between its start and its end, as a pointer moves.
constexpr int DRAG_STEPS = 8;

bool parseDrag(const std::string& text, Point& from, Point& moved) {
    float v[4];
    size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        size_t comma = text.find(',', at);
        if ((comma == std::string::npos) != (i == 3)) return false;
        if (!PropertyTextCodec::parseFloat(text.substr(at, comma == std::string::npos ? std::string::npos : comma - at),
                                           v[i]) ||
            !std::isfinite(v[i]))
            return false;
        at = comma + 1;
    }
    from = {v[0], v[1]};
    moved = {v[2], v[3]};
    return true;
}

std::string shortText(const std::string& s) {
    constexpr size_t MOST = 60;
    if (s.size() <= MOST) return s;
    size_t cut = MOST;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xc0) == 0x80) --cut;
    return s.substr(0, cut) + "... (" + std::to_string(s.size()) + " bytes)";
}

} // namespace

std::vector<OptionSpec> PromptSession::options(std::vector<OptionSpec> own) {
    own.insert(own.end(), {{"--drag", "X,Y,DX,DY",
             "drag from X,Y (pixels from the top left) by DX,DY: a slider's thumb, a long list's lines", true},
            {"--type", "TEXT", "type TEXT into the focused text field (the first one when none has focus)", true}});
    return own;
}

bool PromptSession::read(const ArgParser& parser, std::string& error) {
    for (const auto& d : parser.all("drag")) {
        Drag drag;
        if (!parseDrag(d, drag.from, drag.moved)) {
            error = "--drag wants X,Y,DX,DY (a start from the top left of the picture and a move, in pixels), not \"" +
                    d + "\"";
            return false;
        }
        drags_.push_back(drag);
    }
    typed_ = parser.all("type");
    return true;
}

void PromptSession::run(Report& report, bool acted, std::ostream& out) const {
    ReportPage* page = report.getPage();
    for (const auto& d : drags_) {
        out << "drag from (" << d.from.x << ", " << d.from.y << ") by (" << d.moved.x << ", " << d.moved.y << ")\n";
        const Point start = report.toViewPoint(d.from);
        bool handled = false;
        for (int step = 0; step <= DRAG_STEPS; ++step) {
            const float t = static_cast<float>(step) / DRAG_STEPS;
            // Page moves are y down; the view's are y up.
            const Point moved{d.moved.x * t, -d.moved.y * t};
            const int state = step == 0                ? GestureRecognizerState::BEGAN
                              : step == DRAG_STEPS     ? GestureRecognizerState::ENDED
                                                       : GestureRecognizerState::CHANGED;
            auto pan = std::make_shared<Pan>(state, Point{start.x + moved.x, start.y + moved.y}, moved);
            handled = report.routeGesture(pan) == Report::Outcome::HANDLED || handled;
        }
        out << (handled ? "  consumed by a view\n" : "  nothing there to drag\n");
    }
    for (const auto& text : typed_) {
        out << "type \"" << shortText(text) << "\"\n";
        std::shared_ptr<ReportPrompt> field = page ? page->getFocusedPrompt() : nullptr;
        if (!field || field->getKind() != ReportPrompt::Kind::TEXT) {
            field.reset();
            if (page)
                for (const auto& p : page->getPrompts())
                    if (p->getKind() == ReportPrompt::Kind::TEXT) {
                        field = p;
                        break;
                    }
            if (field) {
                out << "  (no text field has focus: typed into the first one, on " << field->getColumnName() << ")\n";
                field->focus();
            }
        }
        if (!field) {
            out << "  the report has no text field\n";
            continue;
        }
        field->typeText(text);
        report.render();
    }
    if (!page || !(acted || !empty())) return;
    for (const auto& p : page->getPrompts())
        out << "prompt " << ReportPrompt::kindName(p->getKind()) << " on " << p->getColumnName() << ": "
            << shortText(p->describeSelection()) << "; " << p->getSelectedRowCount() << " of " << p->getRowCount()
            << " rows selected\n";
    // Crosstabs over a prompt's data mark the crossings whose rows are all selected.
    if (page->getPrompts().empty()) return;
    int n = 0;
    for (const auto& c : report.getCrosstabs())
        out << "crosstab " << ++n << ": " << c->getSelectedCells().size()
            << (c->getSelectedCells().size() == 1 ? " cell selected\n" : " cells selected\n");
}

} // namespace orvane::tool
