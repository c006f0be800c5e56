// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/ProjCode.h"

namespace orvane::Proj4::ProjCode {

constinit const std::array<std::string_view, 10> Defs = {{
    "+proj=longlat +datum=WGS84 +no_defs",
    "+proj=longlat +datum=WGS84 +no_defs",
    "+proj=merc +a=6378137 +b=6378137 +lat_ts=0.0 +lon_0=0.0 +x_0=0.0 +y_0=0.0 +k=1.0 +units=m +nadgrids=@null "
    "+wktext +no_defs",
    "+proj=longlat +datum=WGS84 +no_defs",
    "+proj=longlat +datum=NAD83 +no_defs",
    "+proj=tmerc +lat_0=49 +lon_0=-2 +k=0.9996012717 +x_0=400000 +y_0=-100000 +datum=OSGB36 +units=m +no_defs",
    "+proj=utm +zone=39 +datum=WGS84 +units=m +no_defs",
    "+proj=sterea +lat_0=52.15616055555555 +lon_0=5.38763888888889 +k=0.9999079 +x_0=155000 +y_0=463000 "
    "+ellps=bessel +towgs84=565.417,50.3319,465.552,-0.398957,0.343988,-1.8774,4.0725 +units=m +no_defs",
    "+proj=lcc +lat_1=49 +lat_2=44 +lat_0=46.5 +lon_0=3 +x_0=700000 +y_0=6600000 +ellps=GRS80 "
    "+towgs84=0,0,0,0,0,0,0 +units=m +no_defs",
    "+proj=tmerc +lat_0=1.366666666666667 +lon_0=103.8333333333333 +k=1 +x_0=28001.642 +y_0=38744.572 "
    "+ellps=WGS84 +units=m +no_defs",
}};

} // namespace orvane::Proj4::ProjCode
