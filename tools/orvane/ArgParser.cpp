// SPDX-License-Identifier: Apache-2.0
#include "ArgParser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <sstream>

namespace orvane::tool {

namespace {

std::vector<std::string> namesOf(const OptionSpec& spec) {
    std::vector<std::string> names;
    std::istringstream in(spec.names);
    std::string n;
    while (std::getline(in, n, ',')) {
        n.erase(0, n.find_first_not_of(' '));
        n.erase(n.find_last_not_of(' ') + 1);
        if (!n.empty()) names.push_back(n);
    }
    return names;
}

// "-", "-3", "-.5", "-1e3" and "-inf" are arguments (standard streams,
// negative numbers), not options.
bool looksLikeArgument(const std::string& a) {
    if (a.size() < 2 || a[0] != '-') return true;
    char* end = nullptr;
    std::strtod(a.c_str(), &end);
    return end && *end == '\0';
}

const std::vector<std::string>& none() {
    static const std::vector<std::string> empty;
    return empty;
}

} // namespace

ArgParser::ArgParser(std::string command, std::vector<OptionSpec> options)
    : command_(std::move(command)), options_(std::move(options)) {}

std::string ArgParser::key(const OptionSpec& spec) {
    // The last name is the long one: "-o, --output" -> "output".
    std::string last = namesOf(spec).back();
    return last.substr(last.find_first_not_of('-'));
}

const OptionSpec* ArgParser::find(const std::string& written) const {
    for (const auto& spec : options_) {
        auto names = namesOf(spec);
        if (std::find(names.begin(), names.end(), written) != names.end()) return &spec;
    }
    return nullptr;
}

bool ArgParser::parse(const std::vector<std::string>& args) {
    values_.clear();
    positional_.clear();
    sequence_.clear();
    error_.clear();
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || (looksLikeArgument(a) && !find(a))) {
            positional_.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = a;
        std::string value;
        bool inlineValue = false;
        if (size_t eq = a.find('='); a.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            inlineValue = true;
        }
        const OptionSpec* spec = find(name);
        if (!spec) {
            error_ = "unknown option " + name;
            return false;
        }
        if (spec->valueName.empty()) {
            if (inlineValue) {
                error_ = name + " takes no value";
                return false;
            }
            value = "true";
        } else if (!inlineValue) {
            if (i + 1 >= args.size()) {
                error_ = name + " needs a value (" + spec->valueName + ")";
                return false;
            }
            value = args[++i];
        }
        auto& slot = values_[key(*spec)];
        if (!slot.empty() && !spec->repeatable && !spec->valueName.empty()) {
            error_ = name + " is given twice";
            return false;
        }
        slot.push_back(value);
        sequence_.emplace_back(key(*spec), value);
    }
    return true;
}

bool ArgParser::has(const std::string& name) const { return values_.count(name) > 0; }

std::string ArgParser::get(const std::string& name, const std::string& fallback) const {
    auto it = values_.find(name);
    return it == values_.end() || it->second.empty() ? fallback : it->second.back();
}

const std::vector<std::string>& ArgParser::all(const std::string& name) const {
    auto it = values_.find(name);
    return it == values_.end() ? none() : it->second;
}

std::string ArgParser::describe(const std::vector<OptionSpec>& options) {
    std::vector<std::string> left;
    size_t widest = 0;
    for (const auto& spec : options) {
        std::string l = spec.names + (spec.valueName.empty() ? "" : " " + spec.valueName);
        widest = std::max(widest, l.size());
        left.push_back(std::move(l));
    }
    std::string out;
    for (size_t i = 0; i < options.size(); ++i) {
        out += "  " + left[i] + std::string(widest - left[i].size() + 2, ' ') + options[i].help;
        if (options[i].repeatable) out += " (repeatable)";
        out += "\n";
    }
    return out;
}

bool ArgParser::getCount(const std::string& name, long min, long max, long& out) const {
    if (!has(name)) return true;
    const std::string v = get(name);
    long n = 0;
    auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
    if (ec != std::errc() || end != v.data() + v.size() || n < min || n > max) return false;
    out = n;
    return true;
}

} // namespace orvane::tool
