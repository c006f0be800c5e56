#pragma once
#include "host/Formatter.h"

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

} // namespace orvane::test
