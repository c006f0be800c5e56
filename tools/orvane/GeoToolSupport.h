#pragma once
// Shared by the geo service commands: options, waiting for answers, and
// showing failures.
#include "orvane/host/core/EventDispatcher.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvane::tool {

struct GeoOptions {
    std::map<std::string, std::string> values;  // --name value
    std::vector<std::string> flags;             // --name
    std::vector<std::string> positional;
    bool has(const std::string& name) const { return values.count(name) > 0; }
    std::string get(const std::string& name, const std::string& fallback = std::string()) const {
        auto it = values.find(name);
        return it == values.end() ? fallback : it->second;
    }
    bool flag(const std::string& name) const;
};

// Parses the arguments: valueOptions take a value, flagOptions none. On an
// unknown option or a missing value, error says so and false is returned.
bool parseGeoOptions(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                     const std::vector<std::string>& flagOptions, GeoOptions& out, std::string& error);

// Applies --timeout (seconds) to the network manager; false for a bad value.
bool applyTimeout(const GeoOptions& options, std::string& error);

// Records the completion and failure events of a client.
class GeoOutcome {
public:
    void listen(EventDispatcher& client, int readyType, int failedType);
    int readyCount() const { return ready_; }
    const std::vector<std::string>& failures() const { return failures_; }

private:
    int ready_ = 0;
    std::vector<std::string> failures_;
};

// Pumps the network manager until every request has been answered, within
// the --timeout. False (with a message printed) when the time ran out.
bool waitForAnswers(const std::string& command);

// Prints each failure as "orvane: <command>: <message>"; returns the exit code
// (0 when there were none).
int reportFailures(const std::string& command, const GeoOutcome& outcome);

} // namespace orvane::tool
