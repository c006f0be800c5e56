// SPDX-License-Identifier: Apache-2.0
#include "AriaGrid.h"

#include <map>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace orvane::tool {

namespace {

// Each grid's row and column counts: the shape the page builds its grids from.
std::map<int, std::pair<long long, long long>> shape(const std::vector<AriaGrid::Cell>& cells) {
    std::map<int, std::pair<long long, long long>> out;
    for (const auto& c : cells) out[c.table] = {c.rowCount, c.columnCount};
    return out;
}

} // namespace

void AriaGrid::add(Cell cell) {
    std::string place = std::to_string(cell.table) + ":" + std::to_string(cell.row) + ":" + std::to_string(cell.column);
    const int n = ++places_[place];
    cell.id = n == 1 ? std::move(place) : place + "#" + std::to_string(n);
    cells_.push_back(std::move(cell));
}

void AriaGrid::clear() {
    cells_.clear();
    places_.clear();
}

AriaGrid::Delta AriaGrid::since(const AriaGrid& before) const {
    Delta d;
    if (shape(before.cells_) != shape(cells_)) return d;
    std::unordered_map<std::string_view, const Cell*> old;
    old.reserve(before.cells_.size());
    for (const auto& c : before.cells_) old.emplace(c.id, &c);
    for (size_t i = 0; i < cells_.size(); ++i) {
        auto it = old.find(cells_[i].id);
        if (it == old.end()) {
            d.set.push_back(i);
            continue;
        }
        if (!(*it->second == cells_[i])) d.set.push_back(i);
        old.erase(it);
    }
    for (const auto& c : before.cells_)
        if (old.count(c.id)) d.removed.push_back(c.id);
    // A scroll moves every cell: then the whole grid is no more to send.
    d.whole = d.set.size() + d.removed.size() >= cells_.size();
    return d;
}

void AriaGrid::write(rapidjson::Writer<rapidjson::StringBuffer>& w, const Cell& c) {
    w.StartObject();
    w.Key("id");
    w.String(c.id.data(), static_cast<rapidjson::SizeType>(c.id.size()));
    w.Key("table");
    w.Int(c.table);
    w.Key("role");
    w.String(c.role.c_str());
    w.Key("label");
    w.String(c.label.data(), static_cast<rapidjson::SizeType>(c.label.size()));
    w.Key("hint");
    w.String(c.hint.data(), static_cast<rapidjson::SizeType>(c.hint.size()));
    for (const auto& [name, value] : {std::pair<const char*, long long>{"row", c.row},
                                      {"column", c.column},
                                      {"rowCount", c.rowCount},
                                      {"columnCount", c.columnCount},
                                      {"expanded", c.expanded}}) {
        w.Key(name);
        w.Int64(value);
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

} // namespace orvane::tool
