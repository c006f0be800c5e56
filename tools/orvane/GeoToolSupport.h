// SPDX-License-Identifier: Apache-2.0
#pragma once
// Shared by the geo service commands: the options they all take (one name
// for one meaning: --service, --token, --json, --timeout), waiting for
// answers, and showing failures with the service's own message.
#include "ArgParser.h"

#include "orvane/host/core/EventDispatcher.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane::tool {

// --service URL, --token T, --json, --timeout S, then the command's own.
std::vector<OptionSpec> geoOptions(std::vector<OptionSpec> own = {});
// The help lines every geo command ends with.
std::string geoDetails(const std::string& examples);

// Applies --timeout (seconds) to the network manager; false for a bad value.
bool applyTimeout(const ArgParser& options, std::string& error);

// Records the completion and failure events of a client.
class GeoOutcome {
public:
    void listen(EventDispatcher& client, int readyType, int failedType);
    int readyCount() const { return ready_; }
    const std::vector<std::string>& failures() const { return failures_; }

    // The text of a failure: the service's own message when its answer is an
    // Esri error ({"error": {"code", "message", "details"}}), else the
    // warning's message.
    static std::string failureText(const std::string& warningMessage, const std::vector<std::string>& parameters);

private:
    int ready_ = 0;
    std::vector<std::string> failures_;
};

// Pumps the network manager until every request has been answered, within
// the --timeout. False (with a message printed) when the time ran out.
bool waitForAnswers(const std::string& command);

// Prints each failure as "<command>: <message>"; returns the exit code (0
// when there were none).
int reportFailures(const std::string& command, const GeoOutcome& outcome);

} // namespace orvane::tool
