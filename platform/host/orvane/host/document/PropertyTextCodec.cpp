// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/document/PropertyTextCodec.h"

#include "orvane/host/core/AbstractProperty.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/core/ModelDatabase.h"
#include "orvane/host/core/PropertyDefinition.h"
#include "orvane/host/core/PropertyOwner.h"

#include <atomic>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>

namespace orvane {

namespace {

// A registry of per-type entries that is read on every object attribute of a
// document and written only when a package registers its types. Each
// registration publishes a new immutable map; readers load the current one
// without a lock. Replaced maps are kept, so an entry a reader holds stays
// valid while a later registration replaces it.
template <class Entry>
class TypeRegistry {
public:
    using Map = std::map<int, Entry>;
    explicit TypeRegistry(Map initial = {}) { publish(std::move(initial)); }

    void set(int typeId, Entry entry) {
        std::lock_guard<std::mutex> lock(writeMutex_);
        Map next = *current_.load(std::memory_order_relaxed);
        next[typeId] = std::move(entry);
        publish(std::move(next));
    }
    const Entry* find(int typeId) const {
        const Map& m = *current_.load(std::memory_order_acquire);
        auto it = m.find(typeId);
        return it == m.end() ? nullptr : &it->second;
    }

private:
    void publish(Map m) {
        maps_.push_back(std::make_unique<const Map>(std::move(m)));
        current_.store(maps_.back().get(), std::memory_order_release);
    }
    std::mutex writeMutex_;
    std::vector<std::unique_ptr<const Map>> maps_;  // every map published, the current one last
    std::atomic<const Map*> current_{nullptr};
};

struct Codec {
    PropertyTextCodec::ObjectFromText from;
    PropertyTextCodec::ObjectToText to;
    // The host's own text form of Dimension, which setFromText applies
    // directly (no type-erased call and no down-cast of the result).
    bool builtInDimension = false;
};

const char* const kDimensionExpected = "expected a length such as 12px, 9pt or 50%";

TypeRegistry<Codec>& codecs() {
    static TypeRegistry<Codec> c([] {
        std::map<int, Codec> m;
        m[HostTypeId::DIMENSION] = Codec{
            [](std::string_view text, std::string& error) -> std::shared_ptr<Wrappable> {
                auto d = Dimension::fromString(text);
                if (!d) error = kDimensionExpected;
                return d;
            },
            [](const Wrappable& object, std::string& out) {
                auto* d = dynamic_cast<const Dimension*>(&object);
                if (!d) return false;
                out = d->toString();
                return true;
            },
            true};
        return m;
    }());
    return c;
}

// Document text is ASCII where it matters (separators, numbers, names), so
// the C locale's isspace is not needed.
constexpr bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

// Enumeration names are ASCII; the locale's toupper could map other bytes
// (and, in some locales, 'i' to a letter no name holds).
std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// 64-bit unsigned values (pick ids of large tables); single values only.
constexpr int UNSIGNED64 = -13;

bool isPrimitiveCode(int code) {
    return code == ValueType::BOOL || code == ValueType::DOUBLE || code == ValueType::FLOAT || code == ValueType::INT ||
           code == ValueType::COLOR || code == ValueType::UNSIGNED;
}

template <class Fn>
bool forEachToken(std::string_view text, Fn fn) {
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (isSpace(text[i]) || text[i] == ',')) ++i;
        size_t start = i;
        while (i < text.size() && !isSpace(text[i]) && text[i] != ',') ++i;
        if (i > start && !fn(text.substr(start, i - start))) return false;
    }
    return true;
}
} // namespace

namespace {
struct Assembler {
    PropertyTextCodec::ObjectFromModels from;
    PropertyTextCodec::ObjectToModels to;
};
TypeRegistry<Assembler>& assemblers() {
    static TypeRegistry<Assembler> a;
    return a;
}
} // namespace

void PropertyTextCodec::registerObjectAssembler(int typeId, ObjectFromModels from, ObjectToModels to) {
    assemblers().set(typeId, Assembler{std::move(from), std::move(to)});
}

bool PropertyTextCodec::hasObjectAssembler(int typeId) { return assemblers().find(typeId) != nullptr; }

std::shared_ptr<Wrappable> PropertyTextCodec::objectFromModels(int typeId,
                                                               const std::vector<std::shared_ptr<BaseModel>>& models,
                                                               std::string& error) {
    const Assembler* a = assemblers().find(typeId);
    if (!a) {
        error = "values of " + typeName(typeId) + " cannot be built from models";
        return nullptr;
    }
    return a->from(models, error);
}

bool PropertyTextCodec::objectToModels(int typeId, const Wrappable& object, std::vector<std::shared_ptr<BaseModel>>& out) {
    const Assembler* a = assemblers().find(typeId);
    return a && a->to(object, out);
}

void PropertyTextCodec::registerObjectCodec(int typeId, ObjectFromText from, ObjectToText to) {
    codecs().set(typeId, Codec{std::move(from), std::move(to)});
}

bool PropertyTextCodec::hasObjectCodec(int typeId) { return codecs().find(typeId) != nullptr; }

std::shared_ptr<Wrappable> PropertyTextCodec::objectFromText(int typeId, std::string_view text, std::string& error) {
    const Codec* c = codecs().find(typeId);
    if (!c) {
        error = "values of type " + typeName(typeId) + " cannot be written as text";
        return nullptr;
    }
    return c->from(text, error);
}

bool PropertyTextCodec::objectToText(int typeId, const Wrappable& object, std::string& out) {
    const Codec* c = codecs().find(typeId);
    return c && c->to(object, out);
}

bool PropertyTextCodec::parseBool(std::string_view text, bool& out) {
    text = trim(text);
    if (text == "true" || text == "1" || text == "TRUE" || text == "True") return out = true, true;
    if (text == "false" || text == "0" || text == "FALSE" || text == "False") return out = false, true;
    return false;
}

bool PropertyTextCodec::parseInt(std::string_view text, int& out) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && p == text.data() + text.size() && !text.empty();
}

bool PropertyTextCodec::parseUnsigned(std::string_view text, unsigned int& out) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '-') return false;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && p == text.data() + text.size();
}

bool PropertyTextCodec::parseFloat(std::string_view text, float& out) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && p == text.data() + text.size() && !text.empty();
}

bool PropertyTextCodec::parseDouble(std::string_view text, double& out) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && p == text.data() + text.size() && !text.empty();
}

bool PropertyTextCodec::parseColor(std::string_view text, unsigned int& out) {
    text = trim(text);
    if (text.empty()) return false;
    auto hex = [&](std::string_view h) {
        if (h.empty() || h.size() > 8) return false;
        auto [p, ec] = std::from_chars(h.data(), h.data() + h.size(), out, 16);
        return ec == std::errc() && p == h.data() + h.size();
    };
    if (text.front() == '#') {
        std::string_view h = text.substr(1);
        if (h.size() != 6 && h.size() != 8) return false;
        return hex(h);
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return hex(text.substr(2));
    return parseUnsigned(text, out);
}

std::string PropertyTextCodec::formatFloat(float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

std::string PropertyTextCodec::formatDouble(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

std::string PropertyTextCodec::formatColor(unsigned int c) {
    char buf[16];
    if (c > 0xffffffu)
        std::snprintf(buf, sizeof buf, "#%08x", c);
    else
        std::snprintf(buf, sizeof buf, "#%06x", c);
    return buf;
}

std::string PropertyTextCodec::typeName(int code) {
    switch (code) {
    case ValueType::BOOL: return "bool";
    case ValueType::DOUBLE: return "double";
    case ValueType::FLOAT: return "float";
    case ValueType::INT: return "int";
    case ValueType::COLOR: return "colour";
    case ValueType::STRING: return "string";
    case ValueType::UNSIGNED: return "unsigned int";
    case UNSIGNED64: return "64-bit unsigned int";
    default: break;
    }
    if (ValueType::isEnumeration(code)) return "enumeration " + std::to_string(code);
    return "object type " + std::to_string(code);
}

bool PropertyTextCodec::isTextual(const AbstractProperty& property) {
    const PropertyDefinition& def = property.getDefinition();
    int code = def.valueType;
    if (def.isVector()) return isPrimitiveCode(code);
    if (isPrimitiveCode(code) || code == UNSIGNED64 || code == ValueType::STRING || ValueType::isEnumeration(code))
        return true;
    if (def.isAttribute() && ValueType::isObject(code)) return hasObjectCodec(code);
    return false;
}

static bool setPrimitive(AbstractProperty& p, int code, std::string_view text, std::string& error) {
    switch (code) {
    case ValueType::BOOL: {
        bool v;
        if (!PropertyTextCodec::parseBool(text, v)) return error = "expected true or false", false;
        p.setGenerically(&v);
        return true;
    }
    case ValueType::INT: {
        int v;
        if (!PropertyTextCodec::parseInt(text, v)) return error = "expected an integer", false;
        p.setGenerically(&v);
        return true;
    }
    case ValueType::UNSIGNED: {
        unsigned int v;
        if (!PropertyTextCodec::parseUnsigned(text, v)) return error = "expected a non-negative integer", false;
        p.setGenerically(&v);
        return true;
    }
    case ValueType::COLOR: {
        unsigned int v;
        if (!PropertyTextCodec::parseColor(text, v)) return error = "expected a colour such as #ff8800", false;
        p.setGenerically(&v);
        return true;
    }
    case ValueType::FLOAT: {
        float v;
        if (!PropertyTextCodec::parseFloat(text, v)) return error = "expected a number", false;
        p.setGenerically(&v);
        return true;
    }
    case ValueType::DOUBLE: {
        double v;
        if (!PropertyTextCodec::parseDouble(text, v)) return error = "expected a number", false;
        p.setGenerically(&v);
        return true;
    }
    default: return error = "not a primitive type", false;
    }
}

static bool setUnsigned64(AbstractProperty& p, std::string_view text, std::string& error) {
    uint64_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return error = "expected a non-negative integer", false;
    p.setGenerically(&v);
    return true;
}

bool PropertyTextCodec::appendElementFromText(AbstractProperty& p, std::string_view text, std::string& error) {
    int code = p.getDefinition().valueType;
    auto append = [&](const void* e) {
        if (!p.appendElementGenerically(e)) return error = "the list does not accept this value", false;
        return true;
    };
    switch (code) {
    case ValueType::BOOL: {
        bool v;
        if (!parseBool(text, v)) return error = "expected true or false", false;
        return append(&v);
    }
    case ValueType::INT: {
        int v;
        if (!parseInt(text, v)) return error = "expected an integer", false;
        return append(&v);
    }
    case ValueType::UNSIGNED:
    case ValueType::COLOR: {
        unsigned int v;
        if (!(code == ValueType::COLOR ? parseColor(text, v) : parseUnsigned(text, v)))
            return error = "expected a non-negative integer", false;
        return append(&v);
    }
    case ValueType::FLOAT: {
        float v;
        if (!parseFloat(text, v)) return error = "expected a number", false;
        return append(&v);
    }
    case ValueType::DOUBLE: {
        double v;
        if (!parseDouble(text, v)) return error = "expected a number", false;
        return append(&v);
    }
    case ValueType::STRING: {
        auto s = std::make_shared<const std::string>(text);
        return append(&s);
    }
    default: break;
    }
    if (ValueType::isObject(code)) {
        auto obj = objectFromText(code, text, error);
        if (!obj) return false;
        return append(&obj);
    }
    return error = "values of " + typeName(code) + " cannot be listed as text", false;
}

namespace {
// Parses a list written as text (separated by spaces or commas) into an array
// of the element type and replaces the property's list with it in one step.
// Every token is parsed before anything changes, so a bad token leaves the
// list as it was. Short lists (the usual weights and counts) need no heap
// buffer.
template <class Y>
bool assignTokens(AbstractProperty& p, std::string_view text, bool (*parse)(std::string_view, Y&), const char* expected,
                  std::string& error) {
    constexpr size_t kInline = 32;
    Y inlineItems[kInline];
    std::unique_ptr<Y[]> heapItems;  // bool has no contiguous std::vector; a plain array serves every type
    Y* items = inlineItems;
    size_t capacity = kInline;
    size_t n = 0;
    const bool ok = forEachToken(text, [&](std::string_view tok) {
        if (n == capacity) {
            std::unique_ptr<Y[]> grown(new Y[capacity * 2]);
            std::copy(items, items + n, grown.get());
            heapItems = std::move(grown);
            items = heapItems.get();
            capacity *= 2;
        }
        return parse(tok, items[n++]);
    });
    if (!ok) return error = expected, false;
    if (!p.assignElementsGenerically(items, n)) return error = "the list does not accept these values", false;
    return true;
}

// Reads a length into a Dimension property. A property whose value type is
// Dimension holds a shared_ptr<Dimension>, erased as shared_ptr<void> to the
// Dimension itself, so the new value goes in through the erased set without
// a down-cast from Wrappable.
bool setDimension(AbstractProperty& p, std::string_view text, std::string& error) {
    auto d = Dimension::fromString(text);
    if (!d) return error = kDimensionExpected, false;
    std::shared_ptr<void> erased = std::move(d);
    p.setGenerically(&erased);
    return true;
}
} // namespace

bool PropertyTextCodec::setFromText(AbstractProperty& p, std::string_view text, const ModelDatabase* db,
                                    std::string& error) {
    const PropertyDefinition& def = p.getDefinition();
    int code = def.valueType;
    if (def.isVector()) {
        if (!isPrimitiveCode(code)) return error = "a list of " + typeName(code) + " is written as <item> elements", false;
        // The list goes in whole: listeners see a clear and one append per
        // element; with none (a model being read, or sets held back by the
        // owner) the list is replaced at once.
        switch (code) {
        case ValueType::BOOL: return assignTokens<bool>(p, text, parseBool, "expected true or false", error);
        case ValueType::INT: return assignTokens<int>(p, text, parseInt, "expected integers", error);
        case ValueType::UNSIGNED:
            return assignTokens<unsigned>(p, text, parseUnsigned, "expected non-negative integers", error);
        case ValueType::COLOR: return assignTokens<unsigned>(p, text, parseColor, "expected colours", error);
        case ValueType::FLOAT: return assignTokens<float>(p, text, parseFloat, "expected numbers", error);
        default: return assignTokens<double>(p, text, parseDouble, "expected numbers", error);
        }
    }
    if (isPrimitiveCode(code)) return setPrimitive(p, code, text, error);
    if (code == UNSIGNED64 && !def.isVector()) return setUnsigned64(p, text, error);
    if (code == ValueType::STRING) {
        if (!p.setStringGenerically(std::make_shared<const std::string>(text)))
            return error = "the property does not accept text", false;
        return true;
    }
    if (ValueType::isEnumeration(code)) {
        if (!db) return error = "no model database for enumeration", false;
        // Documents write enumerations in lower case; the tables hold upper case.
        std::string up = upper(text);
        int r = db->setEnumProperty(p, up, code, 0);
        if (r == 1 && up != text) r = db->setEnumProperty(p, text, code, 0);
        if (r == 2) return true;
        if (r == 1) return error = "invalid value \"" + std::string(text) + "\" for " + std::string(def.name), false;
        return error = "unsupported enumeration type " + std::to_string(code), false;
    }
    if (ValueType::isObject(code)) {
        if (const Codec* c = codecs().find(code)) {
            if (c->builtInDimension) return setDimension(p, text, error);
            auto obj = c->from(text, error);
            if (!obj) return false;
            if (!p.setObjectGenerically(obj)) return error = "the property does not accept this value", false;
            return true;
        }
        if (db && db->setStringConstructableProperty(p, text, code)) return true;
        return error = "values of " + typeName(code) + " cannot be written as text", false;
    }
    return error = "unsupported value type " + std::to_string(code), false;
}

bool PropertyTextCodec::elementToText(int code, const void* e, std::string& out) {
    switch (code) {
    case ValueType::BOOL: out = *static_cast<const bool*>(e) ? "true" : "false"; return true;
    case ValueType::INT: out = std::to_string(*static_cast<const int*>(e)); return true;
    case ValueType::UNSIGNED: out = std::to_string(*static_cast<const unsigned*>(e)); return true;
    case UNSIGNED64: out = std::to_string(*static_cast<const uint64_t*>(e)); return true;
    case ValueType::COLOR: out = formatColor(*static_cast<const unsigned*>(e)); return true;
    case ValueType::FLOAT: out = formatFloat(*static_cast<const float*>(e)); return true;
    case ValueType::DOUBLE: out = formatDouble(*static_cast<const double*>(e)); return true;
    case ValueType::STRING: {
        auto& s = *static_cast<const std::shared_ptr<const std::string>*>(e);
        if (!s) return false;
        out = *s;
        return true;
    }
    default: break;
    }
    if (ValueType::isObject(code)) {
        auto& o = *static_cast<const std::shared_ptr<Wrappable>*>(e);
        return o && objectToText(code, *o, out);
    }
    return false;
}

bool PropertyTextCodec::toText(const AbstractProperty& p, const ModelDatabase* db, std::string& out) {
    const PropertyDefinition& def = p.getDefinition();
    int code = def.valueType;
    if (def.isVector()) {
        if (!isPrimitiveCode(code)) return false;
        std::string acc;
        bool first = true;
        p.visitElementsGenerically([&](const void* e) {
            std::string t;
            if (elementToText(code, e, t)) {
                if (!first) acc += ' ';
                acc += t;
                first = false;
            }
        });
        out = acc;
        return true;
    }
    const void* h = p.getObjectHandle();
    switch (code) {
    case ValueType::BOOL: out = *static_cast<const bool*>(h) ? "true" : "false"; return true;
    case ValueType::INT: out = std::to_string(*static_cast<const int*>(h)); return true;
    case ValueType::UNSIGNED: out = std::to_string(*static_cast<const unsigned*>(h)); return true;
    case UNSIGNED64: out = std::to_string(*static_cast<const uint64_t*>(h)); return true;
    case ValueType::COLOR: out = formatColor(*static_cast<const unsigned*>(h)); return true;
    case ValueType::FLOAT: out = formatFloat(*static_cast<const float*>(h)); return true;
    case ValueType::DOUBLE: out = formatDouble(*static_cast<const double*>(h)); return true;
    case ValueType::STRING: {
        auto s = p.getStringGenerically();
        if (!s) return false;
        out = *s;
        return true;
    }
    default: break;
    }
    if (ValueType::isEnumeration(code)) {
        if (!db) return false;
        std::ostringstream os;
        if (!db->serializeEnumProperty(p, os, code, 0, 0)) return false;
        out = os.str();
        return true;
    }
    if (ValueType::isObject(code)) {
        auto o = p.getObjectGenerically();
        return o && objectToText(code, *o, out);
    }
    return false;
}

} // namespace orvane
