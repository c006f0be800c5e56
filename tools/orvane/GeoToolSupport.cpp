// SPDX-License-Identifier: Apache-2.0
#include "GeoToolSupport.h"

#include "Command.h"
#include "orvane/host/net/NetworkManager.h"
#include "orvane/host/net/Warning.h"
#include "orvane/host/net/WarningEvent.h"

#include <rapidjson/document.h>

#include <algorithm>
#include <cstdlib>

namespace orvane::tool {

std::vector<OptionSpec> geoOptions(std::vector<OptionSpec> own) {
    std::vector<OptionSpec> all{
        {"--service", "URL", "the service root (default: the public Esri service)"},
        {"--token", "T", "an ArcGIS token, sent with the requests that carry one"},
        {"--json", "", "print the answer as JSON instead of text"},
        {"--timeout", "S", "seconds to wait for the answers (default 60)"}};
    all.insert(all.end(), own.begin(), own.end());
    return all;
}

std::string geoDetails(const std::string& examples) {
    return "Without --service the public services are asked (network needed). A failure prints the\n"
           "service's message and exits with status 1. build/bin/geo_test_server serves recorded\n"
           "answers on loopback for trying the commands offline.\n\nexamples:\n" +
           examples;
}

namespace {
double& timeoutSeconds() {
    static double t = 60.0;
    return t;
}
} // namespace

bool applyTimeout(const ArgParser& options, std::string& error) {
    if (!options.has("timeout")) return true;
    char* end = nullptr;
    std::string text = options.get("timeout");
    double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(seconds > 0) || seconds > 86400) {
        error = "--timeout wants a number of seconds, not \"" + text + "\"";
        return false;
    }
    timeoutSeconds() = seconds;
    auto c = NetworkManager::getConfiguration();
    c.totalTimeoutSeconds = seconds;
    c.connectTimeoutSeconds = std::min(c.connectTimeoutSeconds, seconds);
    NetworkManager::setConfiguration(c);
    return true;
}

std::string GeoOutcome::failureText(const std::string& warningMessage, const std::vector<std::string>& parameters) {
    // The parameters of a service failure are the request's URL and the answer.
    if (parameters.size() < 2) return warningMessage;
    rapidjson::Document doc;
    doc.Parse(parameters[1].c_str(), parameters[1].size());
    if (doc.HasParseError() || !doc.IsObject()) return warningMessage;
    const rapidjson::Value& top = doc;  // const iterators compare without ambiguity in C++20
    auto error = top.FindMember("error");
    if (error == top.MemberEnd() || !error->value.IsObject()) return warningMessage;
    const auto& e = error->value;
    std::string text = "the service at " + parameters[0] + " answered";
    auto code = e.FindMember("code");
    if (code != e.MemberEnd() && code->value.IsNumber())
        text += " with error " + std::to_string(static_cast<long long>(code->value.GetDouble()));
    auto message = e.FindMember("message");
    if (message != e.MemberEnd() && message->value.IsString()) text += ": " + std::string(message->value.GetString());
    auto details = e.FindMember("details");
    if (details != e.MemberEnd() && details->value.IsArray()) {
        std::string joined;
        for (const auto& d : details->value.GetArray())
            if (d.IsString() && d.GetStringLength() > 0) joined += (joined.empty() ? "" : "; ") + std::string(d.GetString());
        if (!joined.empty()) text += " (" + joined + ")";
    }
    return text;
}

void GeoOutcome::listen(EventDispatcher& client, int readyType, int failedType) {
    client.addEventListener(readyType, FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>&) {
        ++ready_;
    }));
    client.addEventListener(failedType, FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>& e) {
        auto w = std::dynamic_pointer_cast<WarningEvent>(e);
        if (w && w->getWarning())
            failures_.push_back(failureText(w->getWarning()->getMessage(), w->getWarning()->getParameters()));
        else
            failures_.push_back("the request failed");
    }));
}

bool waitForAnswers(const std::string& command) {
    // A little beyond the transfer timeout, so that transfers end on their own.
    if (NetworkManager::runUntilIdle(timeoutSeconds() + 5.0)) return true;
    NetworkManager::cancelAll();
    NetworkManager::runUntilIdle(5.0);
    fail(command + ": no answer within " + std::to_string(static_cast<int>(timeoutSeconds())) + " seconds");
    return false;
}

int reportFailures(const std::string& command, const GeoOutcome& outcome) {
    for (const auto& f : outcome.failures()) fail(command + ": " + f);
    return outcome.failures().empty() ? EXIT_OK : EXIT_FAILED;
}

} // namespace orvane::tool
