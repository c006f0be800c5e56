// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "ArgParser.h"

#include <string>
#include <vector>

namespace orvane::tool {

// Exit status of every sub-command.
constexpr int EXIT_OK = 0;       // the work was done
constexpr int EXIT_FAILED = 1;   // the work failed (bad input file, service failure, cannot write)
constexpr int EXIT_USAGE = 2;    // the command line was wrong

// One sub-command of the `orvane` tool. Each lives in its own source file and
// registers itself with ORVANE_TOOL_COMMAND. `options` and `details` make its
// --help text (`orvane SUB --help`, `orvane help SUB`); -h/--help,
// -v/--verbose and -q/--quiet are handled before `run` is called.
struct Command {
    std::string name;
    std::string usage;    // one line: arguments
    std::string summary;  // one line: what it does
    int (*run)(const std::vector<std::string>& args);
    std::vector<OptionSpec> options = {};
    std::string details = {};  // more lines of help: arguments, defaults, examples
};

class CommandRegistry {
public:
    static bool add(Command command);
    static const std::vector<Command>& all();
    static const Command* find(const std::string& name);
    // The parser of a registered command's declared options.
    static ArgParser parserFor(const std::string& name);
    // The full help text of one command.
    static std::string help(const Command& command);
};

// Prints the message (which starts with the sub-command or the file it
// concerns) to standard error and returns EXIT_FAILED.
int fail(const std::string& message);
// Prints "<command>: <message>" and a pointer to the command's help to
// standard error and returns EXIT_USAGE.
int usageError(const std::string& command, const std::string& message);

// -q: success stays quiet (no "wrote ..." lines); errors are still printed.
bool quiet();
void setQuiet(bool quiet);

} // namespace orvane::tool

#define ORVANE_TOOL_CONCAT2(a, b) a##b
#define ORVANE_TOOL_CONCAT(a, b) ORVANE_TOOL_CONCAT2(a, b)
#define ORVANE_TOOL_COMMAND(...) \
    static const bool ORVANE_TOOL_CONCAT(orvaneCommand_, __LINE__) = ::orvane::tool::CommandRegistry::add({__VA_ARGS__})
