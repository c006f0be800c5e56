// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/SonificationStyle.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 1> kStringToEnum{{{"PIANO", 0}}};
constexpr std::array<std::string_view, 1> kNames{{"PIANO"}};
} // namespace

const EnumerationTable& SonificationStyle::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
