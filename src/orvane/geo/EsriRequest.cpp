// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/EsriRequest.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/net/NetworkManager.h"
#include "orvane/host/net/URL.h"
#include "orvane/host/net/Warning.h"
#include "orvane/host/net/WarningEvent.h"

namespace orvane {

std::shared_ptr<NetworkDataEvent> EsriRequest::createPost(const std::string& url, std::string body) {
    auto event = NetworkDataEvent::create(NetworkDataEvent::REQUEST);
    event->setURL(URL::create(url));
    event->addContent(NetworkRequestContent::create(std::move(body), FORM_CONTENT_TYPE));
    event->setMethod(NetworkDataEvent::Method::POST);
    return event;
}

std::shared_ptr<NetworkDataEvent> EsriRequest::createGet(const std::string& url) {
    auto event = NetworkDataEvent::create(NetworkDataEvent::REQUEST);
    event->setURL(URL::create(url));
    event->setMethod(NetworkDataEvent::Method::GET);
    return event;
}

std::string EsriRequest::trimRoot(std::string root) {
    while (!root.empty() && root.back() == '/') root.pop_back();
    return root;
}

std::string EsriRequest::serviceRoot(const std::string& own, const char* serviceName, const char* defaultRoot) {
    if (!own.empty()) return trimRoot(own);
    return trimRoot(NetworkManager::getServiceRoot(serviceName, defaultRoot));
}

std::string EsriRequest::encodePath(std::string_view name) {
    std::string out;
    size_t start = 0;
    for (;;) {
        size_t slash = name.find('/', start);
        std::string_view segment = name.substr(start, slash == std::string_view::npos ? name.npos : slash - start);
        if (segment.empty() || segment == "." || segment == "..") return std::string();
        if (!out.empty()) out += '/';
        out += URL::encodeComponent(segment);
        if (slash == std::string_view::npos) break;
        start = slash + 1;
    }
    return out;
}

std::string EsriRequest::answerText(const NetworkDataEvent& event) {
    const std::string& text = event.getResponseText();
    if (text.empty() && event.getStatus() != 0 && event.getStatus() != 200) return "HTTP status " + std::to_string(event.getStatus());
    return text;
}

std::string EsriRequest::excerpt(const std::string& text) {
    if (text.size() <= MAX_WARNING_TEXT) return text;
    size_t cut = MAX_WARNING_TEXT;
    // Back up to the start of a UTF-8 character.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return text.substr(0, cut) + "\xE2\x80\xA6";
}

void EsriRequest::reportWarning(EventDispatcher& client, int eventType, int warningType, const std::string& name,
                                const std::string& key, const std::string& url, const std::string& text) {
    auto warning = Warning::create(warningType, name, WARNING_VALUE, ERROR_BUNDLE, key, {url, excerpt(text)});
    client.dispatchEvent(WarningEvent::create(eventType, warning));
}

void EsriRequest::logNotShared(const char* source) {
    ORVANE_LOG(CLog::ERRORS, source, "the client is not held by a shared pointer; nothing sent");
}

void EsriRequest::logUnreadable(const char* source, const char* what, const std::string& url,
                                const std::string& problem) {
    ORVANE_LOG(CLog::ERRORS, source, std::string(what) + " (" + url + "): " + problem);
}

} // namespace orvane
