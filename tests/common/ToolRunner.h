// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <string>
#include <vector>

namespace orvane::test {

// Output and exit status of one run of the `orvane` tool.
struct ToolResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs build/bin/orvane with the arguments (no shell involved).
ToolResult runTool(const std::vector<std::string>& args);
// The same in another working folder (for commands that write beside it).
ToolResult runTool(const std::vector<std::string>& args, const std::string& workingDir);
// The same with `input` as standard input (by default it is empty).
ToolResult runTool(const std::vector<std::string>& args, const std::string& workingDir, const std::string& input);

} // namespace orvane::test
