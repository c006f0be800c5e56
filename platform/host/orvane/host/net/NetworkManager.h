// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/net/NetworkDataEvent.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace orvane {

/// HTTP and HTTPS requests for the library and the host.
///
/// processNetworkRequest hands a NetworkDataEvent over and returns at once; the
/// transfer runs on the manager's own network thread (libcurl). Answers are
/// queued there and delivered on the user-interface thread when the host pumps
/// them with processPendingResponses() (or one of the waiting forms) from its
/// run loop: each request gets exactly one RESPONSE dispatched on its event,
/// never inside processNetworkRequest, in whatever order the answers arrive.
/// Failures are responses too: no HTTP answer (bad URL, refused connection,
/// timeout, answer over the size limit, cancellation) gives status 0 and an
/// error text; an HTTP error status comes with the server's body.
class ORVANE_HOST_EXPORT NetworkManager {
public:
    struct Configuration {
        /// Seconds; 0 or less means no limit.
        double connectTimeoutSeconds = 10.0;
        double totalTimeoutSeconds = 60.0;
        /// Transfers running at the same time; more requests wait their turn.
        int maxConcurrentRequests = 8;
        /// Answers larger than this fail with status 0.
        size_t maxAnswerBytes = 32u * 1024u * 1024u;
        int maxRedirects = 5;
        /// Compressed answers asked for (Accept-Encoding), decoded on arrival;
        /// empty asks for none.
        std::string acceptEncoding = "gzip, deflate";
        std::string userAgent = "OrvaneUI";
    };

    /// Starts the request. Returns false (and sends nothing, answers nothing)
    /// only for an empty event or one already in flight; every accepted event,
    /// even one with an unusable URL, gets its RESPONSE later.
    static bool processNetworkRequest(const std::shared_ptr<NetworkDataEvent>& event);

    /// Dispatches every answer that has arrived; returns how many. Call on the
    /// user-interface thread. Listeners may start new requests.
    static size_t processPendingResponses();
    /// Waits up to timeoutSeconds for at least one answer, then dispatches what
    /// has arrived. Returns how many were dispatched.
    static size_t waitForResponses(double timeoutSeconds);
    /// Pumps until no request is in flight, including those started by
    /// listeners meanwhile. False when the time ran out first.
    static bool runUntilIdle(double timeoutSeconds);
    /// Requests handed over and not yet delivered.
    static size_t getPendingRequestCount();
    /// Stops every running and waiting transfer; each still gets its one
    /// RESPONSE (status 0, "request cancelled") at the next pump.
    static void cancelAll();

    /// Applies to requests started afterwards.
    static void setConfiguration(const Configuration& configuration);
    static Configuration getConfiguration();

    /// Service roots ("https://host[:port][/prefix]") by service name, set by
    /// the host or a tool; clients ask with their built-in default.
    static void setServiceRoot(const std::string& service, const std::string& root);
    static std::string getServiceRoot(const std::string& service, const std::string& fallback = std::string());
    static void clearServiceRoots();

    /// Called on the network thread whenever an answer has been queued, so that
    /// a host run loop can schedule a pump. Keep it short and thread-safe.
    static void setResponseReadyHook(std::function<void()> hook);
};

} // namespace orvane
