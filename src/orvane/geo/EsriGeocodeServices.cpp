// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/EsriGeocodeServices.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/net/NetworkManager.h"
#include "orvane/host/net/URL.h"
#include "orvane/geo/EsriJsonReader.h"
#include "orvane/geo/EsriRequest.h"
#include "orvane/geo/GeoJsonText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

namespace orvane {

namespace {

constexpr const char* kSource = "orvane/geo/EsriGeocodeServices";
constexpr const char* kWarningName = "EsriGeocodeServicesError";
constexpr const char* kEsriErrorKey = "EsriGeocodeServices.EsriError.txt";
constexpr const char* kInvalidInputsKey = "EsriGeocodeServices.InvalidInputs.txt";
constexpr const char* kInvalidLocationKey = "EsriGeocodeServices.InvalidLocation.txt";

using Value = EsriJsonReader::Value;

// The text of a reverse-geocoding "address": a plain text, or the address
// object of the service, read by its matched-address fields.
bool readReverseAddress(EsriJsonReader& r, const Value& root, std::string& out) {
    const Value* v = EsriJsonReader::member(root, EsriGeocodeServices::ADDRESS);
    if (!v) return true;
    if (v->IsString()) {
        out = EsriJsonReader::text(*v);
        return true;
    }
    if (!v->IsObject()) return r.fail("\"address\" is neither a text nor an object");
    for (const char* key : {"Match_addr", "LongLabel", "Address"}) {
        std::string s;
        if (!r.string(*v, key, s)) return false;
        if (!s.empty()) {
            out = std::move(s);
            return true;
        }
    }
    return true;
}

} // namespace

const char* const EsriGeocodeServices::LOCATIONS = "locations";
const char* const EsriGeocodeServices::ADDRESS = "address";
const char* const EsriGeocodeServices::LOCATION = "location";
const char* const EsriGeocodeServices::X = "x";
const char* const EsriGeocodeServices::Y = "y";
const char* const EsriGeocodeServices::SCORE = "score";
const char* const EsriGeocodeServices::ATTRIBUTES = "attributes";
const char* const EsriGeocodeServices::RESULTID = "ResultID";
const char* const EsriGeocodeServices::RESPONSE_ERROR = "error";

EsriGeocodeServices::EsriGeocodeServices() : results_(std::make_shared<std::vector<std::shared_ptr<GeocodeInfo>>>()) {}

EsriGeocodeServices::~EsriGeocodeServices() = default;

std::shared_ptr<EsriGeocodeServices> EsriGeocodeServices::create() { return std::make_shared<EsriGeocodeServices>(); }

std::shared_ptr<EsriGeocodeServices> EsriGeocodeServices::create(int batchSize) {
    auto client = create();
    if (batchSize < 1)
        ORVANE_LOG(CLog::ERRORS, kSource,
                   "batch size " + std::to_string(batchSize) + " refused; using " + std::to_string(DEFAULT_BATCH_SIZE));
    else
        client->batchSize_ = batchSize;
    return client;
}

std::string EsriGeocodeServices::getServiceRoot() const {
    return EsriRequest::serviceRoot(serviceRoot_, SERVICE_NAME, DEFAULT_SERVICE_ROOT);
}

// ------------------------------------------------------------------ requests

std::string EsriGeocodeServices::buildGeocodeBody(const std::vector<std::pair<int, std::string_view>>& records,
                                                  const std::string& token) {
    std::string json;
    size_t estimate = 16;
    for (const auto& r : records) estimate += r.second.size() + 52;
    json.reserve(estimate);
    json += "{\"records\":[";
    bool first = true;
    for (const auto& [id, address] : records) {
        if (!first) json += ',';
        first = false;
        json += "{\"attributes\":{\"OBJECTID\":";
        json += std::to_string(id);
        json += ",\"SingleLine\":\"";
        GeoJsonText::appendEscaped(json, address);
        json += "\"}}";
    }
    json += "] }";
    std::string body;
    body.reserve(json.size() * 2 + token.size() + 32);
    body += "addresses=";
    body += URL::encodeComponent(json);
    body += "&token=";
    body += URL::encodeComponent(token);
    body += "&f=json";
    return body;
}

std::string EsriGeocodeServices::buildReverseGeocodeBody(float x, float y) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(10);
    out << "location=" << x << "," << y << "&f=json";
    return out.str();
}

void EsriGeocodeServices::startRun() {
    pending_.clear();
    pendingRequestCount_ = 0;
    failed_ = false;
    nextObjectId_ = 0;
    results_ = std::make_shared<std::vector<std::shared_ptr<GeocodeInfo>>>();
}

bool EsriGeocodeServices::send(const std::string& url, std::string body, Kind kind) {
    auto event = EsriRequest::createPost(url, std::move(body));
    if (!EsriRequest::listen(*this, *event,
                             kind == Kind::GEOCODE ? &EsriGeocodeServices::receiveGeocodeResponse
                                                   : &EsriGeocodeServices::receiveReverseGeocodeResponse,
                             kSource))
        return false;
    pending_[event.get()] = Pending{event, kind};
    ++pendingRequestCount_;
    NetworkManager::processNetworkRequest(event);
    return true;
}

void EsriGeocodeServices::geocode(const Addresses& addresses, const ObjectIds& objectIds, const std::string& token) {
    const std::string url = getServiceRoot() + GEOCODE_PATH;
    const size_t count = addresses ? addresses->size() : 0;
    if (objectIds && objectIds->size() != count) {
        fail(GEOCODE_FAILED, kInvalidInputsKey, url,
             std::to_string(count) + " address(es) but " + std::to_string(objectIds->size()) + " object id(s)");
        return;
    }
    startRun();
    token_ = token;
    if (count == 0) {
        dispatchEvent(PortableEvent::create(GEOCODE_READY));
        return;
    }
    static const std::string empty;
    std::vector<std::pair<int, std::string_view>> records;
    records.reserve(static_cast<size_t>(std::min<size_t>(count, static_cast<size_t>(batchSize_))));
    for (size_t begin = 0; begin < count; begin += static_cast<size_t>(batchSize_)) {
        const size_t end = std::min(count, begin + static_cast<size_t>(batchSize_));
        records.clear();
        for (size_t i = begin; i < end; ++i) {
            const auto& a = (*addresses)[i];
            int id = objectIds ? (*objectIds)[i] : nextObjectId_++;
            records.emplace_back(id, a ? std::string_view(*a) : std::string_view(empty));
        }
        if (!send(url, buildGeocodeBody(records, token), Kind::GEOCODE)) {
            failed_ = true;
            return;
        }
    }
}

void EsriGeocodeServices::geocode(const std::vector<std::string>& addresses, const std::string& token) {
    auto list = std::make_shared<std::vector<std::shared_ptr<const std::string>>>();
    list->reserve(addresses.size());
    for (const auto& a : addresses) list->push_back(std::make_shared<const std::string>(a));
    geocode(list, nullptr, token);
}

void EsriGeocodeServices::reverseGeocode(float x, float y) {
    const std::string url = getServiceRoot() + REVERSE_GEOCODE_PATH;
    std::string body = buildReverseGeocodeBody(x, y);
    if (!std::isfinite(x) || !std::isfinite(y)) {
        fail(REVERSE_GEOCODE_FAILED, kInvalidLocationKey, url, body);
        return;
    }
    startRun();
    if (!send(url, std::move(body), Kind::REVERSE)) failed_ = true;
}

// ------------------------------------------------------------------ answers

bool EsriGeocodeServices::takePending(const std::shared_ptr<NetworkDataEvent>& event, Kind kind) {
    auto it = pending_.find(event.get());
    if (it == pending_.end() || it->second.event.lock() != event || it->second.kind != kind) {
        ORVANE_LOG(CLog::INFO, kSource, "answer of an abandoned run ignored: " + event->getURLString());
        return false;
    }
    pending_.erase(it);
    --pendingRequestCount_;
    return true;
}

void EsriGeocodeServices::fail(int eventType, const std::string& key, const std::string& url,
                               const std::string& text) {
    EsriRequest::reportWarning(*this, eventType, ESRI_GEOCODE_SERVICES_ERROR, kWarningName, key, url, text);
}

void EsriGeocodeServices::fail(int eventType, const NetworkDataEvent& answer) {
    failed_ = true;
    fail(eventType, kEsriErrorKey, answer.getURLString(), EsriRequest::answerText(answer));
}

void EsriGeocodeServices::receiveGeocodeResponse(const std::shared_ptr<PortableEvent>& e) {
    auto event = std::dynamic_pointer_cast<NetworkDataEvent>(e);
    if (!event || !takePending(event, Kind::GEOCODE)) return;
    // A listener may start a new run while a failure is being reported.
    const auto run = results_;
    if (auto answer = EsriRequest::readAnswer(*event, &parseGeocodeAnswer, kSource, "geocoding failed")) {
        results_->insert(results_->end(), std::make_move_iterator(answer->results.begin()),
                         std::make_move_iterator(answer->results.end()));
    } else {
        fail(GEOCODE_FAILED, *event);
    }
    if (run == results_ && pendingRequestCount_ == 0 && !failed_) dispatchEvent(PortableEvent::create(GEOCODE_READY));
}

void EsriGeocodeServices::receiveReverseGeocodeResponse(const std::shared_ptr<PortableEvent>& e) {
    auto event = std::dynamic_pointer_cast<NetworkDataEvent>(e);
    if (!event || !takePending(event, Kind::REVERSE)) return;
    auto answer = EsriRequest::readAnswer(*event, &parseReverseGeocodeAnswer, kSource, "reverse geocoding failed");
    if (!answer) {
        fail(REVERSE_GEOCODE_FAILED, *event);
        return;
    }
    results_->insert(results_->end(), answer->results.begin(), answer->results.end());
    dispatchEvent(PortableEvent::create(REVERSE_GEOCODE_READY));
}

EsriGeocodeServices::Answer EsriGeocodeServices::parseGeocodeAnswer(std::string_view body) {
    Answer a;
    EsriJsonReader r;
    if (!r.parse(body)) {
        a.problem = r.problem();
        return a;
    }
    const Value& root = r.root();
    const Value* locations = r.array(root, LOCATIONS);
    if (!locations) {
        if (r.ok() && EsriJsonReader::member(root, RESPONSE_ERROR)) {
            a.esriError = true;
            a.problem = "the service answered with an error";
        } else {
            a.problem = r.ok() ? "the answer has no \"locations\"" : r.problem();
        }
        return a;
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    a.results.reserve(locations->Size());
    for (const Value& loc : locations->GetArray()) {
        if (!loc.IsObject()) {
            a.problem = "a location is not an object";
            a.results.clear();
            return a;
        }
        std::string address;
        double x = nan, y = nan;
        int score = 0, id = 0;
        r.string(loc, ADDRESS, address);
        if (const Value* point = r.object(loc, LOCATION)) {
            r.number(*point, X, x);
            r.number(*point, Y, y);
        }
        r.roundedInteger(loc, SCORE, score);
        const Value* attributes = r.object(loc, ATTRIBUTES);
        if (r.ok() && !(attributes && EsriJsonReader::member(*attributes, RESULTID)))
            r.fail("a location has no \"attributes\".\"ResultID\"");
        if (attributes) r.integer(*attributes, RESULTID, id);
        if (!r.ok()) {
            a.problem = r.problem();
            a.results.clear();
            return a;
        }
        a.results.push_back(GeocodeInfo::create(EsriJsonReader::toFloat(x), EsriJsonReader::toFloat(y),
                                                std::make_shared<const std::string>(std::move(address)), id, score));
    }
    a.ok = true;
    return a;
}

EsriGeocodeServices::Answer EsriGeocodeServices::parseReverseGeocodeAnswer(std::string_view body) {
    Answer a;
    EsriJsonReader r;
    if (!r.parseAnswer(body, a.esriError, a.problem)) return a;
    const Value& root = r.root();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    double x = nan, y = nan;
    std::string address;
    const Value* point = r.object(root, LOCATION);
    if (r.ok() && !point) r.fail("the answer has no \"location\"");
    if (point) {
        r.number(*point, X, x);
        r.number(*point, Y, y);
    }
    readReverseAddress(r, root, address);
    if (!r.ok()) {
        a.problem = r.problem();
        return a;
    }
    a.results.push_back(GeocodeInfo::create(EsriJsonReader::toFloat(x), EsriJsonReader::toFloat(y),
                                            std::make_shared<const std::string>(std::move(address)), 0, 0));
    a.ok = true;
    return a;
}

} // namespace orvane
