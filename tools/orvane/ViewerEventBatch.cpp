// SPDX-License-Identifier: Apache-2.0
#include "ViewerEventBatch.h"

#include <rapidjson/document.h>

#include <cmath>

namespace orvane::tool {

namespace {

using Input = PointerGestureRecognizer::Input;
using R = PointerGestureRecognizer;

// A member of an object, or null.
const rapidjson::Value* member(const rapidjson::Value& object, const char* name) {
    return object.HasMember(name) ? &object[name] : nullptr;
}

bool number(const rapidjson::Value& object, const char* name, double& out, bool required, double limit) {
    const rapidjson::Value* it = member(object, name);
    if (!it) return !required;
    if (!it->IsNumber()) return false;
    out = it->GetDouble();
    return std::isfinite(out) && std::fabs(out) <= limit;
}

// A focus event: which grid, where, and which way on.
std::optional<ViewerEventBatch::Event> readFocus(const rapidjson::Value& v, std::string& error) {
    ViewerEventBatch::Event e;
    e.focus = true;
    double grid = 0, row = 0, column = 0;
    const double cells = 1.0e12;
    if (!number(v, "grid", grid, true, 4096) || grid < 0 || grid != std::floor(grid)) {
        error = "a focus event needs a \"grid\" number from 0";
        return std::nullopt;
    }
    if (!number(v, "row", row, false, cells) || !number(v, "column", column, false, cells) || row < 0 ||
        column < 0 || row != std::floor(row) || column != std::floor(column) || (row == 0) != (column == 0)) {
        error = "a focus event's \"row\" and \"column\" are given together, each a whole number from 1";
        return std::nullopt;
    }
    if (const rapidjson::Value* move = member(v, "move")) {
        static const char* const moves[] = {"up",   "down",  "left", "right", "home",
                                            "end",  "first", "last", "next",  "previous"};
        const std::string name = move->IsString() ? std::string(move->GetString(), move->GetStringLength()) : "";
        bool known = false;
        for (const char* m : moves) known = known || name == m;
        if (!known) {
            error = "a focus event's \"move\" is up, down, left, right, home, end, first, last, next or previous";
            return std::nullopt;
        }
        e.move = name;
    }
    e.grid = static_cast<int>(grid);
    e.row = static_cast<long long>(row);
    e.column = static_cast<long long>(column);
    return e;
}

// One event, or the reason it is refused.
std::optional<ViewerEventBatch::Event> readEvent(const rapidjson::Value& v, std::string& error) {
    if (!v.IsObject()) {
        error = "an event must be an object";
        return std::nullopt;
    }
    const rapidjson::Value* type = member(v, "type");
    if (!type || !type->IsString()) {
        error = "an event needs a \"type\"";
        return std::nullopt;
    }
    const std::string kind(type->GetString(), type->GetStringLength());
    ViewerEventBatch::Event e;
    Input& in = e.input;
    static const std::pair<const char*, R::Kind> kinds[] = {{"down", R::DOWN},   {"move", R::MOVE},   {"up", R::UP},
                                                            {"cancel", R::CANCEL}, {"wheel", R::WHEEL}, {"key", R::KEY}};
    bool known = false;
    for (const auto& [name, k] : kinds)
        if (kind == name) {
            in.kind = k;
            known = true;
        }
    if (kind == "resize") {
        double width = 0;
        if (!number(v, "width", width, true, 16384.0) || width < 1.0) {
            error = "a resize needs a \"width\" from 1 to 16384";
            return std::nullopt;
        }
        e.resize = true;
        e.width = static_cast<float>(width);
        return e;
    }
    if (kind == "focus") return readFocus(v, error);
    if (!known) {
        error = "unknown event type \"" + kind.substr(0, 32) + "\"";
        return std::nullopt;
    }
    const double limit = ViewerEventBatch::MAX_COORDINATE;
    double x = 0, y = 0, t = 0, mods = 0, dx = 0, dy = 0;
    const bool pointed = in.kind != R::KEY && in.kind != R::CANCEL;
    if (!number(v, "x", x, pointed, limit) || !number(v, "y", y, pointed, limit)) {
        error = "\"" + kind + "\" needs finite \"x\" and \"y\" (page pixels)";
        return std::nullopt;
    }
    if (!number(v, "t", t, false, 1.0e12) || t < 0) {
        error = "\"t\" must be milliseconds, 0 or more";
        return std::nullopt;
    }
    if (!number(v, "mods", mods, false, 15) || mods < 0 || mods != std::floor(mods)) {
        error = "\"mods\" must be modifier bits from 0 to 15";
        return std::nullopt;
    }
    if (in.kind == R::WHEEL && (!number(v, "dx", dx, false, limit) || !number(v, "dy", dy, false, limit))) {
        error = "a wheel's \"dx\" and \"dy\" must be finite pixels";
        return std::nullopt;
    }
    if (in.kind == R::KEY) {
        const rapidjson::Value* key = member(v, "key");
        if (!key || !key->IsString() || key->GetStringLength() == 0 ||
            key->GetStringLength() > ViewerEventBatch::MAX_KEY_LENGTH) {
            error = "a key event needs a \"key\" name of 1 to 32 bytes";
            return std::nullopt;
        }
        in.key.assign(key->GetString(), key->GetStringLength());
    }
    in.location = {static_cast<float>(x), static_cast<float>(y)};
    in.time = t / 1000.0;
    in.modifiers = static_cast<int>(mods);
    in.delta = {static_cast<float>(dx), static_cast<float>(dy)};
    return e;
}

} // namespace

std::optional<ViewerEventBatch> ViewerEventBatch::parse(const std::string& body, std::string& error) {
    rapidjson::Document doc;
    doc.Parse<rapidjson::kParseStopWhenDoneFlag>(body.data(), body.size());
    if (doc.HasParseError() || !doc.IsObject()) {
        error = "the body must be a JSON object";
        return std::nullopt;
    }
    ViewerEventBatch batch;
    if (const rapidjson::Value* have = member(doc, "have")) {
        if (!have->IsInt64() || have->GetInt64() < -1) {
            error = "\"have\" must be a frame number";
            return std::nullopt;
        }
        batch.have_ = have->GetInt64();
    }
    const rapidjson::Value* events = member(doc, "events");
    if (!events || !events->IsArray()) {
        error = "the body needs an \"events\" array";
        return std::nullopt;
    }
    if (events->Size() > MAX_EVENTS) {
        error = "at most " + std::to_string(MAX_EVENTS) + " events per request";
        return std::nullopt;
    }
    for (const auto& v : events->GetArray()) {
        auto e = readEvent(v, error);
        if (!e) return std::nullopt;
        batch.events_.push_back(std::move(*e));
    }
    return batch;
}

bool ViewerEventBatch::merge(std::vector<Event>& queue, const std::vector<Event>& incoming) {
    std::vector<Event> merged = queue;
    for (const auto& e : incoming) {
        if (!merged.empty() && !e.resize && !merged.back().resize && !e.focus && !merged.back().focus) {
            Event& last = merged.back();
            const auto kind = e.input.kind;
            // A later position of the pointer replaces an earlier one: a pan's
            // translation is measured from its start, so nothing is lost.
            if (kind == R::MOVE && last.input.kind == R::MOVE && last.input.modifiers == e.input.modifiers) {
                last = e;
                continue;
            }
            if (kind == R::WHEEL && last.input.kind == R::WHEEL && last.input.modifiers == e.input.modifiers) {
                last.input.delta = last.input.delta + e.input.delta;
                last.input.location = e.input.location;
                last.input.time = e.input.time;
                continue;
            }
        }
        if (e.resize && !merged.empty() && merged.back().resize) {
            merged.back() = e;
            continue;
        }
        merged.push_back(e);
    }
    if (merged.size() > MAX_QUEUED) return false;
    queue = std::move(merged);
    return true;
}

} // namespace orvane::tool
