// SPDX-License-Identifier: Apache-2.0
#pragma once
// A real HTTP server on loopback that stands in for the Esri services: it
// records every request it receives and answers from recorded answers
// (tests/geo/answers), from handlers a test installs, or with 404.
#include <httplib.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvane::test {

class GeoTestServer {
public:
    struct Request {
        std::string method;
        std::string path;    // decoded
        std::string target;  // as sent, still encoded
        std::string contentType;
        std::string body;
        // Query and form parameters, decoded by the server.
        std::multimap<std::string, std::string> params;

        std::string param(const std::string& key) const {
            auto it = params.find(key);
            return it == params.end() ? std::string() : it->second;
        }
        bool hasParam(const std::string& key) const { return params.count(key) > 0; }
        // For handlers written against httplib's names.
        std::string get_param_value(const std::string& key) const { return param(key); }
    };
    using Handler = std::function<void(const Request&, httplib::Response&)>;

    // Binds 127.0.0.1 (port 0: any free port) and starts serving. Without
    // keep-alive every answer closes its connection, so that the server stops
    // at once; with it, clients reuse connections (benchmarks).
    explicit GeoTestServer(int port = 0, bool keepAlive = false);
    ~GeoTestServer();
    GeoTestServer(const GeoTestServer&) = delete;
    GeoTestServer& operator=(const GeoTestServer&) = delete;

    bool isRunning() const { return port_ > 0; }
    int port() const { return port_; }
    // "http://127.0.0.1:<port>"
    std::string root() const;

    // Answers method + exact (decoded) path; replaces an earlier route.
    void route(const std::string& method, const std::string& path, Handler handler);
    // A fixed answer.
    void answer(const std::string& method, const std::string& path, int status, std::string body,
                std::string contentType = "application/json");
    // Installs the recorded geocoding, geoenrichment and directory services.
    void serveRecordedServices();

    std::vector<Request> requests() const;
    std::vector<Request> requestsTo(const std::string& path) const;
    void clearRequests();
    // The most requests handled at the same time so far.
    int peakConcurrency() const { return peak_.load(); }

    // For slow handlers: waits until release() or the timeout; true when released.
    bool waitForRelease(double seconds);
    void release();

    // A recorded answer file of tests/geo/answers.
    static std::string recorded(const std::string& name);
    // The directory-service root path of the recorded directory.
    static constexpr const char* DIRECTORY_PATH = "/arcgis/rest/services";

private:
    void handle(const httplib::Request& req, std::string body, httplib::Response& res);

    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::pair<std::string, std::string>, Handler> routes_;
    std::vector<Request> requests_;
    std::atomic<int> active_{0};
    std::atomic<int> peak_{0};
    std::mutex releaseMutex_;
    std::condition_variable releaseCv_;
    bool released_ = false;
};

} // namespace orvane::test
