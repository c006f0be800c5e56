// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/RenderingType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 2> kStringToEnum{{{"SINGLE", 0}, {"STACKED_ARCGIS_WEBMAP", 1}}};
constexpr std::array<std::string_view, 2> kNames{{"SINGLE", "STACKED_ARCGIS_WEBMAP"}};
} // namespace

const EnumerationTable& RenderingType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
