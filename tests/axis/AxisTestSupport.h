// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/format/Formatter.h"
#include "orvane/axis/TimeInterval.h"

#include <memory>
#include <string>

namespace orvane::test {

// A formatter with a fixed bare name and kind, for the axis tests.
class FixedFormatter : public Formatter {
public:
    FixedFormatter(std::string name, Kind kind) : Formatter(std::move(name), 0, 0, kind) {}
    static std::shared_ptr<const Formatter> make(const std::string& name, Kind kind) {
        return std::make_shared<FixedFormatter>(name, kind);
    }
    static std::shared_ptr<const Formatter> date(const std::string& name) { return make(name, Kind::Date); }
    static std::shared_ptr<const Formatter> dateTime(const std::string& name) { return make(name, Kind::DateTime); }
    static std::shared_ptr<const Formatter> time(const std::string& name) { return make(name, Kind::Time); }
    static std::shared_ptr<const Formatter> numeric(const std::string& name) { return make(name, Kind::Numeric); }
};

// An interval parsed from its name (e.g. "MONTH3"), over values of valueKind.
inline TimeInterval interval(const char* name, int valueKind) {
    TimeInterval t;
    t.setFromName(name);
    t.valueKind = valueKind;
    return t;
}

} // namespace orvane::test
