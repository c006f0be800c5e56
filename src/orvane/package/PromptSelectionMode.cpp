// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/PromptSelectionMode.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 2> kStringToEnum{{{"DISCRETE", 0}, {"RANGE", 1}}};
constexpr std::array<std::string_view, 2> kNames{{"DISCRETE", "RANGE"}};
} // namespace

const EnumerationTable& PromptSelectionMode::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
