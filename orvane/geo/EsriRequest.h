#pragma once
#include "host/EventDispatcher.h"
#include "host/NetworkDataEvent.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvane {

// What the Esri clients share: building requests, naming service URLs and
// reporting failures as warning events.
class EsriRequest {
public:
    static constexpr const char* FORM_CONTENT_TYPE = "application/x-www-form-urlencoded";
    static constexpr const char* ERROR_BUNDLE = "error_messages";
    static constexpr double WARNING_VALUE = 85.0;
    // Longest answer text a warning carries (longer ones are cut, marked "…").
    static constexpr size_t MAX_WARNING_TEXT = 4096;

    // A REQUEST event for a POST of a form body / a GET. The caller registers
    // its RESPONSE listener, then hands the event to the network manager.
    static std::shared_ptr<NetworkDataEvent> createPost(const std::string& url, std::string body);
    static std::shared_ptr<NetworkDataEvent> createGet(const std::string& url);

    // A service root without trailing slashes.
    static std::string trimRoot(std::string root);
    // Percent-encodes each "/"-separated segment of a relative name. Empty
    // when a segment is empty, "." or "..": such names are not followed.
    static std::string encodePath(std::string_view name);
    // What a failure report shows of an answer: its body, else the network
    // error text, else the HTTP status when it is not 200.
    static std::string answerText(const NetworkDataEvent& event);
    // The text cut to MAX_WARNING_TEXT bytes at a character boundary.
    static std::string excerpt(const std::string& text);

    // Dispatches on the client a WarningEvent of eventType carrying one
    // Warning(warningType, name, 85.0, "error_messages", key, [url, text]).
    static void reportWarning(EventDispatcher& client, int eventType, int warningType, const std::string& name,
                              const std::string& key, const std::string& url, const std::string& text);
};

} // namespace orvane
