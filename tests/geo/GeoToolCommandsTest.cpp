// SPDX-License-Identifier: Apache-2.0
// The `orvane` geo commands, run as a person would, against the loopback server.
#include "GeoTestServer.h"
#include "common/ToolRunner.h"

#include <gtest/gtest.h>

#include <string>

using orvane::test::GeoTestServer;
using orvane::test::runTool;
using orvane::test::ToolResult;

namespace {

class GeoToolCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.isRunning());
        server.serveRecordedServices();
    }
    GeoTestServer server;
};

} // namespace

TEST_F(GeoToolCommands, GeocodeAndReverseGeocodePrintTheMatches) {
    ToolResult r = runTool(
        {"geocode", "--service", server.root(), "--batch", "1", "380 New York St, Redlands, CA 92373", "Nowhere 1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("[0] 380 New York St, Redlands, CA 92373\n"
                         "    -> 380 New York St, Redlands, California, 92373  (x -117.195679, y 34.057232, score 100)"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("[1] Nowhere 1\n    -> no match"), std::string::npos) << r.out;
    EXPECT_EQ(server.requests().size(), 2u);

    r = runTool({"reverse-geocode", "--service", server.root(), "-117.1957", "34.0572"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("380 New York St, Redlands, California, 92373"), std::string::npos) << r.out;

    r = runTool({"geocode", "--service", server.root(), "--token", "expired", "somewhere"});
    EXPECT_EQ(r.status, 1);
    // The service's own message, not its JSON answer.
    EXPECT_NE(r.err.find("geocode: the service at " + server.root()), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Invalid token."), std::string::npos) << r.err;
    EXPECT_EQ(r.both().find("{\""), std::string::npos) << r.both();

    // Usage errors exit with 2, failures of the work with 1.
    EXPECT_EQ(runTool({"reverse-geocode", "--service", server.root(), "east", "34"}).status, 2);
    EXPECT_EQ(runTool({"geocode", "--service", server.root()}).status, 2);
    EXPECT_EQ(runTool({"geocode", "--bogus", "x"}).status, 2);
    EXPECT_EQ(runTool({"reverse-geocode", "--service", server.root(), "--token", "t", "-117.1957", "34.0572"}).status, 2);
}

TEST_F(GeoToolCommands, CountriesAndMapServicesPrintTheirTrees) {
    ToolResult r = runTool({"geo-countries", "--service", server.root()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("US   USA  United States"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("categories: population, age, income, households"), std::string::npos) << r.out;

    r = runTool({"geo-countries", "--service", server.root(), "--country", "US"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("      MEDAGE_CY      decimal  2024 Median Age"), std::string::npos) << r.out;

    r = runTool({"map-services", "--service", server.root() + GeoTestServer::DIRECTORY_PATH});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("    Polar_Arctic                 not griddable Arctic Ocean Base"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("  World_Imagery                griddable     World Imagery"), std::string::npos) << r.out;

    r = runTool({"map-services", "--json", "--service", server.root() + "/arcgis/rest/services/Nowhere"});
    EXPECT_EQ(r.status, 1);
    // The service's own message.
    EXPECT_NE(r.err.find("map-services: the service at " + server.root() +
                         "/arcgis/rest/services/Nowhere?f=json answered with error 404: Folder not found."),
              std::string::npos)
        << r.err;
    // One name for one meaning: the directory root is --service like the other services'.
    EXPECT_EQ(runTool({"map-services", "--root", server.root()}).status, 2);
}

TEST_F(GeoToolCommands, JsonAndEqualsFormWorkForEveryGeoCommand) {
    ToolResult r = runTool({"geocode", "--json", "--service=" + server.root(), "380 New York St, Redlands, CA 92373"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"match\":\"380 New York St, Redlands, California, 92373\""), std::string::npos) << r.out;
    r = runTool({"reverse-geocode", "--json", "--service=" + server.root(), "--", "-117.1957", "34.0572"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"address\":\"380 New York St"), std::string::npos) << r.out;
    r = runTool({"geo-countries", "--json", "--service=" + server.root()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"id3\":\"USA\""), std::string::npos) << r.out;
    for (const char* command : {"geocode", "reverse-geocode", "geo-countries", "map-services"}) {
        r = runTool({"help", command});
        EXPECT_EQ(r.status, 0) << command;
        for (const char* option : {"--service URL", "--token T", "--json", "--timeout S"})
            EXPECT_NE(r.out.find(option), std::string::npos) << command << " " << option;
    }
}
