// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/net/NetworkRequestContent.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/net/URL.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// A network request and, once answered, its response. The sender builds it
/// as a REQUEST (URL, method, content), registers its RESPONSE listeners on the
/// event itself and hands it to NetworkManager::processNetworkRequest. When the
/// answer is in, the manager fills in status, body and error text, turns the
/// event into a RESPONSE and dispatches it on itself, on the user-interface
/// thread, exactly once.
class ORVANE_HOST_EXPORT NetworkDataEvent : public PortableEvent, public EventDispatcher, public virtual Wrappable {
public:
    /// Host event ids.
    static constexpr int REQUEST = 60;
    static constexpr int RESPONSE = 61;

    enum class Method { GET, POST };

    explicit NetworkDataEvent(int type) : PortableEvent(type) {}
    static std::shared_ptr<NetworkDataEvent> create(int type) { return std::make_shared<NetworkDataEvent>(type); }

    void setURL(const std::shared_ptr<URL>& url) { url_ = url; }
    const std::shared_ptr<URL>& getURL() const { return url_; }
    /// The request URL as text ("" when none was set).
    std::string getURLString() const { return url_ ? url_->toString() : std::string(); }

    void setMethod(Method m) { method_ = m; }
    Method getMethod() const { return method_; }
    bool isPost() const { return method_ == Method::POST; }

    void addContent(const std::shared_ptr<NetworkRequestContent>& content) {
        if (content) contents_.push_back(content);
    }
    const std::vector<std::shared_ptr<NetworkRequestContent>>& getContents() const { return contents_; }

    /// Response side. The status is the HTTP status, or 0 when no HTTP answer
    /// was received (the error text then says why).
    int getStatus() const { return status_; }
    const std::string& getResponseBody() const { return body_; }
    const std::string& getErrorText() const { return error_; }
    /// The body when there is one, else the error text: what a failure report shows.
    const std::string& getResponseText() const { return body_.empty() ? error_ : body_; }

    void setResponse(int status, std::string body, std::string errorText) {
        status_ = status;
        body_ = std::move(body);
        error_ = std::move(errorText);
    }

private:
    std::shared_ptr<URL> url_;
    Method method_ = Method::GET;
    std::vector<std::shared_ptr<NetworkRequestContent>> contents_;
    int status_ = 0;
    std::string body_;
    std::string error_;
};

} // namespace orvane
