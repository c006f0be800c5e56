// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvane {

/// An absolute URL, split into its parts. The text is kept exactly as given;
/// the parts are read from it without any normalisation. A URL that is not of
/// the form scheme://host[:port][/path][?query][#fragment] is invalid: all
/// its parts are empty and isValid() is false.
class ORVANE_HOST_EXPORT URL : public virtual Wrappable {
public:
    explicit URL(std::string text);
    static std::shared_ptr<URL> create(const std::string& text);

    const std::string& toString() const { return text_; }
    bool isValid() const { return valid_; }
    /// Lower-case scheme ("http", "https", ...).
    const std::string& getScheme() const { return scheme_; }
    const std::string& getHost() const { return host_; }
    /// The explicit port, or the scheme's default (80, 443), or -1.
    int getPort() const { return port_; }
    /// Path with its leading "/" ("/" when the URL has none), still encoded.
    const std::string& getPath() const { return path_; }
    /// Query without the "?", still encoded.
    const std::string& getQuery() const { return query_; }
    /// The last non-empty path segment, percent-decoded ("" for "/").
    std::string getLastPathComponent() const;
    /// The URL without query and fragment, and without a trailing "/".
    std::string withoutQuery() const;

    /// Percent-encodes every byte except the unreserved characters
    /// A-Z a-z 0-9 - . _ ~ (RFC 3986). Suitable for query and form values and
    /// for single path segments.
    static std::string encodeComponent(std::string_view text);
    /// Decodes %XX escapes; with plusAsSpace a '+' becomes a space (form
    /// bodies). Malformed escapes are kept as they are.
    static std::string decodeComponent(std::string_view text, bool plusAsSpace = false);

private:
    std::string text_;
    std::string scheme_;
    std::string host_;
    std::string path_;
    std::string query_;
    int port_ = -1;
    size_t pathStart_ = 0;
    bool valid_ = false;
};

} // namespace orvane
