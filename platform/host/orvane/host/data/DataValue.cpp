// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/DataValue.h"

#include "orvane/host/format/FormatterFactory.h"

#include <charconv>
#include <cstring>
#include <functional>

namespace orvane {

const std::shared_ptr<const std::string>& DataValue::empty() {
    static const std::shared_ptr<const std::string> e = std::make_shared<const std::string>();
    return e;
}

std::shared_ptr<DataValue> DataValue::createMissing(Type type) {
    if (type == Type::String) return std::make_shared<DataValue>(empty());
    return std::make_shared<DataValue>(type, std::numeric_limits<double>::quiet_NaN());
}

std::shared_ptr<DataValue> DataValue::createSparse() {
    auto v = std::make_shared<DataValue>();
    v->flags_ = SPARSE;
    return v;
}

std::shared_ptr<DataValue> DataValue::createAllOthers() {
    auto v = std::make_shared<DataValue>(empty());
    v->flags_ = ALL_OTHERS;
    return v;
}

std::shared_ptr<DataValue> DataValue::createMatchesAll() {
    auto v = std::make_shared<DataValue>(empty());
    v->flags_ = MATCHES_ALL;
    return v;
}

std::shared_ptr<DataValue> DataValue::fromText(std::string_view text, const Formatter* format) {
    if (!format || format->isCharacterFormat()) return create(std::string(text));
    double v;
    if (!format->parse(text, v)) return nullptr;
    Type t = format->formatsDateValues()       ? Type::Date
             : format->formatsDateTimeValues() ? Type::DateTime
             : format->formatsTimeValues()     ? Type::Time
                                               : Type::Number;
    auto value = create(t, v);
    value->setFormattedValue(format->format(v));
    return value;
}

std::shared_ptr<const std::string> DataValue::getFormattedValue() const {
    if (formatted_) return formatted_;
    if (isSparse()) return empty();
    if (!isNumeric()) return text_ ? text_ : empty();
    const char* name = type_ == Type::Date ? "DATE9." : type_ == Type::DateTime ? "DATETIME19." : type_ == Type::Time ? "TIME8." : "BEST12.";
    formatted_ = std::make_shared<const std::string>(FormatterFactory::getFormatter(name)->format(number_));
    return formatted_;
}

std::string DataValue::getPresentableText() const {
    auto f = getFormattedValue();
    return f ? *f : std::string();
}

std::string DataValue::formatNumericValue(double number, std::string_view formatName) {
    return FormatterFactory::getFormatter(formatName)->format(number);
}

namespace {
int rank(const DataValue& v) {
    if (v.isMatchesAll()) return 4;
    if (v.isAllOthers()) return 3;
    if (v.isSparse() || v.isMissing()) return 0;
    return v.isNumeric() ? 1 : 2;
}
} // namespace

int DataValue::compare(const DataValue& a, const DataValue& b) {
    int ra = rank(a), rb = rank(b);
    if (ra != rb) return ra < rb ? -1 : 1;
    if (ra == 1) {
        if (a.number_ != b.number_) return a.number_ < b.number_ ? -1 : 1;
    } else if (ra == 2) {
        int c = a.text_->compare(*b.text_);
        if (c != 0) return c < 0 ? -1 : 1;
    }
    if (a.type_ != b.type_) return a.type_ < b.type_ ? -1 : 1;
    if (a.flags_ != b.flags_) return a.flags_ < b.flags_ ? -1 : 1;
    return 0;
}

size_t DataValue::hash() const {
    size_t h = static_cast<size_t>(type_) * 31 + flags_;
    int r = rank(*this);
    if (r == 1) {
        double n = number_ == 0 ? 0.0 : number_;  // -0 and 0 are equal
        h ^= std::hash<double>()(n) + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
    } else if (r == 2) {
        h ^= std::hash<std::string>()(*text_) + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
    }
    return h;
}

std::string DataValue::toString() const {
    if (isSparse()) return "";
    if (!isNumeric()) return text_ ? *text_ : std::string();
    if (std::isnan(number_)) return ".";
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, number_);
    if (ec != std::errc()) return ".";
    return std::string(buf, p);
}

} // namespace orvane
