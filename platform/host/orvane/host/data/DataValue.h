// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/Wrappable.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

namespace orvane {

class Formatter;

/// One data value: a number, a string, a date (day number from 1 January
/// 1960), a date-time or a time (second numbers), with the flags missing,
/// sparse, all-others and matches-all, and its formatted text.
///
/// A value is missing when its number is NaN or its string is empty. Values
/// compare with a strict weak order: missing and sparse values first, then
/// numbers (of any number type) by value, then strings by their bytes, then
/// all-others and matches-all values. Two values are equal when they have the
/// same type, flags and value.
class ORVANE_HOST_EXPORT DataValue : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 46;

    enum class Type : uint8_t { Number, String, Date, DateTime, Time };
    enum Flag : uint8_t { SPARSE = 1, ALL_OTHERS = 2, MATCHES_ALL = 4 };

    DataValue() = default;
    explicit DataValue(double number) : number_(number), type_(Type::Number) {}
    explicit DataValue(std::string text)
        : text_(std::make_shared<const std::string>(std::move(text))), type_(Type::String) {}
    DataValue(Type type, double number) : number_(number), type_(type == Type::String ? Type::Number : type) {}
    explicit DataValue(std::shared_ptr<const std::string> text)
        : text_(text ? std::move(text) : empty()), type_(Type::String) {}

    static std::shared_ptr<DataValue> create(double number) { return std::make_shared<DataValue>(number); }
    static std::shared_ptr<DataValue> create(const std::string& text) { return std::make_shared<DataValue>(text); }
    static std::shared_ptr<DataValue> create(const char* text) { return create(std::string(text ? text : "")); }
    static std::shared_ptr<DataValue> create(std::shared_ptr<const std::string> text) {
        return std::make_shared<DataValue>(std::move(text));
    }
    static std::shared_ptr<DataValue> create(Type type, double number) {
        return std::make_shared<DataValue>(type, number);
    }
    static std::shared_ptr<DataValue> createDate(double dayNumber) { return create(Type::Date, dayNumber); }
    static std::shared_ptr<DataValue> createDateTime(double seconds) { return create(Type::DateTime, seconds); }
    static std::shared_ptr<DataValue> createTime(double seconds) { return create(Type::Time, seconds); }
    static std::shared_ptr<DataValue> createMissing(Type type = Type::Number);
    /// A cell that has no data at all (no row of the data behind it).
    static std::shared_ptr<DataValue> createSparse();
    /// The member that stands for every value not shown on its own.
    static std::shared_ptr<DataValue> createAllOthers();
    /// The value that matches every value (a total over everything).
    static std::shared_ptr<DataValue> createMatchesAll();
    /// The value read from text in the given format: a number, date, date-time
    /// or time for number and temporal formats, a string without a format or
    /// for character formats. Null when the text does not read in the format.
    static std::shared_ptr<DataValue> fromText(std::string_view text, const Formatter* format);

    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Type getType() const { return type_; }
    /// True for every type that carries a number (number, date, date-time, time).
    bool isNumeric() const { return type_ != Type::String; }
    bool isString() const { return type_ == Type::String; }
    bool isDate() const { return type_ == Type::Date; }
    bool isDateTime() const { return type_ == Type::DateTime; }
    bool isTime() const { return type_ == Type::Time; }

    bool isMissing() const { return isNumeric() ? std::isnan(number_) : (!text_ || text_->empty()); }
    bool isSparse() const { return (flags_ & SPARSE) != 0; }
    bool isAllOthers() const { return (flags_ & ALL_OTHERS) != 0; }
    bool isMatchesAll() const { return (flags_ & MATCHES_ALL) != 0; }
    /// False for missing and sparse values.
    bool hasValue() const { return !isMissing() && !isSparse(); }
    uint8_t getFlags() const { return flags_; }
    void setFlags(uint8_t flags) { flags_ = flags; }

    /// The number (NaN for strings and missing values).
    double getNumber() const { return isNumeric() ? number_ : std::numeric_limits<double>::quiet_NaN(); }
    /// The string of a string value; null for numbers.
    std::shared_ptr<const std::string> getString() const { return text_; }

    /// The formatted text: the text set with setFormattedValue, else the string
    /// of a string value, else the number in the default format of its type
    /// (BEST12., DATE9., DATETIME19., TIME8.). Sparse values give "".
    std::shared_ptr<const std::string> getFormattedValue() const;
    /// The formatted text as a plain string ("" when there is none).
    std::string getPresentableText() const;
    void setFormattedValue(std::shared_ptr<const std::string> f) { formatted_ = std::move(f); }
    void setFormattedValue(const std::string& f) { formatted_ = std::make_shared<const std::string>(f); }
    bool hasFormattedValue() const { return formatted_ != nullptr; }

    /// The number in a format ("COMMA12.2", "DATE9.", "CMPCOMMA12.1" ...). An
    /// unknown format name formats as BEST12.
    static std::string formatNumericValue(double number, std::string_view formatName);

    bool equals(const DataValue& other) const { return compare(*this, other) == 0; }
    bool operator==(const DataValue& other) const { return equals(other); }
    bool operator<(const DataValue& other) const { return compare(*this, other) < 0; }
    /// Negative, zero or positive as a orders before, with or after b.
    static int compare(const DataValue& a, const DataValue& b);
    size_t hash() const;

    /// Text for logs and expressions: numbers as the shortest exact decimal,
    /// strings as they are, "." for missing numbers.
    std::string toString() const;

private:
    static const std::shared_ptr<const std::string>& empty();

    double number_ = std::numeric_limits<double>::quiet_NaN();
    std::shared_ptr<const std::string> text_;
    mutable std::shared_ptr<const std::string> formatted_;
    Type type_ = Type::Number;
    uint8_t flags_ = 0;
};

} // namespace orvane
