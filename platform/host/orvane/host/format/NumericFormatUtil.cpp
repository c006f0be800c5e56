// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/format/NumericFormatUtil.h"

#include "orvane/host/format/FormatterFactory.h"

#include <algorithm>

namespace orvane {

namespace {
// The base format of a number format name, or null for other formats.
std::shared_ptr<Formatter> numericBase(std::string_view formatName) {
    auto f = FormatterFactory::tryGetFormatter(formatName);
    if (!f || f->isTemporal() || f->isCharacterFormat()) return nullptr;
    return f;
}

std::string baseLetters(const Formatter& f) {
    const std::string& b = f.getBaseName();
    return b;
}
} // namespace

std::string NumericFormatUtil::getCompactPrecisionFormatName(std::string_view formatName, unsigned int scale,
                                                             unsigned int precision) {
    if (scale == 0 && precision == 0) return {};
    auto f = numericBase(formatName);
    if (!f) return {};
    int decimals = precision > 0 ? static_cast<int>(std::min(precision, 15u)) : f->getDecimals();
    std::string name = "CMP" + baseLetters(*f) + std::to_string(f->getWidth()) + "." +
                       (decimals > 0 ? std::to_string(decimals) : std::string());
    if (scale > 0) name += "x" + std::to_string(scale);
    return name;
}

std::string NumericFormatUtil::getCompactBusinessFormatName(std::string_view formatName) {
    auto f = numericBase(formatName);
    if (!f) return {};
    return "CMP" + baseLetters(*f) + std::to_string(f->getWidth()) + ".1";
}

} // namespace orvane
