// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <array>
#include <string_view>

namespace orvane::Proj4::ellipsoid {

/// An earth ellipsoid: equatorial radius a (metres) and either the polar
/// radius b or the inverse flattening rf (the other one is NaN).
struct ORVANE_EXPORT EllipsoidDef {
    double a;
    double b;
    double rf;
    std::string_view name;
};

/// The ellipsoids of the PROJ list, WGS 84 first. Datum records refer to rows
/// by index.
extern ORVANE_EXPORT const std::array<EllipsoidDef, 42> Ellipsoid;

} // namespace orvane::Proj4::ellipsoid
