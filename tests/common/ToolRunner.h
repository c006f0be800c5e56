// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace orvane::test {

// Output and exit status of one run of the `orvane` tool.
struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
    // Both streams, standard output first (for messages on either).
    std::string both() const { return out + err; }
};

// One run of the tool: its arguments, working folder, standard input and
// environment variables set on top of the test's own.
struct ToolCall {
    std::vector<std::string> args;
    std::string workingDir;
    std::string input;
    std::vector<std::pair<std::string, std::string>> environment;
};
ToolResult runToolCall(const ToolCall& call);
// The words of a command line written as one text, split at spaces (for
// arguments without spaces of their own; nothing else is interpreted).
std::vector<std::string> words(const std::string& line);

// Runs build/bin/orvane with the arguments (no shell involved).
ToolResult runTool(const std::vector<std::string>& args);
// The same in another working folder (for commands that write beside it).
ToolResult runTool(const std::vector<std::string>& args, const std::string& workingDir);
// The same with `input` as standard input (by default it is empty).
ToolResult runTool(const std::vector<std::string>& args, const std::string& workingDir, const std::string& input);

} // namespace orvane::test
