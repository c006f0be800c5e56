// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/Level.h"

#include "orvane/host/format/Formatter.h"
#include "orvane/host/format/FormatterFactory.h"

#include <charconv>

namespace orvane {

Level::Level(std::string name, std::string label, std::string formatName)
    : name_(std::make_shared<const std::string>(name)),
      label_(label.empty() ? name_ : std::make_shared<const std::string>(std::move(label))),
      formatName_(std::move(formatName)) {}

std::shared_ptr<Level> Level::create(const std::string& name, const std::string& label, const std::string& formatName) {
    return std::make_shared<Level>(name, label, formatName);
}

std::shared_ptr<Formatter> Level::getFormatter() const {
    return formatName_.empty() ? nullptr : FormatterFactory::tryGetFormatter(formatName_);
}

std::shared_ptr<DataValue> Level::convertValue(std::string_view text) const {
    if (auto f = getFormatter()) {
        if (auto v = DataValue::fromText(text, f.get())) return v;
    }
    double number = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec == std::errc() && end == text.data() + text.size() && !text.empty()) return DataValue::create(number);
    return DataValue::create(std::string(text));
}

std::string Level::formatValue(const DataValue& value) const {
    if (value.isNumeric() && value.hasValue()) {
        if (auto f = getFormatter()) return f->format(value.getNumber());
    }
    return value.getPresentableText();
}

} // namespace orvane
