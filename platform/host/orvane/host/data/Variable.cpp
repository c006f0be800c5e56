// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/Variable.h"

#include "orvane/host/format/FormatterFactory.h"

namespace orvane {

Variable::Variable(std::string name, int type)
    : name_(std::make_shared<const std::string>(std::move(name))), type_(type == NUMERIC ? NUMERIC : CHARACTER) {}

void Variable::setLabel(const std::string& label) {
    label_ = label.empty() ? nullptr : std::make_shared<const std::string>(label);
}

void Variable::setFormatName(std::string_view formatName) {
    if (formatName.empty()) {
        formatName_.reset();
        formatter_.reset();
    } else {
        formatName_ = std::make_shared<const std::string>(formatName);
        formatter_ = FormatterFactory::getFormatter(formatName);
    }
    formatChanged();
}

std::shared_ptr<Formatter> Variable::getEffectiveFormatter() const {
    return formatter_ ? formatter_ : FormatterFactory::getFormatter("BEST12.");
}

int Variable::getDataUsage() const {
    if (dataUsage_ != 0) return dataUsage_;
    return isNumeric() && !isDateTime() ? MEASURE : CATEGORY;
}

} // namespace orvane
