// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/EnumerationTable.h"

#include <cctype>

namespace orvane {

std::shared_ptr<const std::string> EnumerationTable::stringFromValue(int value) const {
    std::call_once(once_, [this] {
        for (std::string_view n : names_) strings_.push_back(std::make_shared<const std::string>(n));
    });
    if (value < 0 || static_cast<size_t>(value) >= strings_.size()) return nullptr;
    return strings_[static_cast<size_t>(value)];
}

std::string EnumerationTable::xmlRepresentation(int value) const {
    if (value < 0 || static_cast<size_t>(value) >= names_.size()) return {};
    if (!xmlNames_.empty()) return std::string(xmlNames_[static_cast<size_t>(value)]);
    std::string out(names_[static_cast<size_t>(value)]);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace orvane
