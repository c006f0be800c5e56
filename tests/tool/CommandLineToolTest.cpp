// SPDX-License-Identifier: Apache-2.0
// The conventions every `orvane` sub-command shares: help and version, option
// forms, standard streams, exit status, messages and logging.
#include "common/TestSupport.h"
#include "common/ToolRunner.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/io/Image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using orvane::test::runTool;
using orvane::test::sourceDir;
using orvane::test::tempDir;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        if (!l.empty()) out.push_back(l);
    return out;
}

// The sub-commands `orvane help` lists.
std::vector<std::string> commandNames() {
    auto r = runTool({"help"});
    std::vector<std::string> names;
    bool inList = false;
    for (const auto& l : lines(r.out)) {
        if (l == "commands:") {
            inList = true;
            continue;
        }
        if (inList && l.rfind("  ", 0) != 0) break;
        // "  name             summary" (the usage line below it is indented further).
        if (inList && l.size() > 2 && l[2] != ' ') names.push_back(l.substr(2, l.find(' ', 2) - 2));
    }
    return names;
}

std::string write(const std::string& dir, const std::string& name, const std::string& text) {
    std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::set<std::string> filesIn(const std::string& dir) {
    std::set<std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) out.insert(e.path().string());
    return out;
}

} // namespace

TEST(CommandLine, HelpAndVersionForEveryCommand) {
    auto version = runTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(std::regex_search(version.out, std::regex("^orvane [0-9]+\\.[0-9]+\\.[0-9]+"))) << version.out;

    auto help = runTool({"help"});
    EXPECT_EQ(help.status, 0);
    // The exit statuses are documented where a person looks first.
    for (const char* text : {"exit status:", "0  success", "1  the work failed", "2  usage error"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;

    auto names = commandNames();
    ASSERT_GE(names.size(), 9u) << help.out;
    for (const auto& name : names) {
        auto a = runTool({name, "--help"});
        auto b = runTool({"help", name});
        auto c = runTool({name, "-h"});
        EXPECT_EQ(a.status, 0) << name << ": " << a.err;
        EXPECT_EQ(b.status, 0) << name;
        EXPECT_EQ(a.out, b.out) << name;
        EXPECT_EQ(a.out, c.out) << name;
        EXPECT_EQ(a.out.rfind("usage: orvane " + name + " ", 0), 0u) << a.out;
        EXPECT_NE(a.out.find("-v, --verbose"), std::string::npos) << name;
    }
    EXPECT_EQ(runTool({"help", "no-such-command"}).status, 2);
    EXPECT_EQ(runTool({"no-such-command"}).status, 2);
    EXPECT_EQ(runTool({}).status, 2);
}

TEST(CommandLine, UsageErrorsExitWithTwoAndFailuresWithOne) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* prefix;  // every message starts with the command or the file
    } cases[] = {
        {{"render", "--bogus"}, 2, "render: unknown option --bogus"},
        {{"render", "--width", "0", "-o", "x.svg"}, 2, "render: --width"},
        {{"draw", "--scale"}, 2, "draw: --scale needs a value"},
        {{"inspect"}, 2, "inspect: no file given"},
        {{"ticks", "0"}, 2, "ticks: give the two ends"},
        {{"ticks", "0", "100", "--log", "1"}, 2, "ticks: --log needs a positive base other than 1"},
        {{"ticks", "0", "100", "--format", "NOSUCHFMT."}, 2, "ticks: unknown format"},
        {{"ticks", "-1", "100", "--log", "10"}, 1, "ticks: no ticks"},
        {{"sonify"}, 2, "sonify: no values given"},
        {{"inspect", "nosuch.xml"}, 1, "nosuch.xml: cannot read (No such file or directory)"},
        {{"sonify", "nosuch.csv", "--column", "a", "-o", "a.wav"}, 1, "nosuch.csv: cannot read (No such file"},
    };
    std::string dir = tempDir();
    for (const auto& c : cases) {
        auto r = runTool(c.args, dir);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << r.err;
        EXPECT_EQ(r.err.rfind(c.prefix, 0), 0u) << r.err;
    }
    // A usage error says where to look.
    EXPECT_NE(runTool({"render", "--bogus"}).err.find("(see: orvane help render)"), std::string::npos);
}

TEST(CommandLine, OptionsTakeEqualsFormAndDoubleDashEndsThem) {
    std::string dir = tempDir();
    auto eq = runTool({"ticks", "0", "100", "--max-ticks=3"});
    auto sep = runTool({"ticks", "0", "100", "--max-ticks", "3"});
    ASSERT_EQ(eq.status, 0) << eq.err;
    EXPECT_EQ(eq.out, sep.out);
    // After "--" a negative number (or anything) is an argument.
    auto neg = runTool({"ticks", "--", "-100", "-10"});
    ASSERT_EQ(neg.status, 0) << neg.err;
    EXPECT_NE(neg.out.find("numeric axis -100 .. -10"), std::string::npos) << neg.out;
    // A file that looks like an option is reached through "--".
    write(dir, "--odd.xml", "<div>odd</div>");
    auto odd = runTool({"render", "-o", "o.svg", "--", "--odd.xml"}, dir);
    EXPECT_EQ(odd.status, 0) << odd.err;
    EXPECT_TRUE(std::filesystem::exists(dir + "/o.svg"));
    auto w = runTool({"render", sourceDir() + "/examples/richtext.xml", "--width=300", "--height=90", "-o",
                      dir + "/w.png"});
    ASSERT_EQ(w.status, 0) << w.err;
    auto png = orvane::Image::readPNG(dir + "/w.png");
    ASSERT_TRUE(png);
    EXPECT_EQ(png->getWidth(), 300);
    EXPECT_EQ(png->getHeight(), 90);
    // -v and -q are understood by every command, anywhere before "--".
    auto verbose = runTool({"ticks", "-v", "0", "100", "--max-ticks=3"});
    EXPECT_EQ(verbose.status, 0);
    EXPECT_EQ(verbose.out, eq.out);
    EXPECT_TRUE(runTool({"ticks", "0", "100", "--quiet"}).err.empty());
    // A flag takes no value.
    EXPECT_EQ(runTool({"render", "--print-layout=yes"}).status, 2);
}

TEST(CommandLine, StandardInputAndOutput) {
    std::string richText = "<div>From standard input</div>";
    auto svg = runTool({"render", "-", "-o", "-", "--format", "svg"}, tempDir(), richText);
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_EQ(svg.out.rfind("<?xml", 0), 0u) << svg.out.substr(0, 80);
    EXPECT_NE(svg.out.find("From standard input"), std::string::npos);

    std::string drawing = R"({"width": 40, "height": 30, "nodes": [{"type": "rect", "x": 0, "y": 0, "w": 40, "h": 30, "fill": "#ff0000"}]})";
    auto png = runTool({"draw", "-", "-o", "-", "--format=png"}, tempDir(), drawing);
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(png.out.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::string dir = tempDir();
    ASSERT_TRUE(orvane::FileSystemManager::writeToFile(png.out, dir + "/s.png"));
    auto image = orvane::Image::readPNG(dir + "/s.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->getWidth(), 40);
    EXPECT_EQ(image->getPixel(20, 15), 0xff0000ffu);  // 0xRRGGBBAA: opaque red

    // Standard output needs a format; the document from standard input reads too.
    EXPECT_EQ(runTool({"render", "-", "-o", "-"}, tempDir(), richText).status, 2);
    auto inspect = runTool({"inspect", "-"}, tempDir(), richText);
    EXPECT_EQ(inspect.status, 0) << inspect.err;
    EXPECT_NE(inspect.out.find("<stdin>"), std::string::npos);
    auto csv = runTool({"inspect", "--data", "-"}, tempDir(), "a,b\n1,x\n2,y\n");
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_NE(csv.out.find("<stdin>: 2 rows, 2 columns"), std::string::npos) << csv.out;
}

TEST(CommandLine, RenderWritesOnlyWhatItIsAskedFor) {
    // A file without -o: a usage error, and nothing appears in the folder.
    std::string dir = tempDir();
    auto r = runTool({"render", sourceDir() + "/examples/richtext.xml"}, dir);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("render: nothing to do"), std::string::npos) << r.err;
    EXPECT_TRUE(filesIn(dir).empty());
    // No file and no -o: the same; no out/ folder is made.
    auto none = runTool({"render"}, dir);
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(filesIn(dir).empty());
    // -q keeps success quiet; without it each file written is named.
    auto loud = runTool({"render", sourceDir() + "/examples/richtext.xml", "-o", "a.svg"}, dir);
    auto quiet = runTool({"render", sourceDir() + "/examples/richtext.xml", "-o", "b.svg", "-q"}, dir);
    ASSERT_EQ(loud.status, 0);
    ASSERT_EQ(quiet.status, 0);
    EXPECT_NE(loud.out.find("wrote a.svg"), std::string::npos);
    EXPECT_TRUE(quiet.out.empty()) << quiet.out;
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{dir + "/a.svg", dir + "/b.svg"}));
}

TEST(CommandLine, FileErrorsGiveTheFileAndTheSystemsReason) {
    std::string dir = tempDir();
    std::filesystem::create_directory(dir + "/folder");
    auto missing = runTool({"render", "nosuch.xml", "-o", "x.svg"}, dir);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "nosuch.xml: cannot read (No such file or directory)\n");
    for (const auto& args : std::vector<std::vector<std::string>>{{"render", "folder", "-o", "x.svg"},
                                                                  {"inspect", "folder"},
                                                                  {"draw", "folder", "-o", "x.svg"},
                                                                  {"inspect", "--data", "folder"}}) {
        auto r = runTool(args, dir);
        EXPECT_EQ(r.status, 1) << args[0];
        EXPECT_EQ(r.err, "folder: is a directory, not a file\n") << args[0];
    }
    std::string doc = sourceDir() + "/examples/richtext.xml";
    auto noDir = runTool({"render", doc, "-o", "no/such/dir/x.svg"}, dir);
    EXPECT_EQ(noDir.status, 1);
    EXPECT_EQ(noDir.err, "no/such/dir/x.svg: cannot write (No such file or directory)\n");
    auto toDir = runTool({"render", doc, "-o", "folder", "--format", "svg"}, dir);
    EXPECT_EQ(toDir.status, 1);
    EXPECT_EQ(toDir.err, "folder: is a directory, not a file\n");
    // The data file is blamed before its metadata file.
    auto both = runTool({"inspect", "--data", "A.csv", "--columns", "B.csv"}, dir);
    EXPECT_EQ(both.status, 1);
    EXPECT_EQ(both.err.rfind("A.csv: cannot read", 0), 0u) << both.err;
    // Nothing half-written is left behind.
    EXPECT_EQ(filesIn(dir), (std::set<std::string>{dir + "/folder"}));
}

TEST(CommandLine, DrawReportsLineAndColumnAndRefusesUnknownKeys) {
    std::string dir = tempDir();
    std::string bad = write(dir, "bad.json", "{\n  \"width\": 10,\n  \"height\": ,\n}\n");
    auto r = runTool({"draw", bad, "-o", dir + "/x.svg"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind(bad + ":3:13: malformed JSON", 0), 0u) << r.err;

    std::string typo = write(dir, "typo.json",
                             "{\"width\": 10, \"height\": 10,\n"
                             " \"nodes\": [\n"
                             "   {\"type\": \"rect\", \"x\": 0, \"y\": 0, \"w\": 5, \"h\": 5,\n"
                             "    \"colour\": \"#ff0000\"}]}\n");
    auto t = runTool({"draw", typo, "-o", dir + "/x.svg"});
    EXPECT_EQ(t.status, 1);
    // At the key itself.
    EXPECT_EQ(t.err.rfind(typo + ":4:5: nodes[0]: \"colour\" is not a key here", 0), 0u) << t.err;
    std::string run = write(dir, "run.json",
                            "{\"width\": 10, \"height\": 10, \"nodes\": [{\"type\": \"richtext\", \"x\": 0, \"y\": 0,\n"
                            "  \"w\": 5, \"h\": 5, \"paragraphs\": [[{\"text\": \"a\", \"bold\": \"yes\"}]]}]}\n");
    auto b = runTool({"draw", run, "-o", dir + "/x.svg"});
    EXPECT_EQ(b.status, 1);
    EXPECT_EQ(b.err.rfind(run + ":2:49: nodes[0].paragraphs[0][0]: \"bold\" must be true or false", 0), 0u) << b.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "/x.svg"));
}

TEST(CommandLine, PickAndTapCountFromTheTopLeft) {
    std::string dir = tempDir();
    // A 100 x 100 picture: node 1 fills the top 20 pixels, node 2 the bottom 20.
    std::string drawing = write(dir, "d.json",
                                R"({"width": 100, "height": 100, "nodes": [
                                      {"type": "rect", "id": 1, "x": 0, "y": 80, "w": 100, "h": 20, "fill": "#ff0000"},
                                      {"type": "rect", "id": 2, "x": 0, "y": 0, "w": 100, "h": 20, "fill": "#0000ff"}]})");
    auto r = runTool({"draw", drawing, "--pick", "50,10", "--pick", "50,90", "--pick", "50,50"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("pick 50,10: 1/"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("pick 50,90: 2/"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("pick 50,50: nothing"), std::string::npos) << r.out;

    // A tap that selects an action does not also report a failure.
    auto tap = runTool({"render", sourceDir() + "/examples/actions.xml", "--width", "320", "--height", "80", "--tap",
                        "95,36", "--tap", "5,5"});
    ASSERT_EQ(tap.status, 0) << tap.err;
    EXPECT_NE(tap.out.find("tap at (95, 36)\n  selected action 0: open:north"), std::string::npos) << tap.out;
    EXPECT_EQ(tap.out.find("FAILURE"), std::string::npos) << tap.out;
    // A later tap outside the text reports nothing selected, not the earlier tap's action.
    EXPECT_NE(tap.out.find("tap at (5, 5)\n  no action selected"), std::string::npos) << tap.out;
}

TEST(CommandLine, LibraryErrorsAreLoggedByDefault) {
    std::string dir = tempDir();
    std::string drawing = write(dir, "font.json",
                                R"({"width": 100, "height": 40, "nodes": [
                                      {"type": "text", "text": "one", "x": 5, "y": 5, "font": "No Such Family Xq"},
                                      {"type": "text", "text": "two", "x": 5, "y": 20, "font": "No Such Family Xq"}]})");
    auto r = runTool({"draw", drawing, "-o", dir + "/f.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    // One line for the unknown family, however often it is used.
    auto errLines = lines(r.err);
    ASSERT_EQ(errLines.size(), 1u) << r.err;
    EXPECT_NE(errLines[0].find("Font family \"No Such Family Xq\" not found"), std::string::npos) << r.err;
    // -q does not hide errors; a known family logs nothing.
    EXPECT_EQ(lines(runTool({"draw", drawing, "-o", dir + "/f.png", "-q"}).err).size(), 1u);
    std::string fine = write(dir, "fine.json", R"({"width": 10, "height": 10, "nodes": [
                                 {"type": "text", "text": "x", "x": 1, "y": 1, "font": "Arial"}]})");
    auto ok = runTool({"draw", fine, "-o", dir + "/g.png"});
    EXPECT_EQ(ok.status, 0);
    EXPECT_TRUE(ok.err.empty()) << ok.err;
}

TEST(CommandLine, TerminalTablesAlignByDisplayColumns) {
    std::string dir = tempDir();
    // Wide characters take two columns, combining marks none.
    std::string csv = write(dir, "cjk.csv",
                            "name,city,amount\n"
                            "Tanaka,\xe6\x9d\xb1\xe4\xba\xac,10\n"                  // 東京
                            "Kim,\xec\x84\x9c\xec\x9a\xb8\xed\x8a\xb9\xeb\xb3\x84\xec\x8b\x9c,20\n"  // 서울특별시
                            "Rene,Ko\xcc\x88ln,30\n"                              // Köln with a combining diaeresis
                            "Ann,Rome,40\n");
    auto r = runTool({"inspect", "--data", csv});
    ASSERT_EQ(r.status, 0) << r.err;
    auto all = lines(r.out);
    auto rowsAt = std::find(all.begin(), all.end(), "first 4 rows (formatted):");
    ASSERT_NE(rowsAt, all.end()) << r.out;
    // The amount column (right-aligned) ends at the same display column on
    // every row: its digits are the last two columns of each line.
    std::vector<size_t> ends;
    for (auto it = rowsAt + 1; it != all.end() && it->rfind("  ", 0) == 0; ++it) {
        size_t columns = 0;
        for (size_t i = 0; i < it->size(); ++i) {
            unsigned char c = static_cast<unsigned char>((*it)[i]);
            if ((c & 0xC0) == 0x80) continue;
            if (c >= 0xE1 && c <= 0xED)
                columns += 2;  // the CJK and Hangul characters above: wide
            else if (c != 0xCC)
                columns += 1;  // 0xCC leads U+0300..U+033F, combining marks: none
        }
        ends.push_back(columns);
    }
    ASSERT_EQ(ends.size(), 5u) << r.out;
    for (size_t e : ends) EXPECT_EQ(e, ends[0]) << r.out;
}
