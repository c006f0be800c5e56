#include "Command.h"

#include <algorithm>
#include <cstdio>

namespace orvane::tool {

namespace {
std::vector<Command>& registry() {
    static std::vector<Command> r;
    return r;
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

int fail(const std::string& message) {
    std::fprintf(stderr, "orvane: %s\n", message.c_str());
    return 1;
}

} // namespace orvane::tool
