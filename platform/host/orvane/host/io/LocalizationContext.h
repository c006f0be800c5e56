// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <memory>
#include <string>

namespace orvane {

/// The locale the host runs in and its writing direction.
class ORVANE_HOST_EXPORT LocalizationContext {
public:
    explicit LocalizationContext(std::string locale = "en_US", bool rtl = false) : locale_(std::move(locale)), rtl_(rtl) {}
    bool isRTL() const { return rtl_; }
    void setRTL(bool rtl) { rtl_ = rtl; }
    const std::string& getLocale() const { return locale_; }
    void setLocale(std::string l) { locale_ = std::move(l); }

private:
    std::string locale_;
    bool rtl_;
};

} // namespace orvane
