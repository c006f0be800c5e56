#pragma once
#include <string>
#include <vector>

namespace orvane::tool {

// One sub-command of the `orvane` tool. Each lives in its own source file and
// registers itself with ORVANE_TOOL_COMMAND.
struct Command {
    std::string name;
    std::string usage;    // one line: arguments
    std::string summary;  // one line: what it does
    int (*run)(const std::vector<std::string>& args);
};

class CommandRegistry {
public:
    static bool add(Command command);
    static const std::vector<Command>& all();
    static const Command* find(const std::string& name);
};

// Prints "orvane: <message>" to standard error and returns the exit code 1.
int fail(const std::string& message);

} // namespace orvane::tool

#define ORVANE_TOOL_CONCAT2(a, b) a##b
#define ORVANE_TOOL_CONCAT(a, b) ORVANE_TOOL_CONCAT2(a, b)
#define ORVANE_TOOL_COMMAND(...) \
    static const bool ORVANE_TOOL_CONCAT(orvaneCommand_, __LINE__) = ::orvane::tool::CommandRegistry::add({__VA_ARGS__})
