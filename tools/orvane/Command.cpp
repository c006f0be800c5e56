// SPDX-License-Identifier: Apache-2.0
#include "Command.h"

#include <algorithm>
#include <cstdio>

namespace orvane::tool {

namespace {
std::vector<Command>& registry() {
    static std::vector<Command> r;
    return r;
}
bool& quietFlag() {
    static bool q = false;
    return q;
}
} // namespace

bool CommandRegistry::add(Command command) {
    registry().push_back(std::move(command));
    std::sort(registry().begin(), registry().end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    return true;
}

const std::vector<Command>& CommandRegistry::all() { return registry(); }

const Command* CommandRegistry::find(const std::string& name) {
    for (const auto& c : registry())
        if (c.name == name) return &c;
    return nullptr;
}

ArgParser CommandRegistry::parserFor(const std::string& name) {
    const Command* c = find(name);
    return ArgParser(name, c ? c->options : std::vector<OptionSpec>{});
}

std::string CommandRegistry::help(const Command& c) {
    std::string text = "usage: orvane " + c.name + " " + c.usage + "\n\n" + c.summary + "\n";
    // The options every command takes, handled before the command runs.
    std::vector<OptionSpec> all = c.options;
    all.push_back({"-h, --help", "", "this help"});
    all.push_back({"-v, --verbose", "", "log the library's notices and traces too (its errors always are)"});
    all.push_back({"-q, --quiet", "", "print nothing on success"});
    text += "\noptions:\n" + ArgParser::describe(all);
    if (!c.details.empty()) text += "\n" + c.details + (c.details.back() == '\n' ? "" : "\n");
    return text;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return EXIT_FAILED;
}

int usageError(const std::string& command, const std::string& message) {
    std::fprintf(stderr, "%s: %s\n(see: orvane help %s)\n", command.c_str(), message.c_str(), command.c_str());
    return EXIT_USAGE;
}

bool quiet() { return quietFlag(); }
void setQuiet(bool q) { quietFlag() = q; }

} // namespace orvane::tool
