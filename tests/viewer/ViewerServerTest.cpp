// SPDX-License-Identifier: Apache-2.0
// The viewer's server over loopback: what it serves and refuses, sessions,
// frames and deltas, the ARIA grid sent as the cells that changed, caps, and a crash-free run of random input against
// every example report.
#include "FrameDelta.h"
#include "ViewerServer.h"

#include "common/ToolRunner.h"
#include "orvane/report/Report.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

namespace orvane::tool {
namespace {

const std::string SOURCE = ORVANE_SOURCE_DIR;

struct Running {
    std::unique_ptr<ViewerServer> server;
    std::unique_ptr<httplib::Client> client;
};

Running startServer(const std::string& report, size_t maxSessions = 8, double idleSeconds = 600,
                    size_t maxBody = 64 * 1024) {
    ViewerServer::Options o;
    o.report = report;
    o.port = 0;
    o.maxSessions = maxSessions;
    o.idleSeconds = idleSeconds;
    o.maxBody = maxBody;
    o.assetDir = SOURCE + "/assets/viewer";
    Running r;
    r.server = std::make_unique<ViewerServer>(o);
    std::string error;
    EXPECT_TRUE(r.server->start(error)) << error;
    r.server->serveInBackground();
    r.client = std::make_unique<httplib::Client>("127.0.0.1", r.server->port());
    r.client->set_read_timeout(30, 0);
    return r;
}

rapidjson::Document json(const std::string& text) {
    rapidjson::Document d;
    d.Parse(text.c_str());
    return d;
}

std::string openSession(httplib::Client& client, int width = 1024) {
    auto res = client.Post("/session", "{\"width\": " + std::to_string(width) + "}", "application/json");
    if (!res || res->status != 200) return {};
    auto d = json(res->body);
    return d.HasMember("session") ? d["session"].GetString() : "";
}

// The bundled report served, and one session of it 1024 pixels wide with
// its first reply (the id and the whole frame).
struct BundledSession {
    Running running;
    rapidjson::Document first;
    std::string id;
};

BundledSession openBundled() {
    BundledSession b{startServer(SOURCE + "/examples/report/report.xml"), {}, {}};
    auto res = b.running.client->Post("/session", "{\"width\": 1024}", "application/json");
    EXPECT_TRUE(res && res->status == 200);
    b.first = json(res ? res->body : "{}");
    if (b.first.HasMember("session")) b.id = b.first["session"].GetString();
    return b;
}

TEST(ViewerServer, ServesItsRoutesAndNoFiles) {
    auto r = startServer(SOURCE + "/examples/report/report.xml");
    auto& c = *r.client;
    auto page = c.Get("/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_NE(page->body.find("/viewer.js"), std::string::npos);
    EXPECT_TRUE(page->has_header("Content-Security-Policy"));
    EXPECT_EQ(c.Get("/viewer.js")->status, 200);
    EXPECT_EQ(c.Get("/viewer.css")->status, 200);
    for (const char* path : {"/../README.md", "/..%2fREADME.md", "/%2e%2e/README.md", "/viewer.js/../index.html",
                             "/assets/viewer/viewer.js", "/index.html/..", "/sound/../../README.md",
                             "/sound/%2e%2e/%2e%2e/CMakeLists.txt", "/sound/piano/../bumper.mp3", "/etc/passwd",
                             "//etc/passwd", "/s/../../README.md", "/s/0123/frame", "/tones/../README.md"}) {
        auto res = c.Get(path);
        ASSERT_TRUE(res) << path;
        EXPECT_EQ(res->status, 404) << path;
    }
    EXPECT_EQ(c.Get("/s/0123456789abcdef0123456789abcdef/frame")->status, 404) << "no such session";
    EXPECT_EQ(c.Post("/viewer.js", "", "text/plain")->status, 404);

    // The library's tones, by exact name.
    auto tone = c.Get("/sound/piano/key40_p_Flat.mp3");
    ASSERT_TRUE(tone);
    EXPECT_EQ(tone->status, 200);
    EXPECT_EQ(tone->get_header_value("Content-Type"), "audio/mpeg");
    EXPECT_GT(tone->body.size(), 100u);
    EXPECT_EQ(c.Get("/sound/missing.mp3")->status, 200);
    EXPECT_EQ(c.Get("/sound/piano/key99_p_Flat.mp3")->status, 404);

    // Values become the scale's tones, lowest to highest; text is missing.
    auto tones = c.Get("/tones?values=1,5,abc,10");
    ASSERT_EQ(tones->status, 200);
    auto d = json(tones->body);
    ASSERT_TRUE(d.HasMember("tones"));
    ASSERT_EQ(d["tones"].Size(), 4u);
    EXPECT_STREQ(d["tones"][2].GetString(), "/sound/missing.mp3");
    const std::string low = d["tones"][0].GetString(), high = d["tones"][3].GetString();
    EXPECT_LT(low, high);
    for (auto& t : d["tones"].GetArray()) EXPECT_EQ(c.Get(t.GetString())->status, 200) << t.GetString();

    // A page of another site that points its name at 127.0.0.1 is refused.
    httplib::Headers foreign{{"Host", "attacker.example:80"}};
    EXPECT_EQ(c.Get("/", foreign)->status, 403);
    httplib::Headers local{{"Host", "localhost:1234"}};
    EXPECT_EQ(c.Get("/", local)->status, 200);
}

TEST(ViewerServer, SessionsSendOnlyWhatChanged) {
    auto b = openBundled();
    ASSERT_FALSE(b.id.empty());
    auto& r = b.running;
    auto& c = *r.client;
    const auto& first = b.first;
    const std::string& id = b.id;
    const std::string svg = first["svg"].GetString();
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("Quarterly sales report"), std::string::npos);
    EXPECT_EQ(first["width"].GetDouble(), 1024.0);
    const long long frame = first["frame"].GetInt64();

    // The page has the frame: nothing is sent again.
    auto same = json(c.Get(("/s/" + id + "/frame?have=" + std::to_string(frame)).c_str())->body);
    EXPECT_EQ(same["frame"].GetInt64(), frame);
    EXPECT_FALSE(same.HasMember("svg"));
    EXPECT_FALSE(same.HasMember("delta"));
    // A tap on empty page changes nothing and draws no new frame.
    auto tap = c.Post(("/s/" + id + "/events").c_str(),
                      R"({"have": )" + std::to_string(frame) +
                          R"(, "events": [{"type":"down","x":2,"y":2,"t":0},{"type":"up","x":2,"y":2,"t":50}]})",
                      "application/json");
    ASSERT_EQ(tap->status, 200);
    EXPECT_EQ(json(tap->body)["frame"].GetInt64(), frame);

    // A new width lays the page out again: the page gets a delta that
    // rebuilds exactly the new frame.
    auto resized = c.Post(("/s/" + id + "/events").c_str(),
                          R"({"have": )" + std::to_string(frame) + R"(, "events": [{"type":"resize","width":600}]})",
                          "application/json");
    ASSERT_EQ(resized->status, 200);
    auto d = json(resized->body);
    EXPECT_GT(d["frame"].GetInt64(), frame);
    EXPECT_EQ(d["width"].GetDouble(), 600.0);
    ASSERT_TRUE(d.HasMember("delta"));
    FrameDelta delta;
    for (const auto& e : d["delta"]["edits"].GetArray())
        delta.edits.push_back({e[0].GetUint64(), e[1].GetUint64(), e[2].GetString()});
    auto whole = json(c.Get(("/s/" + id + "/frame").c_str())->body);
    EXPECT_EQ(delta.apply(svg), whole["svg"].GetString());

    // Two sessions are two pages: the other one keeps its own width.
    const std::string other = openSession(c);
    ASSERT_FALSE(other.empty());
    EXPECT_NE(other, id);
    EXPECT_EQ(json(c.Get(("/s/" + other + "/frame").c_str())->body)["width"].GetDouble(), 1024.0);
    EXPECT_EQ(r.server->sessionCount(), 2u);
    EXPECT_EQ(c.Post(("/s/" + other + "/close").c_str(), "{}", "application/json")->status, 200);
    EXPECT_EQ(c.Get(("/s/" + other + "/frame").c_str())->status, 404);
    EXPECT_EQ(r.server->sessionCount(), 1u);
}

// The page's ARIA grid as the page keeps it: each cell's JSON by its id.
using PageGrid = std::map<std::string, std::string>;

std::string jsonText(const rapidjson::Value& v) {
    rapidjson::StringBuffer b;
    rapidjson::Writer<rapidjson::StringBuffer> w(b);
    v.Accept(w);
    return b.GetString();
}

// Takes a reply's grid the way the page does (whole, or cells set and
// removed since the grid the page has); false when the changes do not apply.
bool takeGrid(PageGrid& grid, long long& gridFrame, const rapidjson::Document& reply) {
    if (reply.HasMember("aria")) {
        grid.clear();
        for (const auto& c : reply["aria"].GetArray()) grid[c["id"].GetString()] = jsonText(c);
    } else if (reply.HasMember("ariaDelta")) {
        const auto& d = reply["ariaDelta"];
        if (gridFrame < d["to"].GetInt64()) {
            if (gridFrame < d["from"].GetInt64()) return false;
            for (const auto& c : d["set"].GetArray()) grid[c["id"].GetString()] = jsonText(c);
            for (const auto& id : d["removed"].GetArray()) grid.erase(id.GetString());
        }
    }
    gridFrame = std::max<long long>(gridFrame, reply["frame"].GetInt64());
    return true;
}

TEST(ViewerServer, TheAriaGridIsSentAsTheCellsThatChanged) {
    auto b = openBundled();
    ASSERT_FALSE(b.id.empty());
    auto& c = *b.running.client;
    const auto& first = b.first;
    const std::string& id = b.id;
    PageGrid grid;
    long long gridFrame = -1;
    ASSERT_TRUE(takeGrid(grid, gridFrame, first));
    const size_t wholeBytes = jsonText(first["aria"]).size();
    std::vector<std::pair<float, float>> rows;  // centres of the table's first cells, row by row
    for (const auto& cell : first["aria"].GetArray())
        if (cell["table"].GetInt() == 0 && cell["role"] == "gridcell" && cell["column"].GetInt64() == 2)
            rows.emplace_back(cell["bounds"][0].GetFloat() + 10, cell["bounds"][1].GetFloat() + 10);
    ASSERT_GE(rows.size(), 3u);
    const auto send = [&](const std::string& events, long long have) {
        auto res = c.Post(("/s/" + id + "/events").c_str(),
                          "{\"have\": " + std::to_string(have) + ", \"events\": [" + events + "]}", "application/json");
        EXPECT_EQ(res->status, 200);
        return std::make_pair(json(res->body), res->body.size());
    };
    const auto tap = [](std::pair<float, float> at, int t, int mods) {
        const std::string p = "\"x\":" + std::to_string(at.first) + ",\"y\":" + std::to_string(at.second) +
                              ",\"mods\":" + std::to_string(mods);
        return "{\"type\":\"down\"," + p + ",\"t\":" + std::to_string(t) + "},{\"type\":\"up\"," + p +
               ",\"t\":" + std::to_string(t + 40) + "}";
    };
    const auto fresh = [&] {
        PageGrid g;
        long long f = -1;
        takeGrid(g, f, json(c.Get(("/s/" + id + "/frame").c_str())->body));
        return g;
    };
    const long long start = first["frame"].GetInt64();
    long long frame = start;
    // A row selected, then a range (Shift): each reply carries the cells
    // that changed, and the page's grid built from them is the server's.
    int t = 0;
    for (int mods : {0, 1}) {
        SCOPED_TRACE(mods);
        auto [reply, bytes] = send(tap(rows[mods ? 2 : 0], t += 1000, mods), frame);
        ASSERT_TRUE(reply.HasMember("ariaDelta")) << "a selection changes a few cells, not the grid's shape";
        EXPECT_FALSE(reply.HasMember("aria"));
        EXPECT_GT(reply["ariaDelta"]["set"].Size(), 0u);
        EXPECT_LT(bytes * 8, wholeBytes) << "the reply is a fraction of the whole grid";
        ASSERT_TRUE(takeGrid(grid, gridFrame, reply));
        frame = reply["frame"].GetInt64();
        EXPECT_EQ(grid, fresh());
    }
    // A page two changes behind cannot use the last changes: it is sent the
    // whole grid. A page that has the grid is sent none of it.
    auto [stale, staleBytes] = send("", start);
    EXPECT_TRUE(stale.HasMember("aria"));
    EXPECT_FALSE(stale.HasMember("ariaDelta"));
    EXPECT_FALSE(send("", frame).first.HasMember("aria"));
    // A narrower page moves every cell: the grid comes whole.
    auto [resized, resizedBytes] = send("{\"type\":\"resize\",\"width\":700}", frame);
    EXPECT_TRUE(resized.HasMember("aria"));
    ASSERT_TRUE(takeGrid(grid, gridFrame, resized));
    EXPECT_EQ(grid, fresh());
    // Ids are unique: the page keeps one element per cell.
    EXPECT_EQ(grid.size(), resized["aria"].Size());
}

TEST(ViewerServer, BadInputIsRefusedAndChangesNothing) {
    auto r = startServer(SOURCE + "/examples/report/report.xml", 8, 600, 4096);
    auto& c = *r.client;
    const std::string id = openSession(c);
    ASSERT_FALSE(id.empty());
    const std::string events = "/s/" + id + "/events";
    auto before = json(c.Get(("/s/" + id + "/frame").c_str())->body);
    for (const std::string& body :
         {std::string("garbage"), std::string(R"({"events": [{"type": "resize", "width": 300}, {"type": "zap"}]})"),
          std::string(R"({"events": [{"type": "resize", "width": 300}, {"type": "down", "x": 1}]})")}) {
        auto res = c.Post(events.c_str(), body, "application/json");
        ASSERT_TRUE(res);
        EXPECT_EQ(res->status, 400) << body;
    }
    auto after = json(c.Get(("/s/" + id + "/frame").c_str())->body);
    EXPECT_EQ(after["frame"].GetInt64(), before["frame"].GetInt64());
    EXPECT_EQ(after["width"].GetDouble(), 1024.0) << "the valid resize before the bad event was not applied";
    // Bodies over the cap are refused before they are read.
    auto huge = c.Post(events.c_str(), std::string(5000, ' ') + "{\"events\": []}", "application/json");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->status, 413);
    EXPECT_EQ(c.Post("/session", "{\"width\": -3}", "application/json")->status, 400);
    EXPECT_EQ(c.Post("/session", "{\"width\": ", "application/json")->status, 400);
    EXPECT_EQ(c.Get(("/s/" + id + "/frame?have=abc").c_str())->status, 400);
    EXPECT_EQ(c.Get(("/s/" + id + "/events").c_str())->status, 405);
}

TEST(ViewerServer, SessionsAreCappedAndFreedWhenIdle) {
    auto r = startServer(SOURCE + "/examples/richtext.xml", 2, 1.0);
    auto& c = *r.client;
    const std::string a = openSession(c), b = openSession(c);
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(b.empty());
    auto third = c.Post("/session", "{}", "application/json");
    EXPECT_EQ(third->status, 503);
    // Closing one makes room.
    c.Post(("/s/" + a + "/close").c_str(), "{}", "application/json");
    const std::string d = openSession(c);
    EXPECT_FALSE(d.empty());
    // Unused for longer than the timeout, both are freed.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (r.server->sessionCount() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(r.server->sessionCount(), 0u);
    EXPECT_EQ(c.Get(("/s/" + b + "/frame").c_str())->status, 404);
    EXPECT_FALSE(openSession(c).empty());
}

// Random pointer, wheel, key and garbage input against every example report
// that opens: every answer is 200, 400 or 503, and the server keeps drawing.
TEST(ViewerServer, TenThousandRandomEventsPerReportCrashFree) {
    std::vector<std::string> reports;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(SOURCE + "/examples")) {
        if (entry.path().extension() != ".xml" || entry.path().string().find("/bad/") != std::string::npos) continue;
        std::vector<std::string> errors;
        if (Report::open(entry.path().string(), errors)) reports.push_back(entry.path().string());
    }
    ASSERT_GE(reports.size(), 3u);
    std::mt19937 rng(2026);
    const char* kinds[] = {"down", "move", "up", "cancel", "wheel", "key", "focus", "resize"};
    const char* keys[] = {"ArrowDown", "ArrowUp", "PageDown", "Enter", " ", "a", "Escape", "Home",
                          "ArrowLeft", "ArrowRight", "End", "PageUp", "Tab", "ContextMenu"};
    const char* moves[] = {"up", "down", "left", "right", "home", "end", "first", "last", "next", "previous"};
    for (const auto& report : reports) {
        auto r = startServer(report);
        auto& c = *r.client;
        const std::string id = openSession(c, 800);
        ASSERT_FALSE(id.empty()) << report;
        const std::string url = "/s/" + id + "/events";
        int sent = 0;
        double t = 0;
        while (sent < 10000) {
            std::string body;
            if (rng() % 20 == 0) {
                body = std::string(rng() % 40, static_cast<char>('!' + rng() % 90));  // garbage
            } else {
                body = "{\"events\": [";
                for (int i = 0; i < 50; ++i) {
                    const char* kind = kinds[rng() % (rng() % 50 ? 7 : 8)];
                    const unsigned row = rng() % 40;
                    t += rng() % 400;
                    body += std::string(i ? "," : "") + "{\"type\":\"" + kind + "\",\"x\":" +
                            std::to_string(static_cast<int>(rng() % 1400) - 100) + ",\"y\":" +
                            std::to_string(static_cast<int>(rng() % 1200) - 100) + ",\"t\":" + std::to_string(t) +
                            ",\"mods\":" + std::to_string(rng() % 16) + ",\"dx\":" +
                            std::to_string(static_cast<int>(rng() % 600) - 300) + ",\"dy\":" +
                            std::to_string(static_cast<int>(rng() % 600) - 300) + ",\"key\":\"" + keys[rng() % 14] +
                            "\",\"width\":" + std::to_string(200 + rng() % 1200) +
                            ",\"grid\":" + std::to_string(rng() % 3) + ",\"row\":" + std::to_string(row) +
                            ",\"column\":" + std::to_string(row ? 1 + rng() % 8 : 0) + ",\"move\":\"" +
                            moves[rng() % 10] + "\"}";
                }
                body += "]}";
            }
            sent += 50;
            auto res = c.Post(url.c_str(), body, "application/json");
            ASSERT_TRUE(res) << report;
            ASSERT_TRUE(res->status == 200 || res->status == 400 || res->status == 503) << res->status << " " << report;
        }
        auto last = c.Get(("/s/" + id + "/frame").c_str());
        ASSERT_TRUE(last);
        EXPECT_EQ(last->status, 200) << report;
        EXPECT_NE(last->body.find("<svg"), std::string::npos) << report;
    }
}

TEST(ViewerServer, LoopbackAddresses) {
    for (const char* a : {"127.0.0.1", "127.8.9.10", "::1", "localhost"}) EXPECT_TRUE(ViewerServer::isLoopback(a)) << a;
    for (const char* a : {"0.0.0.0", "::", "192.168.1.10", "10.0.0.1", "", "127.0.0.1.example.com", "::ffff:8.8.8.8"})
        EXPECT_FALSE(ViewerServer::isLoopback(a)) << a;
}

TEST(ServeCommand, RefusesBadArgumentsBeforeListening) {
    auto r = test::runTool({"serve"});
    EXPECT_EQ(r.status, 2);
    r = test::runTool({"serve", "examples/report/report.xml", "--port", "70000"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--port"), std::string::npos);
    r = test::runTool({"serve", "examples/report/report.xml", "--max-sessions", "0"});
    EXPECT_EQ(r.status, 2);
    r = test::runTool({"serve", "examples/no-such-report.xml", "--port", "0"});
    EXPECT_EQ(r.status, 1);
    r = test::runTool({"serve", "examples/bad/malformed.xml", "--port", "0"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("malformed.xml"), std::string::npos);
}

} // namespace
} // namespace orvane::tool
