// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/EsriGeoEnrichmentServices.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/net/NetworkManager.h"
#include "orvane/host/net/URL.h"
#include "orvane/geo/EsriJsonReader.h"
#include "orvane/geo/EsriRequest.h"
#include "orvane/geo/GeoJsonText.h"

#include <unordered_map>

namespace orvane {

namespace {

constexpr const char* kSource = "orvane/geo/EsriGeoEnrichmentServices";
constexpr const char* kWarningName = "EsriGeoEnrichmentServicesError";
constexpr const char* kEsriErrorKey = "EsriGeoEnrichmentServices.EsriError.txt";
constexpr const char* kInvalidCountryKey = "EsriGeoEnrichmentServices.InvalidCountry.txt";

using Value = EsriJsonReader::Value;
using Self = EsriGeoEnrichmentServices;

// Appends the string entries of an array member (other entries are skipped).
void collectStrings(EsriJsonReader& r, const Value& obj, const char* key, std::vector<std::string>& out) {
    if (const Value* list = r.array(obj, key))
        for (const Value& v : list->GetArray())
            if (v.IsString()) out.push_back(EsriJsonReader::text(v));
}

// True when a collection's metadata places it in the landscape hierarchy
// only; a collection that names the census hierarchy stays with the census.
bool readLandscape(EsriJsonReader& r, const Value& metadata) {
    const Value* h = EsriJsonReader::member(metadata, Self::HIERARCHIES);
    if (!h) return false;
    if (h->IsString()) return EsriJsonReader::equalsIgnoringCase(*h, "landscape");
    if (!h->IsArray()) {
        r.fail("\"hierarchies\" of a data collection is neither a text nor an array");
        return false;
    }
    bool landscape = false, census = false;
    for (const Value& v : h->GetArray()) {
        landscape = landscape || EsriJsonReader::equalsIgnoringCase(v, "landscape");
        census = census || EsriJsonReader::equalsIgnoringCase(v, "census");
    }
    return landscape && !census;
}

// Categories of one hierarchy in order of first appearance.
struct CategoryGroup {
    Self::Categories list;
    std::unordered_map<std::string, size_t> index;

    std::shared_ptr<GeoEnrichmentCategory>& find(const std::string& id, const std::string& label,
                                                 const std::string& description) {
        auto [it, added] = index.emplace(id, list.size());
        if (added) list.push_back(GeoEnrichmentCategory::create(id, label, description, {}));
        return list[it->second];
    }
};

} // namespace

const char* const Self::COUNTRIES = "countries";
const char* const Self::ID = "id";
const char* const Self::ABBR3 = "abbr3";
const char* const Self::NAME = "name";
const char* const Self::HIERARCHIES = "hierarchies";
const char* const Self::HIERARCHY_ID = "ID";
const char* const Self::VARIABLES_INFO = "variablesInfo";
const char* const Self::CATEGORIES = "categories";
const char* const Self::LEVELS_INFO = "levelsInfo";
const char* const Self::GEOGRAPHY_LEVELS = "geographyLevels";
const char* const Self::STD_GEOGRAPHY_ID = "StdGeographyID";
const char* const Self::DATA_COLLECTIONS = "DataCollections";
const char* const Self::DATA_COLLECTION_ID = "dataCollectionID";
const char* const Self::METADATA = "metadata";
const char* const Self::TITLE = "title";
const char* const Self::SHORT_DESCRIPTION = "shortDescription";
const char* const Self::LONG_DESCRIPTION = "longDescription";
const char* const Self::DATA = "data";
const char* const Self::FIELD_CATEGORY = "fieldCategory";
const char* const Self::TYPE = "type";
const char* const Self::HIDE_IN_DATA_BROWSER = "hideInDataBrowser";
const char* const Self::ALIAS = "alias";
const char* const Self::POPULARITY = "popularity";
const char* const Self::DESCRIPTION = "description";
const char* const Self::FIELDS = "fields";
const char* const Self::FIELD_ALIASES = "fieldAliases";
const char* const Self::FEATURES = "features";
const char* const Self::FEATURE_SET = "FeatureSet";
const char* const Self::RESULTS = "results";
const char* const Self::VALUE = "value";
const char* const Self::ATTRIBUTES = "attributes";
const char* const Self::RESPONSE_ERROR = "error";

EsriGeoEnrichmentServices::EsriGeoEnrichmentServices() = default;

EsriGeoEnrichmentServices::~EsriGeoEnrichmentServices() = default;

std::shared_ptr<EsriGeoEnrichmentServices> EsriGeoEnrichmentServices::create() {
    return std::make_shared<EsriGeoEnrichmentServices>();
}

std::string EsriGeoEnrichmentServices::getServiceRoot() const {
    return EsriRequest::serviceRoot(serviceRoot_, SERVICE_NAME, DEFAULT_SERVICE_ROOT);
}

std::string EsriGeoEnrichmentServices::getVariableType(std::string_view t) {
    if (EsriJsonReader::equalsIgnoringCase(t, "esriFieldTypeDouble") ||
        EsriJsonReader::equalsIgnoringCase(t, "esriFieldTypeSingle"))
        return "decimal";
    if (EsriJsonReader::equalsIgnoringCase(t, "esriFieldTypeInt") ||
        EsriJsonReader::equalsIgnoringCase(t, "esriFieldTypeSmallInteger"))
        return "integer";
    if (EsriJsonReader::equalsIgnoringCase(t, "esriFieldTypeDate")) return "date";
    return "string";
}

// ------------------------------------------------------------------ requests

std::shared_ptr<NetworkDataEvent> EsriGeoEnrichmentServices::send(
    const std::string& url, std::string body, void (Self::*receive)(const std::shared_ptr<PortableEvent>&)) {
    auto event = EsriRequest::createPost(url, std::move(body));
    if (!EsriRequest::listen(*this, *event, receive, kSource)) return nullptr;
    NetworkManager::processNetworkRequest(event);
    return event;
}

void EsriGeoEnrichmentServices::getCountryList() {
    countries_.clear();
    auto event = send(getServiceRoot() + COUNTRIES_PATH, "f=json", &Self::receiveCountryListResponse);
    countryRequest_ = event.get();
}

void EsriGeoEnrichmentServices::getCountryVariables(const std::string& countryId) {
    const std::string url = getServiceRoot() + DATA_COLLECTIONS_PATH + URL::encodeComponent(countryId);
    if (countryId.empty()) {
        fail(GEO_ENRICHMENT_COUNTRY_VARIABLES_FAILED, kInvalidCountryKey, url, "");
        return;
    }
    categories_.clear();
    auto event = send(url, COUNTRY_VARIABLES_BODY, &Self::receiveCountryVariablesResponse);
    variablesRequest_ = event.get();
}

// ------------------------------------------------------------------ answers

bool EsriGeoEnrichmentServices::take(const NetworkDataEvent*& slot, const std::shared_ptr<NetworkDataEvent>& event) {
    if (!event) return false;
    if (slot != event.get()) {
        ORVANE_LOG(CLog::INFO, kSource, "answer of a superseded request ignored: " + event->getURLString());
        return false;
    }
    slot = nullptr;
    return true;
}

void EsriGeoEnrichmentServices::fail(int eventType, const NetworkDataEvent& answer) {
    fail(eventType, kEsriErrorKey, answer.getURLString(), EsriRequest::answerText(answer));
}

void EsriGeoEnrichmentServices::fail(int eventType, const std::string& key, const std::string& url,
                                     const std::string& text) {
    EsriRequest::reportWarning(*this, eventType, ESRI_GEO_ENRICHMENT_SERVICES_ERROR, kWarningName, key, url, text);
}

void EsriGeoEnrichmentServices::receiveCountryListResponse(const std::shared_ptr<PortableEvent>& e) {
    auto event = std::dynamic_pointer_cast<NetworkDataEvent>(e);
    if (!take(countryRequest_, event)) return;
    auto answer = EsriRequest::readAnswer(*event, &parseCountryListAnswer, kSource, "country list failed");
    if (!answer) {
        fail(GEO_ENRICHMENT_COUNTRY_LIST_FAILED, *event);
        return;
    }
    countries_ = std::move(answer->countries);
    dispatchEvent(PortableEvent::create(GEO_ENRICHMENT_COUNTRY_LIST_READY));
}

void EsriGeoEnrichmentServices::receiveCountryVariablesResponse(const std::shared_ptr<PortableEvent>& e) {
    auto event = std::dynamic_pointer_cast<NetworkDataEvent>(e);
    if (!take(variablesRequest_, event)) return;
    auto answer = EsriRequest::readAnswer(*event, &parseCountryVariablesAnswer, kSource, "country variables failed");
    if (!answer) {
        fail(GEO_ENRICHMENT_COUNTRY_VARIABLES_FAILED, *event);
        return;
    }
    categories_ = std::move(answer->categories);
    dispatchEvent(PortableEvent::create(GEO_ENRICHMENT_COUNTRY_VARIABLES_READY));
}

EsriGeoEnrichmentServices::CountryListAnswer EsriGeoEnrichmentServices::parseCountryListAnswer(std::string_view body) {
    CountryListAnswer a;
    EsriJsonReader r;
    if (!r.parseAnswer(body, a.esriError, a.problem)) return a;
    const Value& root = r.root();
    const Value* countries = r.array(root, COUNTRIES);
    if (!countries) {
        a.problem = r.ok() ? "the answer has no \"countries\"" : r.problem();
        return a;
    }
    for (const Value& c : countries->GetArray()) {
        if (!c.IsObject()) {
            r.fail("a country is not an object");
            break;
        }
        std::string id, id3, name;
        r.string(c, ID, id);
        r.string(c, ABBR3, id3);
        r.string(c, NAME, name);
        auto categories = std::make_shared<std::vector<std::string>>();
        auto levels = std::make_shared<std::vector<std::string>>();
        if (const Value* hierarchies = r.array(c, HIERARCHIES)) {
            for (const Value& h : hierarchies->GetArray()) {
                if (!h.IsObject()) {
                    r.fail("a hierarchy is not an object");
                    break;
                }
                std::string hid;
                if (!r.string(h, HIERARCHY_ID, hid) || !EsriJsonReader::equalsIgnoringCase(hid, "census")) continue;
                if (const Value* info = r.object(h, VARIABLES_INFO)) collectStrings(r, *info, CATEGORIES, *categories);
                if (const Value* info = r.object(h, LEVELS_INFO)) collectStrings(r, *info, GEOGRAPHY_LEVELS, *levels);
                break;
            }
        }
        if (!r.ok()) break;
        a.countries.push_back(GeoEnrichmentCountry::create(std::move(id), std::move(id3), std::move(name),
                                                           std::move(categories), std::move(levels)));
    }
    if (!r.ok()) {
        a.problem = r.problem();
        a.countries.clear();
        return a;
    }
    a.ok = true;
    return a;
}

EsriGeoEnrichmentServices::VariablesAnswer EsriGeoEnrichmentServices::parseCountryVariablesAnswer(
    std::string_view body) {
    VariablesAnswer a;
    EsriJsonReader r;
    if (!r.parseAnswer(body, a.esriError, a.problem)) return a;
    const Value& root = r.root();
    const Value* collections = r.array(root, DATA_COLLECTIONS);
    if (!collections) {
        a.problem = r.ok() ? "the answer has no \"DataCollections\"" : r.problem();
        return a;
    }
    CategoryGroup census, landscape;
    for (const Value& c : collections->GetArray()) {
        if (!c.IsObject()) {
            r.fail("a data collection is not an object");
            break;
        }
        std::string id, title, shortDescription, longDescription;
        r.string(c, DATA_COLLECTION_ID, id);
        const Value* metadata = r.object(c, METADATA);
        bool isLandscape = false;
        struct CategoryRef {
            std::string id, name, description;
        };
        std::vector<CategoryRef> refs;
        if (metadata) {
            r.string(*metadata, TITLE, title);
            r.string(*metadata, SHORT_DESCRIPTION, shortDescription);
            r.string(*metadata, LONG_DESCRIPTION, longDescription);
            isLandscape = readLandscape(r, *metadata);
            if (const Value* cats = r.array(*metadata, CATEGORIES)) {
                for (const Value& cat : cats->GetArray()) {
                    if (!cat.IsObject()) {
                        r.fail("a category is not an object");
                        break;
                    }
                    CategoryRef ref;
                    r.string(cat, ID, ref.id);
                    r.string(cat, NAME, ref.name);
                    r.string(cat, DESCRIPTION, ref.description);
                    if (ref.id.empty()) ref.id = ref.name;
                    refs.push_back(std::move(ref));
                }
            }
        }
        // Variables by field category, in order of first appearance.
        auto collection = GeoEnrichmentDataCollection::create(id, title, shortDescription, longDescription, {});
        std::unordered_map<std::string, std::shared_ptr<GeoEnrichmentFieldCategory>> fieldCategories;
        if (const Value* data = r.array(c, DATA)) {
            for (const Value& v : data->GetArray()) {
                if (!v.IsObject()) {
                    r.fail("a variable is not an object");
                    break;
                }
                std::string name, fieldCategory, type, alias, description;
                bool hidden = false;
                int popularity = 0;
                r.string(v, ID, name);
                r.string(v, FIELD_CATEGORY, fieldCategory);
                r.string(v, TYPE, type);
                r.boolean(v, HIDE_IN_DATA_BROWSER, hidden);
                r.string(v, ALIAS, alias);
                r.roundedInteger(v, POPULARITY, popularity);
                r.string(v, DESCRIPTION, description);
                if (!r.ok()) break;
                if (hidden) continue;
                auto& group = fieldCategories[fieldCategory];
                if (!group) {
                    group = GeoEnrichmentFieldCategory::create(fieldCategory, {});
                    collection->addSubCategory(group);
                }
                group->addVariable(GeoEnrichmentVariable::create(std::move(name), std::move(alias),
                                                                 std::move(description), getVariableType(type),
                                                                 popularity));
            }
        }
        if (!r.ok()) break;
        // A collection without categories stands for a category of its own.
        if (refs.empty()) refs.push_back({id, title, shortDescription});
        CategoryGroup& group = isLandscape ? landscape : census;
        for (const auto& ref : refs) group.find(ref.id, ref.name, ref.description)->addDataCollection(collection);
    }
    if (!r.ok()) {
        a.problem = r.problem();
        return a;
    }
    a.categories = std::move(census.list);
    a.categories.insert(a.categories.end(), landscape.list.begin(), landscape.list.end());
    a.ok = true;
    return a;
}

std::string EsriGeoEnrichmentServices::writeCategoriesJSON(const Categories& categories) {
    std::string out = "{\"categories\":";
    GeoJsonText::appendArray(out, categories);
    out += '}';
    return out;
}

std::string EsriGeoEnrichmentServices::getGeoEnrichmentCountryVariablesResults() const {
    return writeCategoriesJSON(categories_);
}

} // namespace orvane
