// SPDX-License-Identifier: Apache-2.0
#include "common/ToolRunner.h"

#include "common/TestSupport.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace orvane::test {

namespace {
std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
} // namespace

ToolResult runTool(const std::vector<std::string>& args) { return runTool(args, std::string()); }

ToolResult runTool(const std::vector<std::string>& args, const std::string& workingDir) {
    return runTool(args, workingDir, std::string());
}

ToolResult runTool(const std::vector<std::string>& args, const std::string& workingDir, const std::string& input) {
    return runToolCall(ToolCall{args, workingDir, input, {}});
}

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

ToolResult runToolCall(const ToolCall& call) {
    ToolResult r;
    std::string dir = tempDir();
    std::string outPath = dir + "/stdout", errPath = dir + "/stderr", inPath = dir + "/stdin";
    {
        std::ofstream in(inPath, std::ios::binary);
        in << call.input;
    }
    std::string exe = binaryDir() + "/bin/orvane";
    pid_t pid = ::fork();
    if (pid == 0) {
        int o = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int e = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int i = ::open(inPath.c_str(), O_RDONLY);
        ::dup2(i, 0);
        ::dup2(o, 1);
        ::dup2(e, 2);
        if (!call.workingDir.empty() && ::chdir(call.workingDir.c_str()) != 0) ::_exit(126);
        for (const auto& [name, value] : call.environment) ::setenv(name.c_str(), value.c_str(), 1);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(exe.c_str()));
        for (const auto& a : call.args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = slurp(outPath);
    r.err = slurp(errPath);
    return r;
}

} // namespace orvane::test
