#include "GeoToolSupport.h"

#include "Command.h"
#include "orvane/host/net/NetworkManager.h"
#include "orvane/host/net/WarningEvent.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace orvane::tool {

bool GeoOptions::flag(const std::string& name) const {
    return std::find(flags.begin(), flags.end(), name) != flags.end();
}

bool parseGeoOptions(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                     const std::vector<std::string>& flagOptions, GeoOptions& out, std::string& error) {
    bool onlyPositional = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        // "--" ends the options; a lone "-" or a negative number is positional.
        if (onlyPositional || a.size() < 2 || a[0] != '-' || (a[1] != '-' && (std::isdigit(static_cast<unsigned char>(a[1])) || a[1] == '.'))) {
            out.positional.push_back(a);
            continue;
        }
        if (a == "--") {
            onlyPositional = true;
            continue;
        }
        std::string name = a.substr(a[1] == '-' ? 2 : 1);
        std::string value;
        bool inlineValue = false;
        if (size_t eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            inlineValue = true;
        }
        if (std::find(flagOptions.begin(), flagOptions.end(), name) != flagOptions.end() && !inlineValue) {
            out.flags.push_back(name);
        } else if (std::find(valueOptions.begin(), valueOptions.end(), name) != valueOptions.end()) {
            if (!inlineValue) {
                if (i + 1 >= args.size()) {
                    error = "option --" + name + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            out.values[name] = value;
        } else {
            error = "unknown option " + a;
            return false;
        }
    }
    return true;
}

namespace {
double& timeoutSeconds() {
    static double t = 60.0;
    return t;
}
} // namespace

bool applyTimeout(const GeoOptions& options, std::string& error) {
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

void GeoOutcome::listen(EventDispatcher& client, int readyType, int failedType) {
    client.addEventListener(readyType, FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>&) {
        ++ready_;
    }));
    client.addEventListener(failedType, FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>& e) {
        auto w = std::dynamic_pointer_cast<WarningEvent>(e);
        failures_.push_back(w && w->getWarning() ? w->getWarning()->getMessage() : "the request failed");
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
    return outcome.failures().empty() ? 0 : 1;
}

} // namespace orvane::tool
