// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/net/NetworkDataEvent.h"
#include "orvane/properties/EventCallback.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

/// What the Esri clients share: building and sending requests, naming service
/// URLs, reading answers and reporting failures as warning events.
class ORVANE_EXPORT EsriRequest {
public:
    static constexpr const char* FORM_CONTENT_TYPE = "application/x-www-form-urlencoded";
    static constexpr const char* ERROR_BUNDLE = "error_messages";
    static constexpr double WARNING_VALUE = 85.0;
    /// Longest answer text a warning carries (longer ones are cut, marked "…").
    static constexpr size_t MAX_WARNING_TEXT = 4096;

    /// A REQUEST event for a POST of a form body / a GET. The caller registers
    /// its RESPONSE listener, then hands the event to the network manager.
    static std::shared_ptr<NetworkDataEvent> createPost(const std::string& url, std::string body);
    static std::shared_ptr<NetworkDataEvent> createGet(const std::string& url);

    /// Registers `receive` of the client as the RESPONSE listener of a request
    /// event. False (logged under `source`) when the client is not held by a
    /// shared pointer: no answer could reach it, so the request is not to be sent.
    template <class Client>
    static bool listen(Client& client, NetworkDataEvent& event,
                       void (Client::*receive)(const std::shared_ptr<PortableEvent>&), const char* source) {
        auto self = client.template sharedAs<Client>();
        if (!self) {
            logNotShared(source);
            return false;
        }
        event.addEventListener(NetworkDataEvent::RESPONSE, EventCallback<Client>::create(self, receive));
        return true;
    }

    /// Reads the answer of a finished request with `parse`. Empty when the HTTP
    /// status is not 200, or when `parse` finds the answer unusable, which is
    /// logged under `source` as "<what> (<url>): <problem>" (with the service's
    /// error code when the answer carries one); the caller then reports the
    /// failure with answerText.
    template <class Answer>
    static std::optional<Answer> readAnswer(const NetworkDataEvent& event, Answer (*parse)(std::string_view),
                                            const char* source, const char* what) {
        if (event.getStatus() != 200) return std::nullopt;
        Answer answer = parse(event.getResponseBody());
        if (!answer.ok) {
            std::string problem = answer.problem;
            if constexpr (requires(const Answer& a) { a.errorCode; })
                if (answer.esriError) problem += " (code " + std::to_string(answer.errorCode) + ")";
            logUnreadable(source, what, event.getURLString(), problem);
            return std::nullopt;
        }
        return answer;
    }

    /// A service root without trailing slashes.
    static std::string trimRoot(std::string root);
    /// The root a client sends to: its own when set, else the network manager's
    /// configured root for serviceName, else defaultRoot (without trailing slashes).
    static std::string serviceRoot(const std::string& own, const char* serviceName, const char* defaultRoot);
    /// Percent-encodes each "/"-separated segment of a relative name. Empty
    /// when a segment is empty, "." or "..": such names are not followed.
    static std::string encodePath(std::string_view name);
    /// What a failure report shows of an answer: its body, else the network
    /// error text, else the HTTP status when it is not 200.
    static std::string answerText(const NetworkDataEvent& event);
    /// The text cut to MAX_WARNING_TEXT bytes at a character boundary.
    static std::string excerpt(const std::string& text);

    /// Dispatches on the client a WarningEvent of eventType carrying one
    /// Warning(warningType, name, 85.0, "error_messages", key, [url, text]).
    static void reportWarning(EventDispatcher& client, int eventType, int warningType, const std::string& name,
                              const std::string& key, const std::string& url, const std::string& text);

private:
    static void logNotShared(const char* source);
    static void logUnreadable(const char* source, const char* what, const std::string& url, const std::string& problem);
};

} // namespace orvane
