// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/net/NetworkDataEvent.h"
#include "orvane/geo/GeoEnrichmentCategory.h"
#include "orvane/geo/GeoEnrichmentCountry.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

/// Client of the Esri geoenrichment service: the list of countries, and the
/// variables available for a country grouped by category, data collection
/// and field category. Completion and failure are events on the client; a new
/// request of one kind supersedes an outstanding one of the same kind.
class ORVANE_EXPORT EsriGeoEnrichmentServices : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10031;

    static constexpr int GEO_ENRICHMENT_COUNTRY_LIST_READY = 20031;
    static constexpr int GEO_ENRICHMENT_COUNTRY_LIST_FAILED = 20032;
    static constexpr int GEO_ENRICHMENT_COUNTRY_VARIABLES_READY = 20033;
    static constexpr int GEO_ENRICHMENT_COUNTRY_VARIABLES_FAILED = 20034;
    static constexpr int ESRI_GEO_ENRICHMENT_SERVICES_ERROR = 20001;

    /// Answer keys.
    static const char* const COUNTRIES;
    static const char* const ID;
    static const char* const ABBR3;
    static const char* const NAME;
    static const char* const HIERARCHIES;
    static const char* const HIERARCHY_ID;
    static const char* const VARIABLES_INFO;
    static const char* const CATEGORIES;
    static const char* const LEVELS_INFO;
    static const char* const GEOGRAPHY_LEVELS;
    static const char* const STD_GEOGRAPHY_ID;
    static const char* const DATA_COLLECTIONS;
    static const char* const DATA_COLLECTION_ID;
    static const char* const METADATA;
    static const char* const TITLE;
    static const char* const SHORT_DESCRIPTION;
    static const char* const LONG_DESCRIPTION;
    static const char* const DATA;
    static const char* const FIELD_CATEGORY;
    static const char* const TYPE;
    static const char* const HIDE_IN_DATA_BROWSER;
    static const char* const ALIAS;
    static const char* const POPULARITY;
    static const char* const DESCRIPTION;
    static const char* const FIELDS;
    static const char* const FIELD_ALIASES;
    static const char* const FEATURES;
    static const char* const FEATURE_SET;
    static const char* const RESULTS;
    static const char* const VALUE;
    static const char* const ATTRIBUTES;
    static const char* const RESPONSE_ERROR;

    static constexpr const char* SERVICE_NAME = "geoenrichment";
    static constexpr const char* DEFAULT_SERVICE_ROOT = "https://geoenrich.arcgis.com";
    static constexpr const char* COUNTRIES_PATH = "/arcgis/rest/services/World/geoenrichmentserver/Geoenrichment/Countries";
    static constexpr const char* DATA_COLLECTIONS_PATH =
        "/arcgis/rest/services/World/geoenrichmentserver/Geoenrichment/DataCollections/";
    static constexpr const char* COUNTRY_VARIABLES_BODY =
        "outFields=[\"id\",\"alias\",\"hideInDataBrowser\",\"description\",\"fieldCategory\",\"type\",\"popularity\"]"
        "&suppressNullValues=true&f=json";

    using Countries = std::vector<std::shared_ptr<GeoEnrichmentCountry>>;
    using Categories = std::vector<std::shared_ptr<GeoEnrichmentCategory>>;

    EsriGeoEnrichmentServices();
    ~EsriGeoEnrichmentServices() override;
    static std::shared_ptr<EsriGeoEnrichmentServices> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    void getCountryList();
    /// An empty country id fails at once (GEO_ENRICHMENT_COUNTRY_VARIABLES_FAILED).
    void getCountryVariables(const std::string& countryId);

    const Countries& getGeoEnrichmentCountryResults() const { return countries_; }
    /// {"categories":[…]} with every text escaped.
    std::string getGeoEnrichmentCountryVariablesResults() const;
    const Categories& getGeoEnrichmentCountryVariablesResultModels() const { return categories_; }

    /// Esri field type to variable type, case-insensitively: Double and Single
    /// are "decimal", Int and SmallInteger "integer", Date "date", the rest "string".
    static std::string getVariableType(std::string_view esriFieldType);

    /// Outstanding requests (at most one of each kind).
    int getPendingRequestCount() const { return (countryRequest_ ? 1 : 0) + (variablesRequest_ ? 1 : 0); }

    std::string getServiceRoot() const;
    void setServiceRoot(const std::string& root) { serviceRoot_ = root; }

    void receiveCountryListResponse(const std::shared_ptr<PortableEvent>& event);
    void receiveCountryVariablesResponse(const std::shared_ptr<PortableEvent>& event);

    /// Answer parsers, usable without a network (tools, fuzzing).
    struct CountryListAnswer {
        bool ok = false;
        bool esriError = false;
        std::string problem;
        Countries countries;
    };
    struct VariablesAnswer {
        bool ok = false;
        bool esriError = false;
        std::string problem;
        Categories categories;
    };
    static CountryListAnswer parseCountryListAnswer(std::string_view body);
    static VariablesAnswer parseCountryVariablesAnswer(std::string_view body);
    /// The JSON text of a category tree, as getGeoEnrichmentCountryVariablesResults writes it.
    static std::string writeCategoriesJSON(const Categories& categories);

private:
    std::shared_ptr<NetworkDataEvent> send(const std::string& url, std::string body,
                                           void (EsriGeoEnrichmentServices::*receive)(const std::shared_ptr<PortableEvent>&));
    /// True when the answer is the outstanding request of its kind (and clears it).
    static bool take(const NetworkDataEvent*& slot, const std::shared_ptr<NetworkDataEvent>& event);
    /// Reports a failed or unusable answer.
    void fail(int eventType, const NetworkDataEvent& answer);
    void fail(int eventType, const std::string& key, const std::string& url, const std::string& text);

    Countries countries_;
    Categories categories_;
    /// The outstanding request of each kind; compared by identity only. The
    /// network manager keeps an event alive until its answer is dispatched,
    /// so a slot never matches a different, later event at the same address.
    const NetworkDataEvent* countryRequest_ = nullptr;
    const NetworkDataEvent* variablesRequest_ = nullptr;
    std::string serviceRoot_;
};

} // namespace orvane
