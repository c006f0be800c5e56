#pragma once
#include "host/Wrappable.h"

#include <cmath>
#include <limits>
#include <memory>
#include <string>

namespace orvane {

// One data value: a number or a string, with its formatted text.
class DataValue : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 46;

    DataValue() = default;
    explicit DataValue(double number) : number_(number), isNumber_(true), missing_(std::isnan(number)) {}
    explicit DataValue(std::string text) : text_(std::make_shared<const std::string>(std::move(text))) {}

    static std::shared_ptr<DataValue> create(double number) { return std::make_shared<DataValue>(number); }
    static std::shared_ptr<DataValue> create(const std::string& text) { return std::make_shared<DataValue>(text); }
    static std::shared_ptr<DataValue> createMissing() {
        auto v = std::make_shared<DataValue>(std::numeric_limits<double>::quiet_NaN());
        return v;
    }

    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    bool isNumeric() const { return isNumber_; }
    bool isMissing() const { return missing_; }
    double getNumber() const { return isNumber_ ? number_ : std::numeric_limits<double>::quiet_NaN(); }
    std::shared_ptr<const std::string> getString() const { return text_; }
    std::shared_ptr<const std::string> getFormattedValue() const { return formatted_ ? formatted_ : text_; }
    void setFormattedValue(std::shared_ptr<const std::string> f) { formatted_ = std::move(f); }
    void setFormattedValue(const std::string& f) { formatted_ = std::make_shared<const std::string>(f); }

private:
    double number_ = std::numeric_limits<double>::quiet_NaN();
    bool isNumber_ = false;
    bool missing_ = false;
    std::shared_ptr<const std::string> text_;
    std::shared_ptr<const std::string> formatted_;
};

} // namespace orvane
