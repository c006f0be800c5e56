// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <array>
#include <string_view>

namespace orvane::Proj4::datum {

/// A geodetic datum: its shift to WGS 84 (three or seven comma-separated
/// towgs84 parameters, or a list of grid files each written "@name"), the
/// index of its ellipsoid in ellipsoid::Ellipsoid, and its name.
struct ORVANE_EXPORT DatumDef {
    std::string_view shift;
    int ellipsoid;
    std::string_view name;
};

extern ORVANE_EXPORT const std::array<DatumDef, 10> Datum;

} // namespace orvane::Proj4::datum
