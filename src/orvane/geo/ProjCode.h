// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <array>
#include <string_view>

namespace orvane::Proj4 {

namespace ProjCode {
/// PROJ definitions of the spatial references map code knows by heart:
/// longitude/latitude on WGS 84, web Mercator, NAD83, British National Grid,
/// UTM zone 39N, Dutch RD, Lambert 93 and SVY21.
extern ORVANE_EXPORT const std::array<std::string_view, 10> Defs;
} // namespace ProjCode

/// Spatial-reference ids that a map grid uses directly: WGS 84
/// longitude/latitude and web Mercator (Esri's and EPSG's id).
inline constexpr std::array<int, 3> GriddableProjections = {4326, 102100, 3857};

constexpr bool isGriddableProjection(int wkid) {
    for (int id : GriddableProjections)
        if (id == wkid) return true;
    return false;
}

} // namespace orvane::Proj4
