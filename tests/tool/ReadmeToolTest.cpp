// SPDX-License-Identifier: Apache-2.0
// The README, run: every shell block is run in a scratch folder against the
// built tool, every complete C++ example is compiled and run against the
// library, and every XML example is read by the tool. None may fail, and
// none may leave files outside its scratch folder.
//
// A line `<!-- readme-test: KIND (why) -->` just above a fence marks it:
//   skip        not run (installs packages, builds, runs for minutes, needs npm)
//   geo-server  run with the loopback geo test server started and its root in $S
//   fragment    a C++ excerpt, not a program (every other C++ block is one)
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;
using orvane::test::binaryDir;
using orvane::test::sourceDir;
using orvane::test::tempDir;

namespace {

struct Block {
    size_t indent = 0;  // of the fence: blocks inside list items are indented
    std::string language;
    std::string marker;  // "", "skip", "geo-server", "fragment"
    std::string text;
    int line = 0;  // of the opening fence
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::vector<Block> fencedBlocks(const std::string& markdown) {
    std::vector<Block> blocks;
    std::istringstream in(markdown);
    std::string line, marker;
    int number = 0;
    Block* open = nullptr;
    while (std::getline(in, line)) {
        ++number;
        std::string trimmed = line.substr(std::min(line.find_first_not_of(' '), line.size()));
        if (open) {
            if (trimmed.rfind("```", 0) == 0) {
                open = nullptr;
            } else {
                size_t cut = std::min(open->indent, std::min(line.find_first_not_of(' '), line.size()));
                open->text += line.substr(cut) + "\n";
            }
            continue;
        }
        if (trimmed.rfind("<!-- readme-test:", 0) == 0) {
            std::istringstream words(trimmed.substr(17));
            words >> marker;
            continue;
        }
        if (trimmed.rfind("```", 0) == 0) {
            blocks.push_back({line.size() - trimmed.size(), trimmed.substr(3), marker, "", number});
            open = &blocks.back();
        }
        if (!trimmed.empty()) marker.clear();
    }
    return blocks;
}

struct Outcome {
    int status = -1;
    std::string output;
};

// Runs argv in `dir` with `env` added to the environment; output and errors together.
Outcome run(const std::vector<std::string>& argv, const std::string& dir, const std::map<std::string, std::string>& env) {
    Outcome r;
    std::string outPath = tempDir() + "/output";
    pid_t pid = ::fork();
    if (pid == 0) {
        int o = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int devnull = ::open("/dev/null", O_RDONLY);
        ::dup2(devnull, 0);
        ::dup2(o, 1);
        ::dup2(o, 2);
        if (::chdir(dir.c_str()) != 0) ::_exit(126);
        for (const auto& [k, v] : env) ::setenv(k.c_str(), v.c_str(), 1);
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.output = slurp(outPath);
    return r;
}

// The loopback geo server on a free port, for the blocks that need a service.
class GeoServer {
public:
    GeoServer() {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], 1);
            ::close(fds[0]);
            std::string exe = binaryDir() + "/bin/geo_test_server";
            ::execl(exe.c_str(), exe.c_str(), "--port", "0", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        // "geo_test_server: listening on http://127.0.0.1:PORT"
        std::string first;
        char c;
        while (::read(fds[0], &c, 1) == 1 && c != '\n') first += c;
        ::close(fds[0]);
        size_t at = first.find("http://");
        if (at != std::string::npos) root_ = first.substr(at);
    }
    ~GeoServer() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& root() const { return root_; }

private:
    pid_t pid_ = -1;
    std::string root_;
};

// Every file of the source tree (but the build folders and .git) with its size and time.
std::map<std::string, std::pair<uintmax_t, long long>> sourceFiles() {
    std::map<std::string, std::pair<uintmax_t, long long>> files;
    const fs::path root = sourceDir();
    const fs::path build = fs::weakly_canonical(binaryDir());
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path& p = it->path();
        std::string name = p.filename().string();
        if (it->is_directory() && (name == ".git" || (it.depth() == 0 && name.rfind("build", 0) == 0) ||
                                   fs::weakly_canonical(p) == build)) {
            it.disable_recursion_pending();
            continue;
        }
        struct stat st{};
        if (::lstat(p.c_str(), &st) == 0)
            files[p.string()] = {static_cast<uintmax_t>(st.st_size), static_cast<long long>(st.st_mtime)};
    }
    return files;
}

// A folder that looks like the repository to the README's commands: the
// built programs and a copy of the examples (commands may write there).
std::string scratchFolder() {
    std::string dir = tempDir();
    fs::create_directories(dir + "/build");
    fs::create_symlink(binaryDir() + "/bin", dir + "/build/bin");
    fs::copy(sourceDir() + "/examples", dir + "/examples", fs::copy_options::recursive);
    for (const char* sub : {"home", "tmp", "cache"}) fs::create_directories(dir + "/" + sub);
    return dir;
}

std::map<std::string, std::string> scratchEnvironment(const std::string& dir) {
    return {{"HOME", dir + "/home"}, {"TMPDIR", dir + "/tmp"}, {"ORVANE_CACHE_DIR", dir + "/cache"}};
}

std::map<std::string, std::string> snippetBuild() {
    std::map<std::string, std::string> settings;
    std::istringstream in(slurp(binaryDir() + "/tests/readme-snippet-build.txt"));
    for (std::string line; std::getline(in, line);) {
        size_t eq = line.find('=');
        if (eq != std::string::npos) settings[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return settings;
}

std::vector<std::string> split(const std::string& list) {
    std::vector<std::string> out;
    std::istringstream in(list);
    for (std::string item; std::getline(in, item, ';');)
        if (!item.empty()) out.push_back(item);
    return out;
}

class Readme : public ::testing::Test {
protected:
    void SetUp() override {
        blocks = fencedBlocks(slurp(sourceDir() + "/README.md"));
        before = sourceFiles();
    }
    void TearDown() override {
        auto after = sourceFiles();
        for (const auto& [path, info] : after)
            EXPECT_TRUE(before.count(path)) << "left behind in the source tree: " << path;
        for (const auto& [path, info] : before) {
            auto it = after.find(path);
            EXPECT_TRUE(it != after.end()) << "removed from the source tree: " << path;
            if (it != after.end()) {
                EXPECT_EQ(it->second, info) << "changed in the source tree: " << path;
            }
        }
    }
    std::vector<Block> blocks;
    std::map<std::string, std::pair<uintmax_t, long long>> before;
};

} // namespace

TEST_F(Readme, EveryShellBlockRuns) {
    int ran = 0;
    for (const auto& b : blocks) {
        if (b.language != "sh" || b.marker == "skip") continue;
        std::string dir = scratchFolder();
        auto env = scratchEnvironment(dir);
        std::unique_ptr<GeoServer> server;
        if (b.marker == "geo-server") {
            server = std::make_unique<GeoServer>();
            ASSERT_FALSE(server->root().empty()) << "the geo test server did not start";
            env["S"] = server->root();
        }
        std::ofstream(dir + "/block.sh") << "set -e\n" << b.text;
        // A block runs as a person would paste it, and gives up after five minutes.
        Outcome r = run({"timeout", "300", "sh", "-x", "block.sh"}, dir, env);
        EXPECT_EQ(r.status, 0) << "README.md:" << b.line << ":\n" << b.text << "---\n" << r.output;
        ++ran;
    }
    EXPECT_GE(ran, 6);
}

TEST_F(Readme, EveryCompleteCppExampleCompilesAndRuns) {
    auto build = snippetBuild();
    ASSERT_FALSE(build["compiler"].empty()) << "tests/readme-snippet-build.txt is missing";
    int compiled = 0;
    for (const auto& b : blocks) {
        if (b.language != "cpp") continue;
        bool program = b.text.find("int main(") != std::string::npos;
        if (b.marker == "fragment") {
            EXPECT_FALSE(program) << "README.md:" << b.line << ": a complete program marked as a fragment";
            continue;
        }
        ASSERT_TRUE(program) << "README.md:" << b.line << ": a C++ block is a complete program or marked as a fragment";
        std::string dir = scratchFolder();
        std::ofstream(dir + "/example.cpp") << b.text;
        // The library's own compile and link options (sanitizers in a sanitizer build).
        std::vector<std::string> cc{build["compiler"], "-std=c++20", "-Wall", "-Wextra", "-Werror"};
        for (const auto& option : split(build["options"])) cc.push_back(option);
        for (const auto& option : split(build["linkoptions"])) cc.push_back(option);
        cc.insert(cc.end(), {"-o", "example", "example.cpp"});
        for (const auto& inc : split(build["includes"])) cc.push_back("-I" + inc);
        for (const auto& lib : split(build["libraries"])) cc.push_back(lib);
        cc.push_back("-Wl,-rpath," + build["libdir"]);
        cc.push_back("-pthread");
        Outcome c = run(cc, dir, {});
        ASSERT_EQ(c.status, 0) << "README.md:" << b.line << ": does not compile\n" << c.output;
        Outcome r = run({"timeout", "120", "./example"}, dir, scratchEnvironment(dir));
        EXPECT_EQ(r.status, 0) << "README.md:" << b.line << ": fails\n" << r.output;
        ++compiled;
    }
    EXPECT_GE(compiled, 1);
}

TEST_F(Readme, EveryXmlExampleReads) {
    int read = 0;
    for (const auto& b : blocks) {
        if (b.language != "xml") continue;
        std::string dir = scratchFolder();
        // Beside the example report, so that its relative image paths resolve.
        std::string file = dir + "/examples/report/readme-example.xml";
        std::ofstream(file) << b.text;
        std::string tool = binaryDir() + "/bin/orvane";
        Outcome r = run({tool, "inspect", file}, dir, scratchEnvironment(dir));
        EXPECT_EQ(r.status, 0) << "README.md:" << b.line << ":\n" << r.output;
        if (b.text.find("<content") != std::string::npos) {
            // A report page: it renders, and every item gets room on the page.
            Outcome page = run({tool, "render", file, "--print-layout", "-o", "page.png"}, dir, scratchEnvironment(dir));
            EXPECT_EQ(page.status, 0) << "README.md:" << b.line << ":\n" << page.output;
            std::istringstream lines(page.output);
            for (std::string line; std::getline(lines, line);) {
                if (line.find(" w=0 ") != std::string::npos || line.find(" h=0 ") != std::string::npos)
                    ADD_FAILURE() << "README.md:" << b.line << ": an element without room: " << line << "\n"
                                  << page.output;
            }
        }
        ++read;
    }
    EXPECT_GE(read, 2);
}
