// SPDX-License-Identifier: Apache-2.0
// EsriGeocodeServices against the loopback stand-in of the geocoding service.
#include "GeoTestFixture.h"

#include "orvane/host/net/URL.h"
#include "orvane/geo/EsriGeocodeServices.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>
#include <string>

using namespace orvane;
using orvane::test::EventRecorder;
using orvane::test::GeoServiceTest;
using orvane::test::GeoTestServer;

namespace {

constexpr const char* kGeocodePath = EsriGeocodeServices::GEOCODE_PATH;
constexpr const char* kReversePath = EsriGeocodeServices::REVERSE_GEOCODE_PATH;

EsriGeocodeServices::Addresses addressList(const std::vector<std::string>& texts) {
    auto list = std::make_shared<std::vector<std::shared_ptr<const std::string>>>();
    for (const auto& t : texts) list->push_back(std::make_shared<const std::string>(t));
    return list;
}

// The records of a geocoding request as the server decoded them: (id, address).
std::vector<std::pair<int, std::string>> recordsOf(const GeoTestServer::Request& r) {
    std::vector<std::pair<int, std::string>> out;
    rapidjson::Document d;
    std::string json = r.param("addresses");
    d.Parse(json.c_str(), json.size());
    EXPECT_FALSE(d.HasParseError()) << json.substr(0, 200);
    if (d.HasParseError() || !d.IsObject() || !d.HasMember("records")) return out;
    for (const auto& rec : d["records"].GetArray()) {
        const auto& a = rec["attributes"];
        out.emplace_back(a["OBJECTID"].GetInt(),
                         std::string(a["SingleLine"].GetString(), a["SingleLine"].GetStringLength()));
    }
    return out;
}

class GeocodeTest : public GeoServiceTest {
protected:
    void SetUp() override {
        GeoServiceTest::SetUp();
        server.serveRecordedServices();
        client = EsriGeocodeServices::create();
        events.listen(*client, {EsriGeocodeServices::GEOCODE_READY, EsriGeocodeServices::GEOCODE_FAILED,
                                EsriGeocodeServices::REVERSE_GEOCODE_READY,
                                EsriGeocodeServices::REVERSE_GEOCODE_FAILED});
    }
    // Geocodes one address against an answer the server gives as it is.
    void geocodeAgainst(const std::string& answer, int status = 200) {
        server.answer("POST", kGeocodePath, status, answer);
        events.clear();
        client->geocode(addressList({"anything"}), nullptr, "");
        ASSERT_TRUE(pump());
    }

    std::shared_ptr<EsriGeocodeServices> client;
    EventRecorder events;
};

} // namespace

TEST_F(GeocodeTest, SplitsIntoBatchesWithRunningObjectIds) {
    client = EsriGeocodeServices::create(200);
    events.listen(*client, {EsriGeocodeServices::GEOCODE_READY, EsriGeocodeServices::GEOCODE_FAILED});
    std::vector<std::string> texts;
    for (int i = 0; i < 450; ++i) texts.push_back(i == 7 ? "380 New York St, Redlands, CA 92373" : "street " + std::to_string(i));
    client->geocode(addressList(texts), nullptr, "tok");
    EXPECT_EQ(client->getPendingRequestCount(), 3);
    EXPECT_EQ(events.total(), 0u);
    ASSERT_TRUE(pump());

    auto requests = server.requestsTo(kGeocodePath);
    ASSERT_EQ(requests.size(), 3u);
    std::vector<size_t> sizes;
    std::set<int> ids;
    for (const auto& r : requests) {
        EXPECT_EQ(r.method, "POST");
        EXPECT_EQ(r.contentType, "application/x-www-form-urlencoded");
        EXPECT_EQ(r.param("f"), "json");
        EXPECT_EQ(r.param("token"), "tok");
        auto records = recordsOf(r);
        sizes.push_back(records.size());
        for (const auto& [id, address] : records) {
            EXPECT_EQ(address, texts[static_cast<size_t>(id)]);
            ids.insert(id);
        }
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<size_t>{50, 200, 200}));
    EXPECT_EQ(ids.size(), 450u);
    EXPECT_EQ(*ids.begin(), 0);
    EXPECT_EQ(*ids.rbegin(), 449);

    EXPECT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_READY});
    const auto& results = *client->getGeocodeResults();
    ASSERT_EQ(results.size(), 450u);
    for (const auto& r : results) {
        if (r->getObjectId() == 7) {
            EXPECT_EQ(*r->getAddress(), "380 New York St, Redlands, California, 92373");
            EXPECT_FLOAT_EQ(r->getX(), -117.19568f);
            EXPECT_FLOAT_EQ(r->getY(), 34.05723f);
            EXPECT_EQ(r->getScore(), 100);
        } else {
            EXPECT_TRUE(std::isnan(r->getX()));  // unmatched: the service's "NaN"
            EXPECT_EQ(r->getScore(), 0);
        }
    }
    EXPECT_EQ(client->getPendingRequestCount(), 0);
}

TEST_F(GeocodeTest, UsesTheGivenObjectIdsAndRefusesMismatchedOnes) {
    auto ids = std::make_shared<std::vector<int>>(std::vector<int>{901, 17, -3});
    client->geocode(addressList({"a", "b", "c"}), ids, "");
    ASSERT_TRUE(pump());
    auto records = recordsOf(server.requestsTo(kGeocodePath).at(0));
    EXPECT_EQ(records, (std::vector<std::pair<int, std::string>>{{901, "a"}, {17, "b"}, {-3, "c"}}));
    std::set<int> got;
    for (const auto& r : *client->getGeocodeResults()) got.insert(r->getObjectId());
    EXPECT_EQ(got, (std::set<int>{901, 17, -3}));

    server.clearRequests();
    events.clear();
    auto two = std::make_shared<std::vector<int>>(std::vector<int>{1, 2});
    client->geocode(addressList({"a", "b", "c"}), two, "");
    // Reported at once, nothing sent.
    ASSERT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_FAILED});
    const auto& w = events.warnings().at(0);
    EXPECT_EQ(w->getType(), EsriGeocodeServices::ESRI_GEOCODE_SERVICES_ERROR);
    EXPECT_EQ(w->getName(), "EsriGeocodeServicesError");
    EXPECT_EQ(w->getKey(), "EsriGeocodeServices.InvalidInputs.txt");
    EXPECT_EQ(w->getBundle(), "error_messages");
    EXPECT_DOUBLE_EQ(w->getValue(), 85.0);
    ASSERT_EQ(w->getParameters().size(), 2u);
    EXPECT_EQ(w->getParameters()[0], server.root() + kGeocodePath);
    ASSERT_TRUE(pump());
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(GeocodeTest, EveryCharacterOfAnAddressAndTokenArrivesIntact) {
    std::string controls;
    for (int c = 1; c < 0x20; ++c) controls += static_cast<char>(c);
    std::vector<std::string> tricky = {
        "He said \"hi\"",       "back\\slash \\\" \\u0041", "a&b=c+d%20e;f",     "line\nbreak\ttab\r",
        controls,               "Straße 5, Zürich 🗺",      "\"}}]},{\"x\":1",  "  spaced  ",
        "?#/[]@!$'()*,",        "",                          "100% sure & 50+50"};
    const std::string token = "t+k/=&%ok \"x\"";
    client->geocode(addressList(tricky), nullptr, token);
    ASSERT_TRUE(pump());
    auto requests = server.requestsTo(kGeocodePath);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].param("token"), token);
    EXPECT_EQ(requests[0].param("f"), "json");
    auto records = recordsOf(requests[0]);
    ASSERT_EQ(records.size(), tricky.size());
    for (size_t i = 0; i < tricky.size(); ++i) {
        EXPECT_EQ(records[i].first, static_cast<int>(i));
        EXPECT_EQ(records[i].second, tricky[i]) << "address " << i;
    }
    // Exactly the three fields: nothing leaked out of a value into the form.
    EXPECT_EQ(requests[0].params.size(), 3u);
    EXPECT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_READY});
}

TEST_F(GeocodeTest, BodyKeepsTheFieldOrderAndKeys) {
    std::string body = EsriGeocodeServices::buildGeocodeBody({{0, "a\"b"}, {1, "c"}}, "T");
    EXPECT_EQ(body, "addresses=" +
                        URL::encodeComponent("{\"records\":[{\"attributes\":{\"OBJECTID\":0,\"SingleLine\":\"a\\\"b\"}},"
                                             "{\"attributes\":{\"OBJECTID\":1,\"SingleLine\":\"c\"}}] }") +
                        "&token=T&f=json");
}

TEST_F(GeocodeTest, ReverseGeocodesOnePoint) {
    EXPECT_EQ(EsriGeocodeServices::buildReverseGeocodeBody(-117.1956f, 34.0572f),
              "location=-117.1956024,34.05720139&f=json");
    client->reverseGeocode(-117.1956f, 34.0572f);
    ASSERT_TRUE(pump());
    auto requests = server.requestsTo(kReversePath);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].body, "location=-117.1956024,34.05720139&f=json");
    EXPECT_EQ(requests[0].contentType, "application/x-www-form-urlencoded");
    ASSERT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::REVERSE_GEOCODE_READY});
    ASSERT_EQ(client->getGeocodeResults()->size(), 1u);
    const auto& r = client->getGeocodeResults()->at(0);
    EXPECT_EQ(*r->getAddress(), "380 New York St, Redlands, California, 92373");
    EXPECT_NEAR(r->getX(), -117.19568, 1e-4);

    // A plain-text address is read as well; an "error" answer fails.
    server.answer("POST", kReversePath, 200, R"({"address":"Somewhere 1","location":{"x":1.5,"y":2.5}})");
    events.clear();
    client->reverseGeocode(1.5f, 2.5f);
    ASSERT_TRUE(pump());
    EXPECT_EQ(*client->getGeocodeResults()->at(0)->getAddress(), "Somewhere 1");
    server.answer("POST", kReversePath, 200, GeoTestServer::recorded("error_invalid_token.json"));
    client->reverseGeocode(1.5f, 2.5f);
    ASSERT_TRUE(pump());
    EXPECT_EQ(events.types(), (std::vector<int>{EsriGeocodeServices::REVERSE_GEOCODE_READY,
                                                 EsriGeocodeServices::REVERSE_GEOCODE_FAILED}));
    EXPECT_EQ(events.warnings().at(0)->getKey(), "EsriGeocodeServices.EsriError.txt");

    events.clear();
    server.clearRequests();
    client->reverseGeocode(NAN, 1.0f);
    EXPECT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::REVERSE_GEOCODE_FAILED});
    ASSERT_TRUE(pump());
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(GeocodeTest, ServiceErrorsAndHttpErrorsFailWithTheAnswerText) {
    const std::string error = GeoTestServer::recorded("error_invalid_token.json");
    geocodeAgainst(error);
    ASSERT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_FAILED});
    auto w = events.warnings().at(0);
    EXPECT_EQ(w->getKey(), "EsriGeocodeServices.EsriError.txt");
    EXPECT_EQ(w->getParameters(), (std::vector<std::string>{server.root() + kGeocodePath, error}));
    EXPECT_NE(w->getMessage().find("Invalid token."), std::string::npos);
    EXPECT_TRUE(client->hasFailed());

    geocodeAgainst("<html>Service Unavailable</html>", 503);
    ASSERT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_FAILED});
    EXPECT_EQ(events.warnings().at(0)->getParameters().at(1), "<html>Service Unavailable</html>");
    geocodeAgainst("", 403);  // no body: the status stands in for the answer
    EXPECT_EQ(events.warnings().at(0)->getParameters().at(1), "HTTP status 403");

    // A token the service rejects, through the recorded service.
    server.serveRecordedServices();
    events.clear();
    client->geocode(addressList({"x"}), nullptr, "expired");
    ASSERT_TRUE(pump());
    EXPECT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_FAILED});
}

TEST_F(GeocodeTest, MalformedAnswersAndWrongTypesFail) {
    const char* bad[] = {
        "",
        "{\"locations\":[{\"address\":\"x\",\"location\":{\"x\":1,\"y\":2},\"score\":100,",  // truncated
        "{locations: []}",
        "[1,2,3]",
        "\"just text\"",
        "{\"locations\":[]} trailing",
        "{\"spatialReference\":{}}",                                   // neither locations nor error
        "{\"locations\":{}}",                                          // locations: wrong type
        "{\"locations\":[7]}",                                         // a location: wrong type
        "{\"locations\":[{\"address\":5,\"attributes\":{\"ResultID\":0}}]}",
        "{\"locations\":[{\"location\":[1,2],\"attributes\":{\"ResultID\":0}}]}",
        "{\"locations\":[{\"location\":{\"x\":true,\"y\":1},\"attributes\":{\"ResultID\":0}}]}",
        "{\"locations\":[{\"location\":{\"x\":1,\"y\":\"north\"},\"attributes\":{\"ResultID\":0}}]}",
        "{\"locations\":[{\"score\":\"high\",\"attributes\":{\"ResultID\":0}}]}",
        "{\"locations\":[{\"attributes\":\"none\"}]}",
        "{\"locations\":[{\"attributes\":{\"ResultID\":\"0\"}}]}",
        "{\"locations\":[{\"attributes\":{\"ResultID\":1.5}}]}",
        "{\"locations\":[{\"attributes\":{\"ResultID\":1e12}}]}",
        "{\"locations\":[{\"address\":\"no id\",\"attributes\":{}}]}",
        "{\"locations\":[{\"address\":\"ok\",\"attributes\":{\"ResultID\":0}},{\"address\":[]}]}",
    };
    for (const char* answer : bad) {
        SCOPED_TRACE(answer);
        geocodeAgainst(answer);
        ASSERT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_FAILED});
        EXPECT_EQ(events.warnings().at(0)->getParameters().at(1), answer);
        EXPECT_TRUE(client->getGeocodeResults()->empty());
    }
    // Deep nesting is an error, not a stack overflow.
    geocodeAgainst(std::string(200000, '[') + std::string(200000, ']'));
    EXPECT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_FAILED});
}

TEST_F(GeocodeTest, ToleratesWhatTheServiceLegitimatelyLeavesOut) {
    geocodeAgainst(R"({"locations":[
        {"attributes":{"ResultID":3}},
        {"address":null,"location":null,"score":97.6,"attributes":{"ResultID":4.0,"Status":"T"}},
        {"address":"Far","location":{"x":1e300,"y":-1e300},"score":1e20,"attributes":{"ResultID":5}}]})");
    ASSERT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_READY});
    const auto& r = *client->getGeocodeResults();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0]->getObjectId(), 3);
    EXPECT_TRUE(std::isnan(r[0]->getX()));
    EXPECT_EQ(*r[0]->getAddress(), "");
    EXPECT_EQ(r[1]->getScore(), 98);
    EXPECT_EQ(r[1]->getObjectId(), 4);
    EXPECT_TRUE(std::isinf(r[2]->getX()));
    EXPECT_EQ(r[2]->getScore(), INT_MAX);
}

TEST_F(GeocodeTest, VeryLargeAnswersParseAndAnswersOverTheLimitFail) {
    std::string big = "{\"locations\":[";
    for (int i = 0; i < 40000; ++i) {
        if (i) big += ',';
        big += "{\"address\":\"" + std::string(60, 'a') + "\",\"location\":{\"x\":1.25,\"y\":2.5},\"score\":99,"
               "\"attributes\":{\"ResultID\":" + std::to_string(i) + "}}";
    }
    big += "]}";
    ASSERT_GT(big.size(), 5u * 1024 * 1024);
    geocodeAgainst(big);
    ASSERT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_READY});
    EXPECT_EQ(client->getGeocodeResults()->size(), 40000u);

    auto c = NetworkManager::getConfiguration();
    c.maxAnswerBytes = 1024 * 1024;
    NetworkManager::setConfiguration(c);
    geocodeAgainst(big);
    ASSERT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_FAILED});
    EXPECT_NE(events.warnings().at(0)->getParameters().at(1).find("1048576 bytes"), std::string::npos);
}

TEST_F(GeocodeTest, AnswersPastTheTimeoutFailTheRun) {
    setTotalTimeout(0.3);
    server.route("POST", kGeocodePath, [this](const GeoTestServer::Request&, httplib::Response& res) {
        server.waitForRelease(10);
        res.set_content("{\"locations\":[]}", "application/json");
    });
    client->geocode(addressList({"slow"}), nullptr, "");
    ASSERT_TRUE(pump());
    ASSERT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_FAILED});
    EXPECT_NE(events.warnings().at(0)->getParameters().at(1).find("timed out"), std::string::npos);
    EXPECT_EQ(client->getPendingRequestCount(), 0);
}

TEST_F(GeocodeTest, OneFailedBatchWithholdsReadyForTheRun) {
    client = EsriGeocodeServices::create(2);
    events.clear();
    events.listen(*client, {EsriGeocodeServices::GEOCODE_READY, EsriGeocodeServices::GEOCODE_FAILED});
    // The batch holding "bad" gets an HTTP error, the others answer.
    server.route("POST", kGeocodePath, [](const GeoTestServer::Request& req, httplib::Response& res) {
        if (req.param("addresses").find("bad") != std::string::npos) {
            res.status = 500;
            res.set_content("down", "text/plain");
            return;
        }
        res.set_content("{\"locations\":[{\"address\":\"ok\",\"attributes\":{\"ResultID\":0}}]}", "application/json");
    });
    client->geocode(addressList({"a", "b", "bad", "c", "d"}), nullptr, "");
    ASSERT_TRUE(pump());
    EXPECT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_FAILED});
    EXPECT_EQ(client->getGeocodeResults()->size(), 2u);  // the two good batches
    EXPECT_TRUE(client->hasFailed());

    // The next run starts clean.
    events.clear();
    server.serveRecordedServices();
    client->geocode(addressList({"a"}), nullptr, "");
    ASSERT_TRUE(pump());
    EXPECT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_READY});
    EXPECT_FALSE(client->hasFailed());
}

TEST_F(GeocodeTest, ANewRunDropsTheAnswersOfTheOldOne) {
    client = EsriGeocodeServices::create(1);
    events.clear();
    events.listen(*client, {EsriGeocodeServices::GEOCODE_READY, EsriGeocodeServices::GEOCODE_FAILED});
    client->geocode(addressList({"old 1", "old 2", "old 3"}), nullptr, "");
    client->geocode(addressList({"380 New York St, Redlands, CA 92373"}), nullptr, "");
    ASSERT_TRUE(pump());
    EXPECT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_READY});
    ASSERT_EQ(client->getGeocodeResults()->size(), 1u);
    EXPECT_EQ(client->getGeocodeResults()->at(0)->getScore(), 100);
}

TEST_F(GeocodeTest, EmptyInputCompletesAtOnce) {
    client->geocode(addressList({}), nullptr, "");
    EXPECT_EQ(events.types(), std::vector<int>{EsriGeocodeServices::GEOCODE_READY});
    client->geocode(nullptr, nullptr, "");
    EXPECT_EQ(events.count(EsriGeocodeServices::GEOCODE_READY), 2u);
    auto withNull = std::make_shared<std::vector<std::shared_ptr<const std::string>>>();
    withNull->push_back(nullptr);
    client->geocode(withNull, nullptr, "");
    ASSERT_TRUE(pump());
    EXPECT_EQ(recordsOf(server.requestsTo(kGeocodePath).at(0)), (std::vector<std::pair<int, std::string>>{{0, ""}}));
    EXPECT_EQ(EsriGeocodeServices::create(0)->getBatchSize(), EsriGeocodeServices::DEFAULT_BATCH_SIZE);
}

TEST_F(GeocodeTest, AClientDestroyedWithRequestsInFlightGetsNothing) {
    server.route("POST", kGeocodePath, [this](const GeoTestServer::Request&, httplib::Response& res) {
        server.waitForRelease(10);
        res.set_content("{\"locations\":[]}", "application/json");
    });
    int delivered = 0;
    {
        auto doomed = EsriGeocodeServices::create(1);
        doomed->addEventListener(EsriGeocodeServices::GEOCODE_READY,
                                 FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) { ++delivered; }));
        doomed->addEventListener(EsriGeocodeServices::GEOCODE_FAILED,
                                 FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) { ++delivered; }));
        doomed->geocode(addressList({"a", "b", "c"}), nullptr, "");
        EXPECT_EQ(NetworkManager::getPendingRequestCount(), 3u);
    }
    server.release();
    ASSERT_TRUE(pump());
    EXPECT_EQ(delivered, 0);
    EXPECT_EQ(NetworkManager::getPendingRequestCount(), 0u);
}
