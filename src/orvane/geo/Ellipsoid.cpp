// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/Ellipsoid.h"

#include <limits>

namespace orvane::Proj4::ellipsoid {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

// Constant-initialised: ready before any code of the library runs.
constinit const std::array<EllipsoidDef, 42> Ellipsoid = {{
    {6378137.0, kNaN, 298.257223563, "WGS 84"},
    {6378136.0, kNaN, 298.257, "Soviet Geodetic System 85"},
    {6378137.0, kNaN, 298.257222101, "GRS 1980(IUGG, 1980)"},
    {6378140.0, kNaN, 298.257, "IAU 1976"},
    {6377563.396, 6356256.91, kNaN, "Airy 1830"},
    {6378137.0, kNaN, 298.25, "Appl. Physics. 1965"},
    {6378145.0, kNaN, 298.25, "Naval Weapons Lab., 1965"},
    {6377340.189, 6356034.446, kNaN, "Modified Airy"},
    {6377104.43, kNaN, 300.0, "Andrae 1876 (Den., Iclnd.)"},
    {6378160.0, kNaN, 298.25, "Australian Natl & S. Amer. 1969"},
    {6378160.0, kNaN, 298.2471674270, "GRS 67(IUGG 1967)"},
    {6377397.155, kNaN, 299.1528128, "Bessel 1841"},
    {6377483.865, kNaN, 299.1528128, "Bessel 1841 (Namibia)"},
    {6378206.4, 6356583.8, kNaN, "Clarke 1866"},
    {6378249.145, kNaN, 293.4663, "Clarke 1880 mod."},
    {6375738.7, kNaN, 334.29, "Comm. des Poids et Mesures 1799"},
    {6376428.0, kNaN, 311.5, "Delambre 1810 (Belgium)"},
    {6378136.05, kNaN, 298.2566, "Engelis 1985"},
    {6377276.345, kNaN, 300.8017, "Everest 1830"},
    {6377304.063, kNaN, 300.8017, "Everest 1948"},
    {6377301.243, kNaN, 300.8017, "Everest 1956"},
    {6377295.664, kNaN, 300.8017, "Everest 1969"},
    {6377298.556, kNaN, 300.8017, "Everest (Sabah & Sarawak)"},
    {6378166.0, kNaN, 298.3, "Fischer (Mercury Datum) 1960"},
    {6378155.0, kNaN, 298.3, "Modified Fischer 1960"},
    {6378150.0, kNaN, 298.3, "Fischer 1968"},
    {6378200.0, kNaN, 298.3, "Helmert 1906"},
    {6378270.0, kNaN, 297.0, "Hough"},
    {6378388.0, kNaN, 297.0, "International 1924 (Hayford 1909, 1910)"},
    {6378245.0, kNaN, 298.3, "Krassovsky, 1942"},
    {6378163.0, kNaN, 298.24, "Kaula 1961"},
    {6378139.0, kNaN, 298.257, "Lerch 1979"},
    {6397300.0, kNaN, 191.0, "Maupertius 1738"},
    {6378157.5, 6356772.2, kNaN, "New International 1967"},
    {6376523.0, 6355863.0, kNaN, "Plessis 1817 (France)"},
    {6378155.0, 6356773.3205, kNaN, "Southeast Asia"},
    {6376896.0, 6355834.8467, kNaN, "Walbeck"},
    {6378165.0, kNaN, 298.3, "WGS 60"},
    {6378145.0, kNaN, 298.25, "WGS 66"},
    {6378135.0, kNaN, 298.26, "WGS 72"},
    {6378137.0, kNaN, 298.257, "MERIT 1983"},
    {6370997.0, 6370997.0, kNaN, "Normal Sphere (r=6370997)"},
}};

} // namespace orvane::Proj4::ellipsoid
