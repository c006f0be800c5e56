// SPDX-License-Identifier: Apache-2.0
// EsriDirectoryServices walking the loopback stand-in of a map-server directory.
#include "GeoTestFixture.h"

#include "orvane/geo/EsriDirectoryServices.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <string>

using namespace orvane;
using orvane::test::EventRecorder;
using orvane::test::GeoServiceTest;
using orvane::test::GeoTestServer;

namespace {

constexpr int kReady = EsriDirectoryServices::QUERY_SERVICES_READY;
constexpr int kFailed = EsriDirectoryServices::QUERY_SERVICES_FAILED;

class DirectoryTest : public GeoServiceTest {
protected:
    void SetUp() override {
        GeoServiceTest::SetUp();
        server.serveRecordedServices();
        root = server.root() + GeoTestServer::DIRECTORY_PATH;
        client = EsriDirectoryServices::create(root + "/");
        events.listen(*client, {kReady, kFailed});
    }
    std::shared_ptr<EsriMapServiceInfo> service(const std::string& rel) {
        return std::dynamic_pointer_cast<EsriMapServiceInfo>(client->findService(root + "/" + rel + "/MapServer"));
    }
    // Serves one map service answer at root/Test/MapServer and walks.
    std::shared_ptr<EsriMapServiceInfo> walkOneService(const std::string& answer) {
        server.answer("GET", std::string(GeoTestServer::DIRECTORY_PATH), 200,
                      R"({"services":[{"name":"Test","type":"MapServer"}]})");
        server.answer("GET", std::string(GeoTestServer::DIRECTORY_PATH) + "/Test/MapServer", 200, answer);
        events.clear();
        client->queryServices();
        EXPECT_TRUE(pump());
        return service("Test");
    }

    std::string root;
    std::shared_ptr<EsriDirectoryServices> client;
    EventRecorder events;
};

std::vector<std::string> childNames(const EsriFolderInfo& f) {
    std::vector<std::string> out;
    for (const auto& c : f.getChildren()) out.push_back(c->getDisplayName());
    return out;
}

} // namespace

TEST_F(DirectoryTest, WalksFoldersAndMapServices) {
    client->queryServices();
    EXPECT_EQ(client->getPendingRequestCount(), 1);
    ASSERT_TRUE(pump());
    ASSERT_EQ(events.types(), std::vector<int>{kReady});
    EXPECT_EQ(client->getPendingRequestCount(), 0);

    auto top = client->getQueryResults();
    ASSERT_TRUE(top);
    EXPECT_EQ(top->getUrl(), root);
    EXPECT_EQ(top->getName(), "services");
    // Listing order, whatever order the answers came in; the geocoder is not a map service.
    EXPECT_EQ(childNames(*top), (std::vector<std::string>{"Canvas", "Specialty", "World_Imagery", "World_Street_Map"}));
    auto canvas = std::dynamic_pointer_cast<EsriFolderInfo>(client->findService(root + "/Canvas"));
    ASSERT_TRUE(canvas);
    // Names given relative to the root ("Canvas/...") resolve below the root once.
    EXPECT_EQ(childNames(*canvas), (std::vector<std::string>{"World_Dark_Gray_Base", "World_Light_Gray_Base"}));

    auto imagery = service("World_Imagery");
    ASSERT_TRUE(imagery);
    EXPECT_EQ(imagery->getTitle(), "World Imagery");
    EXPECT_EQ(imagery->getName(), "Layers");
    EXPECT_EQ(imagery->getDisplayName(), "World_Imagery");
    EXPECT_EQ(imagery->getDescription(), "Satellite and aerial imagery of the world.");
    EXPECT_EQ(imagery->getThumbnailUrl(), root + "/World_Imagery/MapServer/info/thumbnail");
    EXPECT_TRUE(imagery->isGriddable());
    EXPECT_TRUE(service("Canvas/World_Dark_Gray_Base")->isGriddable());    // 3857
    EXPECT_TRUE(service("Canvas/World_Light_Gray_Base")->isGriddable());   // 4326
    EXPECT_FALSE(service("Specialty/Polar_Arctic")->isGriddable());        // polar stereographic
    EXPECT_TRUE(service("Specialty/NAD83_Reference")->isGriddable());      // geographic, by PROJ
    EXPECT_FALSE(client->findService(root + "/Specialty/Elevation/MapServer"));

    // Every request was a GET with f=json.
    for (const auto& r : server.requests()) {
        EXPECT_EQ(r.method, "GET");
        EXPECT_EQ(r.param("f"), "json");
        EXPECT_FALSE(r.hasParam("token"));
    }
    EXPECT_EQ(server.requests().size(), 9u);
}

TEST_F(DirectoryTest, LatestWkidDecidesOverWkid) {
    EXPECT_TRUE(walkOneService(R"({"spatialReference":{"latestWkid":3857,"wkid":102100}})")->isGriddable());
    EXPECT_TRUE(walkOneService(R"({"spatialReference":{"latestWkid":3857,"wkid":2263}})")->isGriddable());
    EXPECT_FALSE(walkOneService(R"({"spatialReference":{"latestWkid":2263,"wkid":4326}})")->isGriddable());
    EXPECT_TRUE(walkOneService(R"({"spatialReference":{"wkid":4326}})")->isGriddable());
    EXPECT_FALSE(walkOneService(R"({"spatialReference":{"wkid":987654}})")->isGriddable());
    EXPECT_FALSE(walkOneService(R"({"mapName":"No reference"})")->isGriddable());
    EXPECT_EQ(events.types(), std::vector<int>{kReady});
    // Codes are looked up once per id and kept.
    EXPECT_EQ(client->getSpatialReferenceCode(2263), "EPSG:2263");
    EXPECT_EQ(client->getSpatialReferenceCode(102100), "ESRI:102100");
    EXPECT_EQ(client->getSpatialReferenceCode(987654), "");
}

TEST_F(DirectoryTest, TokensAndNamesAreEncodedAndUnsafeNamesSkipped) {
    server.answer("GET", std::string(GeoTestServer::DIRECTORY_PATH), 200,
                  R"({"folders":["My Folder","..",".","a//b",""],"services":[{"name":"Q&A=1?","type":"mapserver"},
                      {"name":"../../admin","type":"MapServer"}]})");
    server.answer("GET", std::string(GeoTestServer::DIRECTORY_PATH) + "/My Folder", 200, R"({"folders":[],"services":[]})");
    server.answer("GET", std::string(GeoTestServer::DIRECTORY_PATH) + "/Q&A=1?/MapServer", 200, R"({"mapName":"qa"})");
    client->setToken("a+b&c=d");
    client->queryServices();
    ASSERT_TRUE(pump());
    EXPECT_EQ(events.types(), std::vector<int>{kReady});
    std::vector<std::string> targets;
    for (const auto& r : server.requests()) {
        targets.push_back(r.target);
        EXPECT_EQ(r.param("token"), "a+b&c=d");
    }
    std::sort(targets.begin(), targets.end());
    const std::string base = GeoTestServer::DIRECTORY_PATH;
    EXPECT_EQ(targets, (std::vector<std::string>{base + "/My%20Folder?f=json&token=a%2Bb%26c%3Dd",
                                                 base + "/Q%26A%3D1%3F/MapServer?f=json&token=a%2Bb%26c%3Dd",
                                                 base + "?f=json&token=a%2Bb%26c%3Dd"}));
    auto folder = client->findService(root + "/My%20Folder");
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->getDisplayName(), "My Folder");
}

TEST_F(DirectoryTest, JsonOfTheTreeIsValidAndKeepsItsLayout) {
    auto empty = EsriFolderInfo::create("u", "n", "d");
    EXPECT_EQ(empty->getJSON(),
              R"({ "name": "n", "displayName": "d", "url": "u", "folders": [], "services": [] })");
    auto svc = EsriMapServiceInfo::create("http://h/S/MapServer", "Layers", "S", "T", "D", "http://h/t", true);
    EXPECT_EQ(svc->getJSON(), R"({ "name": "Layers", "displayName": "S", "url": "http://h/S/MapServer", "title": "T", )"
                              R"("description": "D", "thumbnailUrl": "http://h/t", "griddable": "true" })");

    client->queryServices();
    ASSERT_TRUE(pump());
    std::string json = client->getQueryResults()->getJSON();
    rapidjson::Document d;
    ASSERT_TRUE(test::parseJson(json, d));
    EXPECT_EQ(d["folders"].Size(), 2u);
    EXPECT_EQ(d["services"].Size(), 2u);
    const auto& dark = d["folders"][0]["services"][0];
    // The description holds quotes, a backslash and a line break.
    EXPECT_STREQ(dark["description"].GetString(), "A dark \"gray\" canvas \\ base map.\nFor thematic layers.");
    EXPECT_STREQ(dark["griddable"].GetString(), "true");

    // A tree that contains itself still writes a finite text.
    auto a = EsriFolderInfo::create("a", "a", "a");
    auto b = EsriFolderInfo::create("b", "b", "b");
    a->addChild(b);
    b->addChild(a);
    a->addChild(a);  // refused
    EXPECT_EQ(a->getChildren().size(), 1u);
    std::string loop = a->getJSON();
    rapidjson::Document e;
    e.Parse(loop.c_str(), loop.size());
    EXPECT_FALSE(e.HasParseError());
    b->removeChild(a);  // break the cycle so both can be freed
}

TEST_F(DirectoryTest, FailuresAreReportedAndWithholdReady) {
    server.answer("GET", std::string(GeoTestServer::DIRECTORY_PATH) + "/World_Street_Map/MapServer", 200,
                  R"({"error":{"code":499,"message":"Token Required","details":[]}})");
    client->queryServices();
    ASSERT_TRUE(pump());
    ASSERT_EQ(events.types(), std::vector<int>{kFailed});
    auto w = events.warnings().at(0);
    EXPECT_EQ(w->getType(), EsriDirectoryServices::ESRI_DIRECTORY_SERVICES_ERROR);
    EXPECT_EQ(w->getName(), "EsriDirectoryServices");
    EXPECT_EQ(w->getKey(), "EsriDirectoryServices.EsriQuery.txt");
    EXPECT_EQ(w->getParameters().at(0), root + "/World_Street_Map/MapServer?f=json");
    EXPECT_NE(w->getParameters().at(1).find("Token Required"), std::string::npos);
    EXPECT_TRUE(client->hasFailed());
    EXPECT_EQ(client->getPendingRequestCount(), 0);
    // The rest of the walk is still there.
    EXPECT_TRUE(service("World_Imagery"));
    EXPECT_FALSE(service("World_Street_Map"));

    const char* badFolders[] = {"", "{\"folders\":", "[]", "{}", "{\"folders\":\"Canvas\"}", "{\"folders\":[1]}",
                                "{\"services\":{}}", "{\"services\":[1]}", "{\"services\":[{\"name\":1,\"type\":\"MapServer\"}]}",
                                "{\"services\":[{\"name\":\"x\",\"type\":[]}]}"};
    for (const char* answer : badFolders) {
        SCOPED_TRACE(answer);
        server.answer("GET", std::string(GeoTestServer::DIRECTORY_PATH), 200, answer);
        events.clear();
        client->queryServices();
        ASSERT_TRUE(pump());
        ASSERT_EQ(events.types(), std::vector<int>{kFailed});
        EXPECT_EQ(events.warnings().at(0)->getParameters().at(1), answer);
        EXPECT_TRUE(client->getQueryResults()->getChildren().empty());
    }
    const char* badServices[] = {"{\"documentInfo\":[]}", "{\"documentInfo\":{\"Title\":1}}", "{\"description\":2}",
                                 "{\"mapName\":{}}", "{\"spatialReference\":3857}",
                                 "{\"spatialReference\":{\"latestWkid\":\"3857\"}}",
                                 "{\"spatialReference\":{\"wkid\":3857.5}}", "not json"};
    for (const char* answer : badServices) {
        SCOPED_TRACE(answer);
        walkOneService(answer);
        ASSERT_EQ(events.types(), std::vector<int>{kFailed});
        EXPECT_FALSE(service("Test"));
    }
    server.answer("GET", std::string(GeoTestServer::DIRECTORY_PATH), 500, "oops");
    events.clear();
    client->queryServices();
    ASSERT_TRUE(pump());
    EXPECT_EQ(events.types(), std::vector<int>{kFailed});
}

TEST_F(DirectoryTest, ADirectoryThatListsItselfEndlesslyIsCutOff) {
    // Every folder lists a child folder: the walk stops at the depth limit.
    server.route("GET", "*directory*", [](const GeoTestServer::Request&, httplib::Response& res) {
        res.set_content(R"({"folders":["deeper"],"services":[]})", "application/json");
    });
    client->queryServices();
    ASSERT_TRUE(pump());
    EXPECT_EQ(events.types(), std::vector<int>{kFailed});
    EXPECT_NE(events.warnings().at(0)->getParameters().at(1).find("deeper than"), std::string::npos);
    EXPECT_EQ(server.requests().size(), static_cast<size_t>(EsriDirectoryServices::MAX_FOLDER_DEPTH) + 1);
}

TEST_F(DirectoryTest, ANewWalkAbandonsTheOldOneAndADestroyedClientGetsNothing) {
    client->queryServices();
    client->queryServices();
    ASSERT_TRUE(pump());
    EXPECT_EQ(events.types(), std::vector<int>{kReady});
    EXPECT_EQ(client->getQueryResults()->getChildren().size(), 4u);

    int delivered = 0;
    {
        auto doomed = EsriDirectoryServices::create(root);
        for (int type : {kReady, kFailed})
            doomed->addEventListener(
                type, FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) { ++delivered; }));
        doomed->queryServices();
    }
    ASSERT_TRUE(pump());
    EXPECT_EQ(delivered, 0);
}
