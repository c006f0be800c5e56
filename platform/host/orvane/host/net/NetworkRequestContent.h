// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <string>

namespace orvane {

/// The body of a request and its content type, sent byte for byte as given.
class ORVANE_HOST_EXPORT NetworkRequestContent : public virtual Wrappable {
public:
    NetworkRequestContent(std::string body, std::string contentType)
        : body_(std::move(body)), contentType_(std::move(contentType)) {}
    static std::shared_ptr<NetworkRequestContent> create(std::string body, std::string contentType) {
        return std::make_shared<NetworkRequestContent>(std::move(body), std::move(contentType));
    }

    const std::string& getBody() const { return body_; }
    const std::string& getContentType() const { return contentType_; }

private:
    std::string body_;
    std::string contentType_;
};

} // namespace orvane
