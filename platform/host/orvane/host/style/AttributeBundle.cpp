// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/style/AttributeBundle.h"

#include "orvane/host/style/Dimension.h"

#include <algorithm>

namespace orvane {

std::shared_ptr<AttributeBundle> AttributeBundle::clone() const {
    auto b = create();
    b->values_ = values_;
    return b;
}

void AttributeBundle::set(int id, Value v) {
    auto it = std::lower_bound(values_.begin(), values_.end(), id,
                               [](const std::pair<int, Value>& p, int k) { return p.first < k; });
    if (it != values_.end() && it->first == id)
        it->second = std::move(v);
    else
        values_.insert(it, {id, std::move(v)});
}

void AttributeBundle::remove(int id) {
    auto it = std::lower_bound(values_.begin(), values_.end(), id,
                               [](const std::pair<int, Value>& p, int k) { return p.first < k; });
    if (it != values_.end() && it->first == id) values_.erase(it);
}

const AttributeBundle::Value* AttributeBundle::find(int id) const {
    auto it = std::lower_bound(values_.begin(), values_.end(), id,
                               [](const std::pair<int, Value>& p, int k) { return p.first < k; });
    return (it != values_.end() && it->first == id) ? &it->second : nullptr;
}

bool AttributeBundle::readColor(const Value& v, uint32_t& out) {
    if (auto c = std::get_if<Color>(&v)) return out = c->value, true;
    if (auto u = std::get_if<unsigned int>(&v)) return out = *u, true;
    if (auto i = std::get_if<int>(&v)) return out = static_cast<uint32_t>(*i), true;
    return false;
}

bool AttributeBundle::readInt(const Value& v, int& out) {
    if (auto i = std::get_if<int>(&v)) return out = *i, true;
    if (auto u = std::get_if<unsigned int>(&v)) return out = static_cast<int>(*u), true;
    if (auto c = std::get_if<Color>(&v)) return out = static_cast<int>(c->value), true;
    if (auto f = std::get_if<float>(&v)) {
        if (!(*f > -2147483648.0f && *f < 2147483648.0f)) return false;
        return out = static_cast<int>(*f), true;
    }
    return false;
}

bool AttributeBundle::readFloat(const Value& v, float& out) {
    if (auto f = std::get_if<float>(&v)) return out = *f, true;
    if (auto i = std::get_if<int>(&v)) return out = static_cast<float>(*i), true;
    if (auto u = std::get_if<unsigned int>(&v)) return out = static_cast<float>(*u), true;
    if (auto d = std::get_if<std::shared_ptr<Dimension>>(&v)) {
        if (!*d) return false;
        return out = (*d)->getScalarValueForUnit(DimensionUnit::PIXELS), true;
    }
    return false;
}

uint32_t AttributeBundle::getColor(int id, uint32_t def) const {
    const Value* v = find(id);
    uint32_t out;
    return v && readColor(*v, out) ? out : def;
}

int AttributeBundle::getInt(int id, int def) const {
    const Value* v = find(id);
    int out;
    return v && readInt(*v, out) ? out : def;
}

unsigned int AttributeBundle::getUnsigned(int id, unsigned int def) const {
    const Value* v = find(id);
    int out;
    if (!v) return def;
    if (auto u = std::get_if<unsigned int>(v)) return *u;
    return readInt(*v, out) ? static_cast<unsigned int>(out) : def;
}

float AttributeBundle::getFloat(int id, float def) const {
    const Value* v = find(id);
    float out;
    return v && readFloat(*v, out) ? out : def;
}

std::shared_ptr<const std::string> AttributeBundle::getString(int id, std::shared_ptr<const std::string> def) const {
    const Value* v = find(id);
    if (!v) return def;
    if (auto s = std::get_if<std::shared_ptr<const std::string>>(v)) return *s;
    return def;
}

std::string AttributeBundle::getStringValue(int id, const std::string& def) const {
    auto s = getString(id);
    return s ? *s : def;
}

std::shared_ptr<Dimension> AttributeBundle::getDimension(int id, std::shared_ptr<Dimension> def) const {
    const Value* v = find(id);
    if (!v) return def;
    if (auto d = std::get_if<std::shared_ptr<Dimension>>(v)) return *d;
    float f;
    if (readFloat(*v, f)) return Dimension::create(f, DimensionUnit::PIXELS);
    return def;
}

} // namespace orvane
