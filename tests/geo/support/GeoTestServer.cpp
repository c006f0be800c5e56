// SPDX-License-Identifier: Apache-2.0
#include "GeoTestServer.h"

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace orvane::test {

namespace {

constexpr const char* kGeocodePath = "/arcgis/rest/services/World/GeocodeServer/geocodeAddresses";
constexpr const char* kReversePath = "/arcgis/rest/services/World/GeocodeServer/reverseGeocode";
constexpr const char* kCountriesPath = "/arcgis/rest/services/World/geoenrichmentserver/Geoenrichment/Countries";
constexpr const char* kCollectionsPath =
    "/arcgis/rest/services/World/geoenrichmentserver/Geoenrichment/DataCollections/";

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Form decoding as a web server does it: '&' separates fields, the first '='
// splits name and value, '+' is a space and %XX a byte.
std::string formDecode(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '+') {
            out += ' ';
        } else if (s[i] == '%' && i + 2 < s.size() && hexDigit(s[i + 1]) >= 0 && hexDigit(s[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(s[i + 1]) * 16 + hexDigit(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

void parseForm(const std::string& body, std::multimap<std::string, std::string>& params) {
    size_t start = 0;
    while (start <= body.size()) {
        size_t amp = body.find('&', start);
        std::string field = body.substr(start, amp == std::string::npos ? std::string::npos : amp - start);
        if (!field.empty()) {
            size_t eq = field.find('=');
            params.emplace(formDecode(field.substr(0, eq)),
                           eq == std::string::npos ? std::string() : formDecode(field.substr(eq + 1)));
        }
        if (amp == std::string::npos) break;
        start = amp + 1;
    }
}

std::string esriError(int code, const std::string& message) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    w.StartObject();
    w.Key("error");
    w.StartObject();
    w.Key("code");
    w.Int(code);
    w.Key("message");
    w.String(message.c_str(), static_cast<rapidjson::SizeType>(message.size()));
    w.Key("details");
    w.StartArray();
    w.EndArray();
    w.EndObject();
    w.EndObject();
    return buffer.GetString();
}

struct Place {
    std::string input, address;
    double x, y, score;
};

const std::vector<Place>& gazetteer() {
    static const std::vector<Place> places = [] {
        std::vector<Place> out;
        rapidjson::Document d;
        std::string text = GeoTestServer::recorded("gazetteer.json");
        d.Parse(text.c_str());
        if (d.IsObject() && d.HasMember("entries") && d["entries"].IsArray())
            for (const auto& e : d["entries"].GetArray())
                out.push_back({e["input"].GetString(), e["address"].GetString(), e["x"].GetDouble(),
                               e["y"].GetDouble(), e["score"].GetDouble()});
        return out;
    }();
    return places;
}

// Answers geocodeAddresses like the service: one location per record, the
// record's OBJECTID as ResultID; addresses outside the gazetteer unmatched.
void geocodeAddresses(const GeoTestServer::Request& req, httplib::Response& res) {
    if (req.get_param_value("token") == "expired") {
        res.set_content(GeoTestServer::recorded("error_invalid_token.json"), "application/json");
        return;
    }
    rapidjson::Document d;
    std::string addresses = req.get_param_value("addresses");
    d.Parse(addresses.c_str(), addresses.size());
    if (d.HasParseError() || !d.IsObject() || !d.HasMember("records") || !d["records"].IsArray()) {
        res.set_content(esriError(400, "Unable to complete operation: invalid addresses"), "application/json");
        return;
    }
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    w.StartObject();
    w.Key("spatialReference");
    w.StartObject();
    w.Key("wkid");
    w.Int(4326);
    w.Key("latestWkid");
    w.Int(4326);
    w.EndObject();
    w.Key("locations");
    w.StartArray();
    for (const auto& record : d["records"].GetArray()) {
        const rapidjson::Value* attributes = record.IsObject() && record.HasMember("attributes") ? &record["attributes"] : nullptr;
        if (!attributes || !attributes->IsObject() || !attributes->HasMember("OBJECTID") ||
            !(*attributes)["OBJECTID"].IsInt() || !attributes->HasMember("SingleLine") ||
            !(*attributes)["SingleLine"].IsString()) {
            res.set_content(esriError(400, "Unable to complete operation: invalid record"), "application/json");
            return;
        }
        int id = (*attributes)["OBJECTID"].GetInt();
        const auto& line = (*attributes)["SingleLine"];
        std::string single(line.GetString(), line.GetStringLength());
        const Place* hit = nullptr;
        for (const auto& p : gazetteer())
            if (lower(p.input) == lower(single)) hit = &p;
        w.StartObject();
        w.Key("address");
        w.String(hit ? hit->address.c_str() : "");
        w.Key("location");
        w.StartObject();
        if (hit) {
            w.Key("x");
            w.Double(hit->x);
            w.Key("y");
            w.Double(hit->y);
        } else {
            w.Key("x");
            w.String("NaN");
            w.Key("y");
            w.String("NaN");
        }
        w.EndObject();
        w.Key("score");
        if (hit)
            w.Double(hit->score);
        else
            w.Int(0);
        w.Key("attributes");
        w.StartObject();
        w.Key("ResultID");
        w.Int(id);
        w.Key("Status");
        w.String(hit ? "M" : "U");
        w.EndObject();
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    res.set_content(buffer.GetString(), "application/json");
}

void reverseGeocode(const GeoTestServer::Request& req, httplib::Response& res) {
    std::string location = req.get_param_value("location");
    size_t comma = location.find(',');
    char* end = nullptr;
    double x = comma == std::string::npos ? NAN : std::strtod(location.c_str(), &end);
    double y = comma == std::string::npos ? NAN : std::strtod(location.c_str() + comma + 1, &end);
    if (!std::isfinite(x) || !std::isfinite(y) || gazetteer().empty()) {
        res.set_content(esriError(400, "Cannot perform query. Invalid query parameters."), "application/json");
        return;
    }
    const Place* best = &gazetteer().front();
    for (const auto& p : gazetteer())
        if (std::hypot(p.x - x, p.y - y) < std::hypot(best->x - x, best->y - y)) best = &p;
    if (std::hypot(best->x - x, best->y - y) > 1.0) {
        res.set_content(esriError(400, "Unable to find address for the specified location."), "application/json");
        return;
    }
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    w.StartObject();
    w.Key("address");
    w.StartObject();
    w.Key("Match_addr");
    w.String(best->address.c_str());
    w.Key("LongLabel");
    w.String(best->address.c_str());
    w.EndObject();
    w.Key("location");
    w.StartObject();
    w.Key("x");
    w.Double(best->x);
    w.Key("y");
    w.Double(best->y);
    w.EndObject();
    w.EndObject();
    res.set_content(buffer.GetString(), "application/json");
}

} // namespace

GeoTestServer::GeoTestServer(int port, bool keepAlive) {
    // Enough workers that idle keep-alive connections never starve new ones.
    server_.new_task_queue = [] { return new httplib::ThreadPool(32); };
    server_.set_keep_alive_max_count(keepAlive ? 100000 : 1);
    server_.set_tcp_nodelay(true);  // no Nagle pause between headers and body
    server_.Get(".*", [this](const httplib::Request& req, httplib::Response& res) { handle(req, std::string(), res); });
    // Bodies are read here rather than by the library, which refuses form
    // bodies over a few kilobytes: geocoding batches are larger.
    server_.Post(".*", [this](const httplib::Request& req, httplib::Response& res,
                              const httplib::ContentReader& reader) {
        std::string body;
        reader([&](const char* data, size_t n) {
            body.append(data, n);
            return true;
        });
        handle(req, std::move(body), res);
    });
    if (port == 0) {
        port_ = server_.bind_to_any_port("127.0.0.1");
    } else {
        port_ = server_.bind_to_port("127.0.0.1", port) ? port : -1;
    }
    if (port_ <= 0) {
        port_ = 0;
        return;
    }
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    for (int i = 0; i < 500 && !server_.is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

GeoTestServer::~GeoTestServer() {
    release();
    server_.stop();
    if (thread_.joinable()) thread_.join();
}

std::string GeoTestServer::root() const { return "http://127.0.0.1:" + std::to_string(port_); }

void GeoTestServer::route(const std::string& method, const std::string& path, Handler handler) {
    std::lock_guard<std::mutex> lock(mutex_);
    routes_[{method, path}] = std::move(handler);
}

void GeoTestServer::answer(const std::string& method, const std::string& path, int status, std::string body,
                           std::string contentType) {
    route(method, path, [status, body = std::move(body), contentType](const Request&, httplib::Response& res) {
        res.status = status;
        res.set_content(body, contentType.c_str());
    });
}

void GeoTestServer::serveRecordedServices() {
    route("POST", kGeocodePath, &geocodeAddresses);
    route("POST", kReversePath, &reverseGeocode);
    answer("POST", kCountriesPath, 200, recorded("countries.json"));
    answer("POST", std::string(kCollectionsPath) + "US", 200, recorded("data_collections_US.json"));
    // Every other country: the service's error answer.
    route("POST", "*collections*", [](const Request&, httplib::Response& res) {
        res.set_content(esriError(400, "Invalid country code."), "application/json");
    });
    // The directory: folders from directory_<path>.json, map services from
    // mapservice_<path>.json ("/" written "_").
    route("GET", "*directory*", [](const Request& req, httplib::Response& res) {
        std::string rel = req.path.substr(std::string(DIRECTORY_PATH).size());
        if (!rel.empty() && rel[0] == '/') rel.erase(0, 1);
        std::string file;
        const std::string suffix = "/MapServer";
        if (rel.size() > suffix.size() && rel.compare(rel.size() - suffix.size(), suffix.size(), suffix) == 0) {
            std::string name = rel.substr(0, rel.size() - suffix.size());
            std::replace(name.begin(), name.end(), '/', '_');
            file = "mapservice_" + name + ".json";
        } else {
            std::replace(rel.begin(), rel.end(), '/', '_');
            file = "directory_" + (rel.empty() ? std::string("root") : rel) + ".json";
        }
        if (req.get_param_value("token") == "expired") {
            res.set_content(recorded("error_invalid_token.json"), "application/json");
            return;
        }
        std::string body = recorded(file);
        res.set_content(body.empty() ? esriError(404, "Folder not found.") : body, "application/json");
    });
}

void GeoTestServer::handle(const httplib::Request& req, std::string body, httplib::Response& res) {
    int now = ++active_;
    int peak = peak_.load();
    while (now > peak && !peak_.compare_exchange_weak(peak, now)) {
    }
    Request r;
    r.method = req.method;
    r.path = req.path;
    r.target = req.target;
    r.contentType = req.get_header_value("Content-Type");
    r.body = std::move(body);
    for (const auto& [k, v] : req.params) r.params.emplace(k, v);  // the query, decoded by the library
    if (r.contentType.rfind("application/x-www-form-urlencoded", 0) == 0) parseForm(r.body, r.params);
    Handler handler;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(r);
        auto it = routes_.find({req.method, req.path});
        if (it == routes_.end() && req.method == "POST" && req.path.rfind(kCollectionsPath, 0) == 0)
            it = routes_.find({"POST", "*collections*"});
        if (it == routes_.end() && req.method == "GET" && req.path.rfind(DIRECTORY_PATH, 0) == 0)
            it = routes_.find({"GET", "*directory*"});
        if (it != routes_.end()) handler = it->second;
    }
    if (handler) {
        handler(r, res);
    } else {
        res.status = 404;
        res.set_content("Not Found", "text/plain");
    }
    --active_;
}

std::vector<GeoTestServer::Request> GeoTestServer::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::vector<GeoTestServer::Request> GeoTestServer::requestsTo(const std::string& path) const {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Request> out;
    for (const auto& r : requests_)
        if (r.path == path) out.push_back(r);
    return out;
}

void GeoTestServer::clearRequests() {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.clear();
}

bool GeoTestServer::waitForRelease(double seconds) {
    std::unique_lock<std::mutex> lock(releaseMutex_);
    return releaseCv_.wait_for(lock, std::chrono::duration<double>(seconds), [this] { return released_; });
}

void GeoTestServer::release() {
    {
        std::lock_guard<std::mutex> lock(releaseMutex_);
        released_ = true;
    }
    releaseCv_.notify_all();
}

std::string GeoTestServer::recorded(const std::string& name) {
    std::ifstream in(std::string(GEO_ANSWER_DIR) + "/" + name, std::ios::binary);
    if (!in) return std::string();
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace orvane::test
