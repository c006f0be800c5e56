// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/style/CSSParser.h"

#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/core/Utf8.h"
#include "orvane/host/style/ColorUtilities.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/style/Style.h"
#include "orvane/host/style/StyleAttribute.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace orvane {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// Where the CSS string opened by the quote at `open` ends: at the same quote,
// at an unescaped newline (an unmatched quote ends with its line), or at the
// end of the text. A backslash escapes the character after it. Returns the
// index of the ending character (s.size() at the end of the text).
size_t stringEnd(std::string_view s, size_t open) {
    const char q = s[open];
    for (size_t i = open + 1; i < s.size(); ++i) {
        if (s[i] == '\\') ++i;
        else if (s[i] == q || s[i] == '\n') return i;
    }
    return s.size();
}

// Text without /* comments */; quotes and escapes are read as CSS reads them,
// so that a comment opener inside a string or after a backslash stays text.
std::string stripComments(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"' || c == '\'') {
            size_t end = std::min(stringEnd(s, i), s.size() - 1);
            out.append(s.substr(i, end - i + 1));
            i = end;
        } else if (c == '\\' && i + 1 < s.size()) {
            out += c;
            out += s[++i];
        } else if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
            size_t end = s.find("*/", i + 2);
            i = end == std::string_view::npos ? s.size() : end + 1;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

// Splits at sep outside quotes, escapes and parentheses.
std::vector<std::string_view> split(std::string_view s, char sep) {
    std::vector<std::string_view> parts;
    int depth = 0;
    size_t start = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"' || c == '\'') i = stringEnd(s, i);
        else if (c == '\\') ++i;
        else if (c == '(') ++depth;
        else if (c == ')') --depth;
        else if (c == sep && depth == 0) {
            parts.push_back(s.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(s.substr(start));
    return parts;
}

// The text of a string body or a name with CSS escapes resolved: "\" and one
// to six hex digits (and one optional space after them) is that code point,
// "\" before a newline continues the line, "\" before anything else is that
// character; a "\" at the very end stays.
std::string unescape(std::string_view v) {
    std::string out;
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 == v.size()) {
            out += v[i];
            continue;
        }
        ++i;
        if (std::isxdigit(static_cast<unsigned char>(v[i]))) {
            uint32_t cp = 0;
            size_t n = 0;
            for (; n < 6 && i < v.size() && std::isxdigit(static_cast<unsigned char>(v[i])); ++n, ++i)
                cp = cp * 16 + static_cast<uint32_t>(std::isdigit(static_cast<unsigned char>(v[i]))
                                                         ? v[i] - '0'
                                                         : std::tolower(static_cast<unsigned char>(v[i])) - 'a' + 10);
            if (i < v.size() && (v[i] == ' ' || v[i] == '\t' || v[i] == '\n')) ++i;
            --i;
            // Code points below 0x80 (0 included) stand for the byte itself,
            // so that any byte written escaped reads back as the same byte.
            if (cp < 0x80) out += static_cast<char>(cp);
            else if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) Utf8::append(out, Utf8::REPLACEMENT);
            else Utf8::append(out, cp);
        } else if (v[i] != '\n') {
            out += v[i];
        }
    }
    return out;
}

bool unquote(std::string_view v, std::string& out) {
    if (v.size() < 2 || (v.front() != '"' && v.front() != '\'') || v.back() != v.front()) return false;
    // The closing quote must be the one that ends the string.
    if (stringEnd(v, 0) != v.size() - 1) return false;
    out = unescape(v.substr(1, v.size() - 2));
    return true;
}

// "\" and two hex digits and a space: the escape of one ASCII byte.
void appendHexEscape(std::string& out, unsigned char c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\%x ", static_cast<unsigned>(c));
    out += buf;
}

std::string quoteString(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) appendHexEscape(out, u);  // a raw newline would end the string
        else {
            if (c == '"' || c == '\\') out += '\\';
            out += c;
        }
    }
    return out + "\"";
}

// A class name as a selector writes it: letters, digits, "_", "-" and bytes
// of multi-byte characters as they are, every other byte escaped.
std::string escapeName(const std::string& name) {
    std::string out;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '_' || c == '-' || u >= 0x80) out += c;
        else appendHexEscape(out, u);
    }
    return out;
}

bool parseNumber(std::string_view v, double& out) {
    auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
    return ec == std::errc() && p == v.data() + v.size() && std::isfinite(out);
}

std::string formatFloat(float f) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(f));
    std::string s = buf;
    if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
    return s;
}

// A value given to an attribute by number, typed by its form.
bool typedValue(std::string_view v, AttributeBundle::Value& out, std::string& why) {
    std::string s;
    if (unquote(v, s)) return out = std::make_shared<const std::string>(s), true;
    uint32_t color;
    std::string l = lower(v);
    if ((!l.empty() && l[0] == '#') || l.rfind("rgb", 0) == 0 || l == "none" || l == "transparent") {
        if (!ColorUtilities::parseColor(v, color)) return why = "bad colour", false;
        return out = AttributeBundle::Color{color}, true;
    }
    if (!l.empty() && l.back() == 'u') {
        unsigned int u;
        std::string_view d = v.substr(0, v.size() - 1);
        auto [p, ec] = std::from_chars(d.data(), d.data() + d.size(), u);
        if (ec == std::errc() && p == d.data() + d.size()) return out = u, true;
    }
    int i;
    auto [p, ec] = std::from_chars(v.data(), v.data() + v.size(), i);
    if (ec == std::errc() && p == v.data() + v.size()) return out = i, true;
    double d;
    if (parseNumber(v, d)) {
        // Beyond the float range the value would become infinity, which is
        // written "inf" and read back as a string. Text that rounds to the
        // largest float (its own written form included) is still taken.
        constexpr double kFloatLimit = 340282356779733661637539395458142568448.0;  // 2^128 - 2^103
        if (std::fabs(d) >= kFloatLimit) return why = "number out of range for a float attribute", false;
        return out = static_cast<float>(d), true;
    }
    if (auto dim = Dimension::fromString(v)) return out = dim, true;
    if (ColorUtilities::parseColor(v, color)) return out = AttributeBundle::Color{color}, true;
    return out = std::make_shared<const std::string>(std::string(v)), true;
}

// One declaration into the bundle.
bool declare(std::string_view prop, std::string_view value, AttributeBundle& b, std::string& why) {
    using namespace StyleAttribute;
    std::string p = lower(trim(prop));
    value = trim(value);
    if (value.empty()) return why = "no value", false;
    if (!p.empty() && std::isdigit(static_cast<unsigned char>(p[0]))) {
        int id;
        auto [e, ec] = std::from_chars(p.data(), p.data() + p.size(), id);
        if (ec != std::errc() || e != p.data() + p.size() || id < 0) return why = "bad attribute number", false;
        AttributeBundle::Value v;
        if (!typedValue(value, v, why)) return false;
        b.set(id, v);
        return true;
    }
    std::string v = lower(value);
    uint32_t color;
    auto setColor = [&](int id) {
        if (!ColorUtilities::parseColor(value, color)) return why = "bad colour", false;
        b.setColor(id, color);
        return true;
    };
    if (p == "color") return setColor(TEXT_COLOR);
    if (p == "background-color" || p == "background") return setColor(BACKGROUND_COLOR);
    if (p == "border-color") return setColor(BORDER_COLOR);
    // Cell visuals of tables: bar colour and the heat-map ramp.
    if (p == "bar-color") return setColor(BAR_COLOR);
    if (p == "heatmap-start-color") return setColor(RAMP_START_COLOR);
    if (p == "heatmap-middle-color") return setColor(RAMP_MIDDLE_COLOR);
    if (p == "heatmap-end-color") return setColor(RAMP_END_COLOR);
    if (p == "font-size" || p == "border-width") {
        auto d = Dimension::fromString(value);
        if (!d) return why = "bad length", false;
        b.setDimension(p == "font-size" ? FONT_SIZE : BORDER_WIDTH, d);
        return true;
    }
    if (p == "font-family") {
        std::string_view first = trim(split(value, ',')[0]);
        std::string name;
        if (!unquote(first, name)) name = std::string(first);
        if (name.empty()) return why = "no family", false;
        b.setString(FONT_FAMILY, name);
        return true;
    }
    if (p == "font-weight") {
        double n;
        if (v == "bold" || v == "bolder" || (parseNumber(v, n) && n >= 600)) return b.setInt(FONT_BOLD, 1), true;
        if (v == "normal" || v == "lighter" || (parseNumber(v, n) && n < 600)) return b.setInt(FONT_BOLD, 0), true;
        return why = "bad font weight", false;
    }
    if (p == "font-style") {
        if (v == "italic" || v == "oblique") return b.setInt(FONT_ITALIC, 1), true;
        if (v == "normal") return b.setInt(FONT_ITALIC, 0), true;
        return why = "bad font style", false;
    }
    if (p == "text-decoration" || p == "text-decoration-line") {
        if (v.find("underline") != std::string::npos) return b.setInt(UNDERLINE, 1), true;
        if (v == "none") return b.setInt(UNDERLINE, 0), true;
        return why = "bad text decoration", false;
    }
    if (p == "text-align") {
        int a = v == "left" || v == "start" ? 0 : v == "center" ? 1 : v == "right" || v == "end" ? 2 : -1;
        if (a < 0) return why = "bad alignment", false;
        b.setInt(TEXT_ALIGN, a);
        return true;
    }
    if (p == "opacity" || p == "transparency") {
        double n;
        if (!parseNumber(v, n) || n < 0 || n > 1) return why = "expected a number from 0 to 1", false;
        b.setFloat(TRANSPARENCY, static_cast<float>(p == "opacity" ? 1.0 - n : n));
        return true;
    }
    return why = "unknown property", false;
}

// CSS form of one attribute; false when it has none (the numeric form is used).
bool cssDeclaration(int id, const AttributeBundle::Value& v, std::string& out) {
    using namespace StyleAttribute;
    const int* i = std::get_if<int>(&v);
    if (auto c = std::get_if<AttributeBundle::Color>(&v)) {
        const char* name = id == TEXT_COLOR ? "color" : id == BACKGROUND_COLOR ? "background-color"
                                                      : id == BORDER_COLOR     ? "border-color"
                                                                               : nullptr;
        if (!name) return false;
        out = std::string(name) + ": " + ColorUtilities::toCssString(c->value);
        return true;
    }
    if (auto d = std::get_if<std::shared_ptr<Dimension>>(&v)) {
        if (!*d || (id != FONT_SIZE && id != BORDER_WIDTH)) return false;
        out = std::string(id == FONT_SIZE ? "font-size" : "border-width") + ": " + (*d)->toString();
        return true;
    }
    if (auto s = std::get_if<std::shared_ptr<const std::string>>(&v)) {
        if (id != FONT_FAMILY || !*s || (*s)->empty()) return false;
        out = "font-family: " + quoteString(**s);
        return true;
    }
    if (i && (*i == 0 || *i == 1)) {
        if (id == FONT_BOLD) return out = std::string("font-weight: ") + (*i ? "bold" : "normal"), true;
        if (id == FONT_ITALIC) return out = std::string("font-style: ") + (*i ? "italic" : "normal"), true;
        if (id == UNDERLINE) return out = std::string("text-decoration: ") + (*i ? "underline" : "none"), true;
    }
    if (i && id == TEXT_ALIGN && *i >= 0 && *i <= 2) {
        static const char* a[] = {"left", "center", "right"};
        out = std::string("text-align: ") + a[*i];
        return true;
    }
    return false;
}

std::string numericDeclaration(int id, const AttributeBundle::Value& v) {
    std::string value;
    if (auto c = std::get_if<AttributeBundle::Color>(&v)) value = ColorUtilities::toCssString(c->value);
    else if (auto i = std::get_if<int>(&v)) value = std::to_string(*i);
    else if (auto u = std::get_if<unsigned int>(&v)) value = std::to_string(*u) + "u";
    else if (auto f = std::get_if<float>(&v)) value = formatFloat(*f);
    else if (auto s = std::get_if<std::shared_ptr<const std::string>>(&v)) value = quoteString(*s ? **s : std::string());
    else if (auto d = std::get_if<std::shared_ptr<Dimension>>(&v)) value = *d ? (*d)->toString() : "0px";
    return std::to_string(id) + ": " + value;
}

// The Style property codec: model documents may carry a style as CSS text.
const bool kStyleCodec = [] {
    PropertyTextCodec::registerObjectCodec(
        Style::WRAPPER_TYPE_ID,
        [](std::string_view text, std::string& error) -> std::shared_ptr<Wrappable> {
            std::string problems;
            auto style = CSSParser::parseStyle(text, &problems);
            if (!style) error = problems;
            return style;
        },
        [](const Wrappable& object, std::string& out) {
            auto* style = dynamic_cast<const Style*>(&object);
            if (!style) return false;
            out = CSSParser::toCss(*style);
            return true;
        });
    return true;
}();

} // namespace

int CSSParser::attributeIdForProperty(std::string_view property) {
    AttributeBundle probe;
    std::string why;
    std::string p = lower(trim(property));
    // A sample value of the right kind for each property.
    const char* sample = p == "font-size" || p == "border-width" ? "1px"
                         : p == "font-family"                     ? "x"
                         : p == "font-weight"                     ? "bold"
                         : p == "font-style"                      ? "italic"
                         : p.rfind("text-decoration", 0) == 0     ? "underline"
                         : p == "text-align"                      ? "left"
                         : p == "opacity" || p == "transparency"  ? "0"
                                                                  : "#000000";
    if (!declare(p, sample, probe, why) || probe.values().empty()) return -1;
    return probe.values().front().first;
}

bool CSSParser::parseDeclarations(std::string_view text, AttributeBundle& into, std::string* error) {
    std::string clean = stripComments(text);
    std::string_view s = trim(clean);
    if (!s.empty() && s.front() == '{') {
        s.remove_prefix(1);
        if (!s.empty() && s.back() == '}') s.remove_suffix(1);
    }
    bool ok = true;
    std::string problems;
    for (std::string_view decl : split(s, ';')) {
        decl = trim(decl);
        if (decl.empty()) continue;
        size_t colon = decl.find(':');
        std::string why;
        if (colon == std::string_view::npos) why = "expected property: value";
        else if (declare(decl.substr(0, colon), decl.substr(colon + 1), into, why)) continue;
        ok = false;
        if (!problems.empty()) problems += "; ";
        problems += "\"" + std::string(decl) + "\": " + why;
    }
    if (error) *error = problems;
    return ok;
}

std::shared_ptr<AttributeBundle> CSSParser::parse(std::string_view text, std::string* error) {
    auto b = AttributeBundle::create();
    parseDeclarations(text, *b, error);
    return b;
}

std::shared_ptr<Style> CSSParser::parseStyle(std::string_view text, std::string* error) {
    std::string clean = stripComments(text);
    std::string_view s = clean;
    auto style = Style::create();
    std::string problems;
    auto note = [&](const std::string& p) {
        if (!problems.empty()) problems += "; ";
        problems += p;
    };
    while (true) {
        s = trim(s);
        if (s.empty()) break;
        // The opening brace outside quotes and escapes.
        size_t open = std::string_view::npos;
        for (size_t i = 0; i < s.size() && open == std::string_view::npos; ++i) {
            if (s[i] == '"' || s[i] == '\'') i = stringEnd(s, i);
            else if (s[i] == '\\') ++i;
            else if (s[i] == '{') open = i;
        }
        if (open == std::string_view::npos) {
            if (error) *error = "expected \"{\" after \"" + std::string(s) + "\"";
            return nullptr;
        }
        // The closing brace outside quotes and escapes.
        size_t close = std::string_view::npos;
        for (size_t i = open + 1; i < s.size(); ++i) {
            char c = s[i];
            if (c == '"' || c == '\'') i = stringEnd(s, i);
            else if (c == '\\') ++i;
            else if (c == '{') break;
            else if (c == '}') {
                close = i;
                break;
            }
        }
        if (close == std::string_view::npos) {
            if (error) *error = "unclosed \"{\" after \"" + std::string(trim(s.substr(0, open))) + "\"";
            return nullptr;
        }
        std::string_view selectors = s.substr(0, open);
        std::string_view body = s.substr(open + 1, close - open - 1);
        s = s.substr(close + 1);
        for (std::string_view sel : split(selectors, ',')) {
            sel = trim(sel);
            std::shared_ptr<AttributeBundle> target;
            if (!sel.empty() && sel.front() == '.' && sel.size() > 1) {
                std::string name = unescape(sel.substr(1));
                if (name.empty()) {
                    note("unknown selector \"" + std::string(sel) + "\"");
                    continue;
                }
                target = style->getClassBundle(name);
                if (!target) {
                    target = AttributeBundle::create();
                    style->setClassBundle(name, target);
                }
            } else {
                std::string_view num = !sel.empty() && sel.front() == '#' ? sel.substr(1) : sel;
                int id;
                auto [p, ec] = std::from_chars(num.data(), num.data() + num.size(), id);
                if (num.empty() || ec != std::errc() || p != num.data() + num.size() || id < 0) {
                    note("unknown selector \"" + std::string(sel) + "\"");
                    continue;
                }
                target = style->ensureAttributeBundle(id);
            }
            std::string why;
            if (!parseDeclarations(body, *target, &why)) note(why);
        }
    }
    if (error) *error = problems;
    return style;
}

std::string CSSParser::toCss(const AttributeBundle& bundle) {
    std::string out;
    for (const auto& [id, v] : bundle.values()) {
        std::string decl;
        if (!cssDeclaration(id, v, decl)) decl = numericDeclaration(id, v);
        if (!out.empty()) out += "; ";
        out += decl;
    }
    return out;
}

std::string CSSParser::toCss(const Style& style) {
    std::string out;
    for (const auto& [id, b] : style.elements())
        if (b) out += "#" + std::to_string(id) + " { " + toCss(*b) + " }\n";
    for (const auto& [name, b] : style.classes())
        if (b) out += "." + escapeName(name) + " { " + toCss(*b) + " }\n";
    return out;
}

} // namespace orvane
