// SPDX-License-Identifier: Apache-2.0
#include "ViewerSession.h"

#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/report/Report.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <cmath>

namespace orvane::tool {

namespace {

using R = PointerGestureRecognizer;

// Keys that move through a table are turned into wheel steps at the
// pointer, so that they take the same route as the wheel does.
float keyScrollStep(const std::string& key, float pageHeight) {
    if (key == "ArrowDown") return 40.0f;
    if (key == "ArrowUp") return -40.0f;
    if (key == "PageDown" || key == " ") return pageHeight * 0.8f;
    if (key == "PageUp") return -pageHeight * 0.8f;
    return 0.0f;
}

} // namespace

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
    if (r.isKey()) {
        const float step = keyScrollStep(r.key.key, std::min(height(), 800.0f));
        if (step == 0.0f) return 0;
        gesture = std::make_shared<MouseWheel>(toView(lastPointer_), Point{0.0f, step});
        gesture->setModifiers(R::selectionModifiers(r.key.modifiers));
    }
    return report_->routeGesture(gesture) == Report::Outcome::HANDLED ? 1 : 0;
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
    if (svg == svg_ && frame_ > 0) return;
    previousSvg_ = std::move(svg_);
    previousFrame_ = frame_;
    svg_ = std::move(svg);
    ++frame_;
}

std::vector<ViewerSession::AriaCell> ViewerSession::accessibilityCells() const {
    // The tables' accessibility elements are read here when the report's
    // tables provide them; a report without any has no grid.
    return {};
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
    w.Key("aria");
    w.StartArray();
    for (const auto& c : accessibilityCells()) {
        w.StartObject();
        w.Key("table");
        w.Int(c.table);
        w.Key("role");
        w.String(c.role.c_str());
        w.Key("label");
        w.String(c.label.c_str());
        w.Key("hint");
        w.String(c.hint.c_str());
        for (const auto& [name, value] : {std::pair<const char*, int>{"row", c.row},
                                          {"column", c.column},
                                          {"rowCount", c.rowCount},
                                          {"columnCount", c.columnCount},
                                          {"expanded", c.expanded}}) {
            w.Key(name);
            w.Int(value);
        }
        w.Key("sort");
        w.String(c.sort.c_str());
        w.Key("selected");
        w.Bool(c.selected);
        w.Key("focused");
        w.Bool(c.focused);
        w.Key("bounds");
        w.StartArray();
        for (float v : {c.bounds.x, c.bounds.y, c.bounds.width, c.bounds.height}) w.Double(v);
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    return buffer.GetString();
}

} // namespace orvane::tool
