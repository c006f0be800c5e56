// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/SonificationScale.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 1> kStringToEnum{{{"PENTATONIC", 0}}};
constexpr std::array<std::string_view, 1> kNames{{"PENTATONIC"}};
} // namespace

const EnumerationTable& SonificationScale::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
