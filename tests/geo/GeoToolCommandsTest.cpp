// The `orvane` geo commands, run as a person would, against the loopback server.
#include "GeoTestServer.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

using orvane::test::GeoTestServer;

namespace {

struct ToolRun {
    std::string out;  // standard output and error together
    int status = -1;
};

ToolRun runTool(const std::string& args) {
    ToolRun r;
    std::string cmd = orvane::test::binaryDir() + "/bin/orvane " + args + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) r.out.append(buffer, n);
    int s = pclose(p);
    r.status = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    return r;
}

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
    ToolRun r = runTool("geocode --service " + server.root() + " --batch 1 '380 New York St, Redlands, CA 92373' 'Nowhere 1'");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("[0] 380 New York St, Redlands, CA 92373\n"
                         "    -> 380 New York St, Redlands, California, 92373  (x -117.195679, y 34.057232, score 100)"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("[1] Nowhere 1\n    -> no match"), std::string::npos) << r.out;
    EXPECT_EQ(server.requests().size(), 2u);

    r = runTool("reverse-geocode --service " + server.root() + " -117.1957 34.0572");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("380 New York St, Redlands, California, 92373"), std::string::npos) << r.out;

    r = runTool("geocode --service " + server.root() + " --token expired somewhere");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("orvane: geocode: The geocoding service at " + server.root()), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Invalid token."), std::string::npos) << r.out;

    EXPECT_EQ(runTool("reverse-geocode --service " + server.root() + " east 34").status, 1);
    EXPECT_EQ(runTool("geocode --service " + server.root()).status, 1);
    EXPECT_EQ(runTool("geocode --bogus x").status, 1);
}

TEST_F(GeoToolCommands, CountriesAndMapServicesPrintTheirTrees) {
    ToolRun r = runTool("geo-countries --service " + server.root());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("US   USA  United States"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("categories: population, age, income, households"), std::string::npos) << r.out;

    r = runTool("geo-countries --service " + server.root() + " --country US");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("      MEDAGE_CY      decimal  2024 Median Age"), std::string::npos) << r.out;

    r = runTool("map-services --root " + server.root() + GeoTestServer::DIRECTORY_PATH);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("    Polar_Arctic                 not griddable Arctic Ocean Base"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("  World_Imagery                griddable     World Imagery"), std::string::npos) << r.out;

    r = runTool("map-services --json --root " + server.root() + "/arcgis/rest/services/Nowhere");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("could not be read"), std::string::npos) << r.out;
}
