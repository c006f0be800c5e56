// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/Datum.h"

namespace orvane::Proj4::datum {

constinit const std::array<DatumDef, 10> Datum = {{
    {"0,0,0", 0, "WGS84"},
    {"-199.87,74.79,246.62", 2, "Greek_Geodetic_Reference_System_1987"},
    {"0,0,0", 2, "North_American_Datum_1983"},
    {"@conus,@alaska,@ntv2_0.gsb,@ntv_can.dat", 13, "North_American_Datum_1927"},
    {"606.0,23.0,413.0", 11, "Potsdam Rauenberg 1950 DHDN"},
    {"-263.0,6.0,431.0", 14, "Carthage 1934 Tunisia"},
    {"653.0,-212.0,449.0", 11, "Hermannskogel"},
    {"482.530,-130.596,564.557,-1.042,-0.214,-0.631,8.15", 7, "Ireland 1965"},
    {"59.47,-5.04,187.44,0.47,-0.1,1.024,-4.5993", 28, "New Zealand Geodetic Datum 1949"},
    {"446.448,-125.157,542.060,0.1502,0.2470,0.8421,-20.4894", 4, "Airy 1830"},
}};

} // namespace orvane::Proj4::datum
