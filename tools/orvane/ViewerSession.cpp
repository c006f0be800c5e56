// SPDX-License-Identifier: Apache-2.0
#include "ViewerSession.h"

#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/TableAccessibilityController.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/host/input/Focusable.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/input/KeyCode.h"
#include "orvane/report/Report.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <cmath>

namespace orvane::tool {

namespace {

using R = PointerGestureRecognizer;

using Nav = AccessibilityControllerNavigationType;

// A key no view took still scrolls: it becomes a wheel step at the pointer,
// the route the wheel takes.
float keyScrollStep(const std::string& key, float pageHeight) {
    if (key == "ArrowDown") return 40.0f;
    if (key == "ArrowUp") return -40.0f;
    if (key == "PageDown" || key == " ") return pageHeight * 0.8f;
    if (key == "PageUp") return -pageHeight * 0.8f;
    return 0.0f;
}

// Where a view lies on the page: pixels from the page's top left.
Rect pageRect(const BaseView& view, Rect inView, float pageHeight) {
    const Point o = view.getOriginInRootViewCoordinates();
    return {o.x + inView.x, pageHeight - (o.y + inView.y + inView.height), inView.width, inView.height};
}

Rect clip(const Rect& r, const Rect& to) {
    const float x0 = std::max(r.x, to.x), y0 = std::max(r.y, to.y);
    const float x1 = std::min(r.x + r.width, to.x + to.width), y1 = std::min(r.y + r.height, to.y + to.height);
    return {x0, y0, std::max(0.0f, x1 - x0), std::max(0.0f, y1 - y0)};
}

} // namespace

int ViewerSession::keyCode(const std::string& key) {
    static const std::pair<const char*, int> keys[] = {
        {"ArrowLeft", KeyCode::LEFT},  {"ArrowRight", KeyCode::RIGHT},   {"ArrowDown", KeyCode::DOWN},
        {"ArrowUp", KeyCode::UP},      {"PageUp", KeyCode::PAGE_UP},     {"PageDown", KeyCode::PAGE_DOWN},
        {"Home", KeyCode::HOME},       {"End", KeyCode::END},            {"Enter", KeyCode::ENTER},
        {"Tab", KeyCode::TAB},         {" ", KeyCode::TAB},              {"Escape", KeyCode::ESCAPE},
        {"ContextMenu", KeyCode::CONTEXT_MENU}};
    for (const auto& [name, code] : keys)
        if (key == name) return code;
    return 0;
}

std::unique_ptr<ViewerSession> ViewerSession::open(const std::string& reportPath, float width, std::string& error) {
    std::vector<std::string> errors;
    auto report = Report::open(reportPath, errors);
    if (!report) {
        error = errors.empty() ? reportPath + ": cannot be shown" : errors.front();
        return nullptr;
    }
    std::unique_ptr<ViewerSession> session(new ViewerSession());
    session->report_ = std::move(report);
    session->report_->layout(width);
    session->refresh();
    return session;
}

ViewerSession::~ViewerSession() = default;

float ViewerSession::width() const { return report_->getWidth(); }
float ViewerSession::height() const { return report_->getHeight(); }

Point ViewerSession::toView(Point page) const { return report_->toViewPoint(page); }

int ViewerSession::apply(const std::vector<ViewerEventBatch::Event>& events, double now) {
    int handled = 0;
    for (const auto& e : events) {
        if (e.resize) {
            // A new width ends what the pointer was doing: its points were
            // measured on the old layout.
            for (const auto& r : recognizer_.reset()) handled += route(r);
            report_->layout(e.width);
            continue;
        }
        if (e.focus) {
            if (applyFocus(e)) ++handled;
            continue;
        }
        // The page's clock is mapped onto the loop's by the latest event, so
        // that a press held without further input still becomes a long press.
        clockOffset_ = now - e.input.time;
        clockKnown_ = true;
        R::Input in = e.input;
        if (in.kind != R::KEY && in.kind != R::CANCEL) {
            lastPointer_ = in.location;
            // A wheel's delta keeps its sign: a step down the page scrolls
            // the content up, as MouseWheel has it.
            in.location = toView(in.location);
        }
        for (const auto& r : recognizer_.feed(in)) handled += route(r);
    }
    refresh();
    return handled;
}

int ViewerSession::route(const R::Recognized& r) {
    std::shared_ptr<Gesture> gesture = r.gesture;
    const bool tap = gesture && (gesture->getType() & GestureRecognizerType::ANY_TAP);
    // Only keys and taps depend on or move the keyboard focus: this tab's
    // focus is put back for them alone, so that tabs left alone keep theirs.
    if (r.isKey() || tap) {
        auto mine = keyboardFocus_.lock();
        if (FocusManager::getKeyboardFocus() != mine) FocusManager::setKeyboardFocus(mine);
    }
    int handled = 0;
    if (r.isKey()) {
        const int code = keyCode(r.key.key);
        if (code != 0 && report_->routeKey(code, R::selectionModifiers(r.key.modifiers)) == Report::Outcome::HANDLED)
            handled = 1;
        keyboardFocus_ = FocusManager::getKeyboardFocus();
        if (handled) return handled;
        const float step = keyScrollStep(r.key.key, std::min(height(), 800.0f));
        if (step == 0.0f) return 0;
        gesture = std::make_shared<MouseWheel>(toView(lastPointer_), Point{0.0f, step});
        gesture->setModifiers(R::selectionModifiers(r.key.modifiers));
    }
    handled = report_->routeGesture(gesture) == Report::Outcome::HANDLED ? 1 : 0;
    if (tap) keyboardFocus_ = FocusManager::getKeyboardFocus();
    return handled;
}

std::vector<std::shared_ptr<BaseView>> ViewerSession::grids() const {
    std::vector<std::shared_ptr<BaseView>> out;
    for (const auto& t : report_->getTables()) out.push_back(t);
    for (const auto& c : report_->getCrosstabs()) out.push_back(c);
    // Reading order: the top edge highest on the page first (root view
    // coordinates grow upwards), then the left edge.
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
        const Point pa = a->getOriginInRootViewCoordinates(), pb = b->getOriginInRootViewCoordinates();
        const float ta = pa.y + a->getFrame().height, tb = pb.y + b->getFrame().height;
        return ta != tb ? ta > tb : pa.x < pb.x;
    });
    return out;
}

bool ViewerSession::applyFocus(const ViewerEventBatch::Event& e) {
    const auto all = grids();
    if (e.grid < 0 || size_t(e.grid) >= all.size()) return false;
    const auto& view = all[size_t(e.grid)];
    auto controller = std::dynamic_pointer_cast<TableAccessibilityController>(view->getAccessibilityController());
    if (!controller) return false;
    // The grid the page's focus is in takes the keys too.
    FocusManager::setKeyboardFocus(view->asFocusable());
    keyboardFocus_ = FocusManager::getKeyboardFocus();
    bool landed = false;
    if (e.row > 0) {
        for (const auto& el : controller->getAccessibilityElements())
            if (el->getRow() == e.row && el->getColumn() == e.column) {
                controller->setFocus(el);
                landed = true;
                break;
            }
        if (!landed) return false;
    }
    if (!e.move.empty()) {
        static const std::pair<const char*, Nav::type> moves[] = {
            {"up", Nav::CELL_UP},       {"down", Nav::CELL_DOWN}, {"left", Nav::CELL_LEFT},
            {"right", Nav::CELL_RIGHT}, {"home", Nav::LOCAL_FIRST}, {"end", Nav::LOCAL_LAST},
            {"first", Nav::FIRST},      {"last", Nav::LAST},      {"next", Nav::NEXT},
            {"previous", Nav::PREVIOUS}};
        for (const auto& [name, type] : moves)
            if (e.move == name) landed = controller->getAccessibilityElement(type) != nullptr;
    }
    ariaWanted_ = true;
    return landed;
}

AriaGrid ViewerSession::collectAccessibilityCells() const {
    AriaGrid grid;
    const float pageHeight = height();
    const auto all = grids();
    for (size_t g = 0; g < all.size(); ++g) {
        const auto& view = all[g];
        auto controller = std::dynamic_pointer_cast<TableAccessibilityController>(view->getAccessibilityController());
        if (!controller) continue;
        const auto elements = controller->getAccessibilityElements();
        const auto current = controller->getCurrentAccessibilityElement();
        const Rect shown = pageRect(*view, {0, 0, view->getFrame().width, view->getFrame().height}, pageHeight);
        for (const auto& el : elements) {
            if (el->getRole().empty() || !el->isOnScreen() || el->getRow() < 1 || el->getColumn() < 1) continue;
            AriaCell c;
            c.table = static_cast<int>(g);
            c.role = el->getRole();
            c.label = el->getAccessibilityLabel();
            c.hint = el->getAccessibilityHint();
            c.row = el->getRow();
            c.column = el->getColumn();
            c.rowCount = el->getRowCount();
            c.columnCount = el->getColumnCount();
            c.sort = el->getSort() == AccessibilityElement::SORT_NONE ? "" : el->getSort();
            c.expanded = el->getExpanded();
            c.selected = el->isSelected();
            c.focused = current && current->getDetailIndex() == el->getDetailIndex();
            c.bounds = clip(pageRect(*view, el->getAccessibilityFrame(), pageHeight), shown);
            if (c.bounds.width <= 0.0f || c.bounds.height <= 0.0f) continue;
            grid.add(std::move(c));
        }
    }
    return grid;
}

void ViewerSession::tick(double now) {
    if (clockKnown_)
        for (const auto& r : recognizer_.advance(now - clockOffset_)) route(r);
    const auto& renderer = report_->getRenderer();
    if (renderer && renderer->getAnimationCount() > 0) renderer->prepareForDrawing();
    refresh();
}

double ViewerSession::nextDeadline() const {
    const auto& renderer = report_->getRenderer();
    // Animations want frames at the screen's pace.
    if (renderer && renderer->getAnimationCount() > 0) return 0.0;
    const double press = recognizer_.nextDeadline();
    return press < 0.0 || !clockKnown_ ? -1.0 : press + clockOffset_;
}

void ViewerSession::refresh() {
    report_->render();
    std::string svg = report_->getRenderer()->getDisplayListSVGString();
    // The grid follows what is drawn; a focus move may change it alone, and
    // then it makes a frame of its own (with the same picture), so that a
    // page is sent the grid only when the grid it has is out of date.
    bool ariaChanged = frame_ == 0;
    if (ariaWanted_ || svg != svg_ || frame_ == 0) {
        AriaGrid now = collectAccessibilityCells();
        if (!(now == aria_)) {
            previousAria_ = std::move(aria_);
            aria_ = std::move(now);
            ariaChanged = true;
        }
    }
    ariaWanted_ = false;
    if (svg == svg_ && frame_ > 0) {
        if (!ariaChanged) return;
        previousSvg_ = svg_;
        previousFrame_ = frame_;
        ++frame_;
    } else {
        previousSvg_ = std::move(svg_);
        previousFrame_ = frame_;
        svg_ = std::move(svg);
        ++frame_;
    }
    if (!ariaChanged) return;
    // A page whose grid is the one before gets the changes alone.
    previousAriaFrame_ = ariaFrame_;
    ariaFrame_ = frame_;
    ariaDelta_ = aria_.since(previousAria_);
}

std::string ViewerSession::replyJson(long long have, int handled) const {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    w.StartObject();
    w.Key("frame");
    w.Int64(frame_);
    w.Key("width");
    w.Double(width());
    w.Key("height");
    w.Double(height());
    w.Key("handled");
    w.Int(handled);
    w.Key("animating");
    w.Bool(nextDeadline() >= 0.0);
    if (have != frame_) {
        if (have == previousFrame_ && previousFrame_ > 0) {
            const FrameDelta d = FrameDelta::between(previousSvg_, svg_);
            w.Key("delta");
            w.StartObject();
            w.Key("from");
            w.Int64(previousFrame_);
            w.Key("edits");
            w.StartArray();
            for (const auto& e : d.edits) {
                w.StartArray();
                w.Uint64(e.keep);
                w.Uint64(e.remove);
                w.String(e.insert.data(), static_cast<rapidjson::SizeType>(e.insert.size()));
                w.EndArray();
            }
            w.EndArray();
            w.EndObject();
        } else {
            w.Key("svg");
            w.String(svg_.data(), static_cast<rapidjson::SizeType>(svg_.size()));
        }
    }
    if (have < ariaFrame_) {
        // The grids' names, in the order of the cells' grid numbers: a
        // screen reader says which of them it enters.
        w.Key("gridNames");
        w.StartArray();
        int tables = 0, crosstabs = 0;
        for (const auto& view : grids()) {
            const bool crosstab = std::dynamic_pointer_cast<CrosstabRenderer>(view) != nullptr;
            const std::string name = crosstab ? "Crosstab " + std::to_string(++crosstabs) : "Table " + std::to_string(++tables);
            w.String(name.data(), static_cast<rapidjson::SizeType>(name.size()));
        }
        w.EndArray();
        // The page's grid is the one before the last change when it shows a
        // frame drawn since that grid was sent: then the changes suffice.
        const bool changes = !ariaDelta_.whole && previousAriaFrame_ > 0 && have >= previousAriaFrame_;
        if (changes) {
            w.Key("ariaDelta");
            w.StartObject();
            w.Key("from");
            w.Int64(previousAriaFrame_);
            w.Key("to");
            w.Int64(ariaFrame_);
            w.Key("set");
            w.StartArray();
            for (size_t i : ariaDelta_.set) AriaGrid::write(w, aria_.cells()[i]);
            w.EndArray();
            w.Key("removed");
            w.StartArray();
            for (const auto& id : ariaDelta_.removed) w.String(id.data(), static_cast<rapidjson::SizeType>(id.size()));
            w.EndArray();
            w.EndObject();
        } else {
            w.Key("aria");
            w.StartArray();
            for (const auto& c : aria_.cells()) AriaGrid::write(w, c);
            w.EndArray();
        }
    }
    w.EndObject();
    return buffer.GetString();
}

} // namespace orvane::tool
