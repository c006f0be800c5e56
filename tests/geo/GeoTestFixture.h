// SPDX-License-Identifier: Apache-2.0
#pragma once
// Shared set-up of the geo tests: a loopback server standing in for the
// services, the network manager pointed at it, and a recorder of the events
// a client dispatches.
#include "GeoTestServer.h"

#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/net/NetworkManager.h"
#include "orvane/host/net/Warning.h"
#include "orvane/host/net/WarningEvent.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <memory>
#include <string>
#include <vector>

namespace orvane::test {

class GeoServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.isRunning());
        saved_ = NetworkManager::getConfiguration();
        auto c = saved_;
        c.connectTimeoutSeconds = 5;
        c.totalTimeoutSeconds = 20;
        NetworkManager::setConfiguration(c);
        for (const char* s : {"geocode", "geoenrichment"}) NetworkManager::setServiceRoot(s, server.root());
        NetworkManager::setServiceRoot("directory", server.root() + GeoTestServer::DIRECTORY_PATH);
    }
    void TearDown() override {
        server.release();
        NetworkManager::runUntilIdle(30);
        NetworkManager::setConfiguration(saved_);
        NetworkManager::clearServiceRoots();
    }
    // Delivers every answer; false if something was still outstanding after 30 s.
    static bool pump() { return NetworkManager::runUntilIdle(30); }
    void setTotalTimeout(double seconds) {
        auto c = NetworkManager::getConfiguration();
        c.totalTimeoutSeconds = seconds;
        NetworkManager::setConfiguration(c);
    }

    GeoTestServer server;

private:
    NetworkManager::Configuration saved_;
};

// Parses a text a client wrote into d, requiring valid JSON in valid UTF-8;
// a failure shows the text.
inline ::testing::AssertionResult parseJson(const std::string& json, rapidjson::Document& d) {
    d.Parse<rapidjson::kParseValidateEncodingFlag>(json.c_str(), json.size());
    if (d.HasParseError()) return ::testing::AssertionFailure() << "not valid JSON: " << json;
    return ::testing::AssertionSuccess();
}

// Records the events a dispatcher sends, with their warnings.
class EventRecorder {
public:
    void listen(EventDispatcher& d, std::initializer_list<int> types) {
        for (int t : types)
            d.addEventListener(t, FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>& e) {
                types_.push_back(e->getType());
                if (auto w = std::dynamic_pointer_cast<WarningEvent>(e)) warnings_.push_back(w->getWarning());
            }));
    }
    size_t count(int type) const {
        size_t n = 0;
        for (int t : types_) n += t == type;
        return n;
    }
    size_t total() const { return types_.size(); }
    const std::vector<int>& types() const { return types_; }
    const std::vector<std::shared_ptr<Warning>>& warnings() const { return warnings_; }
    void clear() {
        types_.clear();
        warnings_.clear();
    }

private:
    std::vector<int> types_;
    std::vector<std::shared_ptr<Warning>> warnings_;
};

} // namespace orvane::test
