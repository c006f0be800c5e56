// SPDX-License-Identifier: Apache-2.0
// EsriGeoEnrichmentServices against the loopback stand-in of the service.
#include "GeoTestFixture.h"

#include "orvane/geo/EsriGeoEnrichmentServices.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <string>

using namespace orvane;
using orvane::test::EventRecorder;
using orvane::test::GeoServiceTest;
using orvane::test::GeoTestServer;

namespace {

using Self = EsriGeoEnrichmentServices;
constexpr int kListReady = Self::GEO_ENRICHMENT_COUNTRY_LIST_READY;
constexpr int kListFailed = Self::GEO_ENRICHMENT_COUNTRY_LIST_FAILED;
constexpr int kVarsReady = Self::GEO_ENRICHMENT_COUNTRY_VARIABLES_READY;
constexpr int kVarsFailed = Self::GEO_ENRICHMENT_COUNTRY_VARIABLES_FAILED;

class GeoEnrichmentTest : public GeoServiceTest {
protected:
    void SetUp() override {
        GeoServiceTest::SetUp();
        server.serveRecordedServices();
        client = Self::create();
        events.listen(*client, {kListReady, kListFailed, kVarsReady, kVarsFailed});
    }
    std::string collectionsPath(const std::string& id) const { return std::string(Self::DATA_COLLECTIONS_PATH) + id; }

    std::shared_ptr<Self> client;
    EventRecorder events;
};

std::vector<std::string> names(const std::vector<std::shared_ptr<GeoEnrichmentCategory>>& v) {
    std::vector<std::string> out;
    for (const auto& c : v) out.push_back(c->getName() + "/" + c->getLabel());
    return out;
}

} // namespace

TEST_F(GeoEnrichmentTest, ReadsTheCountryListFromTheCensusHierarchy) {
    client->getCountryList();
    EXPECT_EQ(client->getPendingRequestCount(), 1);
    ASSERT_TRUE(pump());
    auto requests = server.requestsTo(Self::COUNTRIES_PATH);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].body, "f=json");
    EXPECT_EQ(requests[0].contentType, "application/x-www-form-urlencoded");

    ASSERT_EQ(events.types(), std::vector<int>{kListReady});
    const auto& countries = client->getGeoEnrichmentCountryResults();
    ASSERT_EQ(countries.size(), 3u);
    const auto& us = *countries[0];
    EXPECT_EQ(us.getId(), "US");
    EXPECT_EQ(us.getId3(), "USA");
    EXPECT_EQ(us.getName(), "United States");
    // The census hierarchy, not the landscape one listed first; string entries only.
    EXPECT_EQ(*us.getCategories(), (std::vector<std::string>{"population", "age", "income", "households"}));
    EXPECT_EQ(*us.getLevels(), (std::vector<std::string>{"US.WholeUSA", "US.States", "US.Counties", "US.Tracts"}));
    // "Census" matches case-insensitively.
    EXPECT_EQ(*countries[1]->getCategories(), (std::vector<std::string>{"population", "purchasingpower"}));
    EXPECT_TRUE(countries[2]->getCategories()->empty());
    EXPECT_TRUE(countries[2]->getLevels()->empty());
    EXPECT_EQ(client->getPendingRequestCount(), 0);
}

TEST_F(GeoEnrichmentTest, GroupsVariablesByCategoryCollectionAndFieldCategory) {
    client->getCountryVariables("US");
    ASSERT_TRUE(pump());
    auto requests = server.requestsTo(collectionsPath("US"));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].body, "outFields=[\"id\",\"alias\",\"hideInDataBrowser\",\"description\",\"fieldCategory\","
                                "\"type\",\"popularity\"]&suppressNullValues=true&f=json");
    ASSERT_EQ(events.types(), std::vector<int>{kVarsReady});

    const auto& cats = client->getGeoEnrichmentCountryVariablesResultModels();
    // Census categories first; the landscape collection's "population" stays apart.
    EXPECT_EQ(names(cats), (std::vector<std::string>{"population/Population", "age/Age", "population/Population"}));
    ASSERT_EQ(cats[0]->getDataCollections().size(), 2u);
    EXPECT_EQ(cats[0]->getDataCollections()[0]->getName(), "Age");
    EXPECT_EQ(cats[0]->getDataCollections()[1]->getName(), "KeyUSFacts");
    EXPECT_EQ(cats[2]->getDataCollections().at(0)->getName(), "LandCover");
    EXPECT_EQ(cats[2]->getDescription(), "Settled land");

    const auto& age = *cats[1]->getDataCollections().at(0);
    EXPECT_EQ(age.getLabel(), "Age");
    EXPECT_EQ(age.getShortDescription(), "Population by age");
    ASSERT_EQ(age.getSubCategories().size(), 2u);
    const auto& increments = *age.getSubCategories()[0];
    EXPECT_EQ(increments.getName(), "2024 Age: 5 Year Increments");
    ASSERT_EQ(increments.getVariables().size(), 2u);
    EXPECT_EQ(increments.getVariables()[0]->getName(), "POP0_CY");
    EXPECT_EQ(increments.getVariables()[0]->getLabel(), "2024 Population Age 0-4");
    EXPECT_EQ(increments.getVariables()[0]->getPopularity(), 40);
    EXPECT_EQ(increments.getVariables()[1]->getType(), "integer");  // "ESRIFIELDTYPEINT"
    const auto& median = *age.getSubCategories()[1]->getVariables().at(0);
    EXPECT_EQ(median.getType(), "decimal");
    EXPECT_EQ(median.getPopularity(), 93);
    EXPECT_EQ(median.getDescription(), "Median age \\ years");

    // The hidden variable is left out; the others keep their mapped types.
    const auto& facts = *cats[0]->getDataCollections()[1];
    ASSERT_EQ(facts.getSubCategories().size(), 1u);
    std::vector<std::string> types;
    for (const auto& v : facts.getSubCategories()[0]->getVariables()) types.push_back(v->getName() + ":" + v->getType());
    EXPECT_EQ(types, (std::vector<std::string>{"TOTPOP_CY:integer", "DATEREF:date", "NAME:string"}));
}

TEST_F(GeoEnrichmentTest, ResultTextIsValidJsonWhateverTheTextsHold) {
    client->getCountryVariables("US");
    ASSERT_TRUE(pump());
    std::string json = client->getGeoEnrichmentCountryVariablesResults();
    EXPECT_EQ(json.rfind("{\"categories\":[{\"name\":\"population\",\"label\":\"Population\",\"description\":", 0), 0u);
    rapidjson::Document d;
    ASSERT_TRUE(test::parseJson(json, d));
    const auto& ageCollection = d["categories"][1]["dataCollections"][0];
    EXPECT_STREQ(ageCollection["longDescription"].GetString(),
                 "Counts of the \"population\" by five-year age groups.\nSource: Esri forecasts.");
    EXPECT_EQ(ageCollection["subCategories"][1]["variables"][0]["popularity"].GetInt(), 93);

    // Every special character round-trips through the text.
    std::string nasty = "q\"b\\s/\x01\x1f\n\t\xc3\xa9 \xff";
    auto variable = GeoEnrichmentVariable::create(nasty, nasty, nasty, nasty, -5);
    auto field = GeoEnrichmentFieldCategory::create(nasty, {variable});
    auto collection = GeoEnrichmentDataCollection::create(nasty, nasty, nasty, nasty, {field});
    auto category = GeoEnrichmentCategory::create(nasty, nasty, nasty, {collection});
    std::string text = Self::writeCategoriesJSON({category, nullptr});
    rapidjson::Document e;
    ASSERT_TRUE(test::parseJson(text, e));
    std::string expected = "q\"b\\s/\x01\x1f\n\t\xc3\xa9 \xef\xbf\xbd";  // the stray byte becomes U+FFFD
    EXPECT_EQ(e["categories"][0]["dataCollections"][0]["subCategories"][0]["variables"][0]["description"].GetString(),
              expected);
    EXPECT_EQ(e["categories"][0]["label"].GetString(), expected);
    EXPECT_EQ(Self::writeCategoriesJSON({}), "{\"categories\":[]}");
}

TEST_F(GeoEnrichmentTest, VariableTypesMapCaseInsensitively) {
    EXPECT_EQ(Self::getVariableType("esriFieldTypeDouble"), "decimal");
    EXPECT_EQ(Self::getVariableType("esrifieldtypesingle"), "decimal");
    EXPECT_EQ(Self::getVariableType("ESRIFIELDTYPEINT"), "integer");
    EXPECT_EQ(Self::getVariableType("esriFieldTypeSmallInteger"), "integer");
    EXPECT_EQ(Self::getVariableType("esriFieldTypeDate"), "date");
    EXPECT_EQ(Self::getVariableType("esriFieldTypeString"), "string");
    EXPECT_EQ(Self::getVariableType("esriFieldTypeInteger"), "string");  // not a type of the table
    EXPECT_EQ(Self::getVariableType(""), "string");
}

TEST_F(GeoEnrichmentTest, FailuresReportTheirRequestsFailedEvent) {
    // The service's own error answer for an unknown country.
    client->getCountryVariables("ZZ");
    ASSERT_TRUE(pump());
    ASSERT_EQ(events.types(), std::vector<int>{kVarsFailed});
    auto w = events.warnings().at(0);
    EXPECT_EQ(w->getType(), Self::ESRI_GEO_ENRICHMENT_SERVICES_ERROR);
    EXPECT_EQ(w->getName(), "EsriGeoEnrichmentServicesError");
    EXPECT_EQ(w->getKey(), "EsriGeoEnrichmentServices.EsriError.txt");
    EXPECT_EQ(w->getParameters().at(0), server.root() + collectionsPath("ZZ"));
    EXPECT_NE(w->getParameters().at(1).find("Invalid country code."), std::string::npos);

    const char* badLists[] = {
        "{\"countries\":[{\"id\":\"US\"}],\"error\":{\"code\":500}}",
        "{\"countries\":[{\"id\":\"US\"",
        "{\"countries\":\"US\"}",
        "{\"countries\":[\"US\"]}",
        "{\"countries\":[{\"id\":1}]}",
        "{\"countries\":[{\"abbr3\":[]}]}",
        "{\"countries\":[{\"name\":{}}]}",
        "{\"countries\":[{\"hierarchies\":{}}]}",
        "{\"countries\":[{\"hierarchies\":[1]}]}",
        "{\"countries\":[{\"hierarchies\":[{\"ID\":7}]}]}",
        "{\"countries\":[{\"hierarchies\":[{\"ID\":\"census\",\"variablesInfo\":[]}]}]}",
        "{\"countries\":[{\"hierarchies\":[{\"ID\":\"census\",\"variablesInfo\":{\"categories\":\"x\"}}]}]}",
        "{\"countries\":[{\"hierarchies\":[{\"ID\":\"census\",\"levelsInfo\":7}]}]}",
        "{\"countries\":[{\"hierarchies\":[{\"ID\":\"census\",\"levelsInfo\":{\"geographyLevels\":{}}}]}]}",
        "{}",
    };
    for (const char* answer : badLists) {
        SCOPED_TRACE(answer);
        server.answer("POST", Self::COUNTRIES_PATH, 200, answer);
        events.clear();
        client->getCountryList();
        ASSERT_TRUE(pump());
        ASSERT_EQ(events.types(), std::vector<int>{kListFailed});
        EXPECT_EQ(events.warnings().at(0)->getParameters().at(1), answer);
        EXPECT_TRUE(client->getGeoEnrichmentCountryResults().empty());
    }
    const char* badVariables[] = {
        "{\"DataCollections\":7}",
        "{\"DataCollections\":[7]}",
        "{\"DataCollections\":[{\"dataCollectionID\":1}]}",
        "{\"DataCollections\":[{\"metadata\":[]}]}",
        "{\"DataCollections\":[{\"metadata\":{\"title\":5}}]}",
        "{\"DataCollections\":[{\"metadata\":{\"shortDescription\":true}}]}",
        "{\"DataCollections\":[{\"metadata\":{\"longDescription\":[]}}]}",
        "{\"DataCollections\":[{\"metadata\":{\"hierarchies\":5}}]}",
        "{\"DataCollections\":[{\"metadata\":{\"categories\":{}}}]}",
        "{\"DataCollections\":[{\"metadata\":{\"categories\":[\"x\"]}}]}",
        "{\"DataCollections\":[{\"metadata\":{\"categories\":[{\"id\":1}]}}]}",
        "{\"DataCollections\":[{\"data\":{}}]}",
        "{\"DataCollections\":[{\"data\":[1]}]}",
        "{\"DataCollections\":[{\"data\":[{\"id\":1}]}]}",
        "{\"DataCollections\":[{\"data\":[{\"fieldCategory\":[]}]}]}",
        "{\"DataCollections\":[{\"data\":[{\"type\":0}]}]}",
        "{\"DataCollections\":[{\"data\":[{\"hideInDataBrowser\":\"no\"}]}]}",
        "{\"DataCollections\":[{\"data\":[{\"alias\":false}]}]}",
        "{\"DataCollections\":[{\"data\":[{\"popularity\":\"high\"}]}]}",
        "{\"DataCollections\":[{\"data\":[{\"description\":{}}]}]}",
        "{\"error\":{\"code\":400}}",
        "{\"DataCollections\":[]",
    };
    for (const char* answer : badVariables) {
        SCOPED_TRACE(answer);
        server.answer("POST", collectionsPath("US"), 200, answer);
        events.clear();
        client->getCountryVariables("US");
        ASSERT_TRUE(pump());
        ASSERT_EQ(events.types(), std::vector<int>{kVarsFailed});
        EXPECT_TRUE(client->getGeoEnrichmentCountryVariablesResultModels().empty());
        EXPECT_EQ(client->getGeoEnrichmentCountryVariablesResults(), "{\"categories\":[]}");
    }
    server.answer("POST", Self::COUNTRIES_PATH, 502, "Bad Gateway");
    events.clear();
    client->getCountryList();
    ASSERT_TRUE(pump());
    EXPECT_EQ(events.types(), std::vector<int>{kListFailed});
    EXPECT_EQ(events.warnings().at(0)->getParameters().at(1), "Bad Gateway");
}

TEST_F(GeoEnrichmentTest, CountryIdsAreEncodedAndAnEmptyOneIsRefused) {
    client->getCountryVariables("U S/../x?y");
    ASSERT_TRUE(pump());
    auto all = server.requests();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].target, std::string(Self::DATA_COLLECTIONS_PATH) + "U%20S%2F..%2Fx%3Fy");

    events.clear();
    client->getCountryVariables("");
    ASSERT_EQ(events.types(), std::vector<int>{kVarsFailed});
    EXPECT_EQ(events.warnings().at(0)->getKey(), "EsriGeoEnrichmentServices.InvalidCountry.txt");
    ASSERT_TRUE(pump());
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(GeoEnrichmentTest, ALaterRequestSupersedesTheOutstandingOne) {
    server.answer("POST", collectionsPath("DE"), 200,
                  R"({"DataCollections":[{"dataCollectionID":"DE1","metadata":{"title":"German","categories":[{"id":"de"}]}}]})");
    client->getCountryVariables("US");
    client->getCountryVariables("DE");
    client->getCountryList();
    ASSERT_TRUE(pump());
    EXPECT_EQ(events.count(kVarsReady), 1u);
    EXPECT_EQ(events.count(kListReady), 1u);
    ASSERT_EQ(client->getGeoEnrichmentCountryVariablesResultModels().size(), 1u);
    EXPECT_EQ(client->getGeoEnrichmentCountryVariablesResultModels()[0]->getName(), "de");
}

TEST_F(GeoEnrichmentTest, AClientDestroyedWithRequestsInFlightGetsNothing) {
    int delivered = 0;
    {
        auto doomed = Self::create();
        for (int type : {kListReady, kListFailed, kVarsReady, kVarsFailed})
            doomed->addEventListener(
                type, FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) { ++delivered; }));
        doomed->getCountryList();
        doomed->getCountryVariables("US");
    }
    ASSERT_TRUE(pump());
    EXPECT_EQ(delivered, 0);
    EXPECT_EQ(server.requests().size(), 2u);
}
