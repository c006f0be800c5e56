// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/net/Warning.h"

#include "orvane/host/io/ResourceManager.h"

namespace orvane {

Warning::Warning(int type, std::string name, double value, std::string bundle, std::string key,
                 std::vector<std::string> parameters)
    : type_(type), name_(std::move(name)), value_(value), bundle_(std::move(bundle)), key_(std::move(key)),
      parameters_(std::move(parameters)) {}

std::shared_ptr<Warning> Warning::create(int type, std::string name, double value, std::string bundle,
                                         std::string key, std::vector<std::string> parameters) {
    return std::make_shared<Warning>(type, std::move(name), value, std::move(bundle), std::move(key),
                                     std::move(parameters));
}

std::string Warning::getMessage() const {
    auto pattern = ResourceManager::getString(bundle_, key_);
    if (!pattern) {
        std::string out = key_;
        for (const auto& p : parameters_) out += " " + p;
        return out;
    }
    // formatString takes an initializer list; fill the placeholders one by one.
    std::string out;
    const std::string& t = *pattern;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '{') {
            size_t close = t.find('}', i);
            if (close != std::string::npos && close > i + 1 && close - i <= 4) {
                size_t n = 0;
                bool digits = true;
                for (size_t k = i + 1; k < close; ++k) {
                    if (t[k] < '0' || t[k] > '9') digits = false;
                    else n = n * 10 + static_cast<size_t>(t[k] - '0');
                }
                if (digits && n < parameters_.size()) {
                    out += parameters_[n];
                    i = close;
                    continue;
                }
            }
        }
        out += t[i];
    }
    return out;
}

} // namespace orvane
