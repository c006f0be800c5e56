// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/net/URL.h"

#include <cctype>

namespace orvane {

namespace {

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

URL::URL(std::string text) : text_(std::move(text)) {
    const std::string& t = text_;
    size_t colon = t.find("://");
    if (colon == std::string::npos || colon == 0) return;
    std::string scheme;
    for (size_t i = 0; i < colon; ++i) {
        unsigned char c = static_cast<unsigned char>(t[i]);
        bool ok = std::isalpha(c) || (i > 0 && (std::isdigit(c) || c == '+' || c == '-' || c == '.'));
        if (!ok) return;
        scheme += static_cast<char>(std::tolower(c));
    }
    size_t authStart = colon + 3;
    size_t authEnd = t.find_first_of("/?#", authStart);
    if (authEnd == std::string::npos) authEnd = t.size();
    std::string authority = t.substr(authStart, authEnd - authStart);
    // Credentials are not part of the host.
    if (size_t at = authority.rfind('@'); at != std::string::npos) authority = authority.substr(at + 1);
    std::string host = authority;
    int port = -1;
    size_t portSep = std::string::npos;
    if (!authority.empty() && authority[0] == '[') {
        size_t close = authority.find(']');
        if (close == std::string::npos) return;
        host = authority.substr(0, close + 1);
        if (close + 1 < authority.size()) {
            if (authority[close + 1] != ':') return;
            portSep = close + 1;
        }
    } else if (size_t c = authority.rfind(':'); c != std::string::npos) {
        host = authority.substr(0, c);
        portSep = c;
    }
    if (portSep != std::string::npos) {
        std::string digits = authority.substr(portSep + 1);
        if (digits.empty() || digits.size() > 5) return;
        port = 0;
        for (char d : digits) {
            if (d < '0' || d > '9') return;
            port = port * 10 + (d - '0');
        }
        if (port == 0 || port > 65535) return;
    }
    if (host.empty()) return;
    for (unsigned char c : host)
        if (c <= ' ' || c == 0x7f) return;
    if (port < 0) port = scheme == "http" ? 80 : scheme == "https" ? 443 : -1;

    size_t pathEnd = t.find_first_of("?#", authEnd);
    if (pathEnd == std::string::npos) pathEnd = t.size();
    std::string path = t.substr(authEnd, pathEnd - authEnd);
    if (path.empty()) path = "/";
    std::string query;
    if (pathEnd < t.size() && t[pathEnd] == '?') {
        size_t qEnd = t.find('#', pathEnd);
        if (qEnd == std::string::npos) qEnd = t.size();
        query = t.substr(pathEnd + 1, qEnd - pathEnd - 1);
    }
    scheme_ = std::move(scheme);
    host_ = std::move(host);
    port_ = port;
    path_ = std::move(path);
    query_ = std::move(query);
    pathStart_ = authEnd;
    valid_ = true;
}

std::shared_ptr<URL> URL::create(const std::string& text) { return std::make_shared<URL>(text); }

std::string URL::getLastPathComponent() const {
    size_t end = path_.size();
    while (end > 0 && path_[end - 1] == '/') --end;
    size_t start = path_.rfind('/', end == 0 ? 0 : end - 1);
    start = start == std::string::npos ? 0 : start + 1;
    if (start >= end) return "";
    return decodeComponent(std::string_view(path_).substr(start, end - start));
}

std::string URL::withoutQuery() const {
    size_t end = text_.find_first_of("?#");
    if (end == std::string::npos) end = text_.size();
    // Trailing slashes of the path go; those of "scheme://" never do.
    size_t floor = valid_ ? pathStart_ : 0;
    while (end > floor && text_[end - 1] == '/') --end;
    return text_.substr(0, end);
}

std::string URL::encodeComponent(std::string_view text) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (isUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string URL::decodeComponent(std::string_view text, bool plusAsSpace) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 2 < text.size()) {
            int hi = hexValue(text[i + 1]), lo = hexValue(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += (plusAsSpace && c == '+') ? ' ' : c;
    }
    return out;
}

} // namespace orvane
