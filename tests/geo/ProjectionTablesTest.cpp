// SPDX-License-Identifier: Apache-2.0
// The projection tables checked against PROJ, and the host projections built on it.
#include "orvane/host/geo/MapUtilities.h"
#include "orvane/host/geo/Projection.h"
#include "orvane/geo/Datum.h"
#include "orvane/geo/Ellipsoid.h"
#include "orvane/geo/ProjCode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>
#include <string>

using namespace orvane;
namespace ellipsoid = orvane::Proj4::ellipsoid;
namespace datum = orvane::Proj4::datum;

namespace {

// The polar radius of a row, from b or from the inverse flattening.
double polarRadius(double a, double b, double rf) { return std::isnan(b) ? a * (1.0 - 1.0 / rf) : b; }

} // namespace

TEST(ProjectionTables, EveryEllipsoidRowIsOneOfProjsList) {
    auto proj = Proj4::Projection::listEllipsoids();
    ASSERT_GE(proj.size(), 40u);
    std::set<std::string> used;
    for (const auto& row : ellipsoid::Ellipsoid) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_NE(std::isnan(row.b), std::isnan(row.rf));  // exactly one of the two
        const Proj4::Projection::EllipsoidRow* match = nullptr;
        for (const auto& p : proj)
            if (p.name == row.name) match = &p;
        ASSERT_TRUE(match) << "no PROJ ellipsoid of that name";
        EXPECT_TRUE(used.insert(match->id).second) << "two rows name " << match->id;
        EXPECT_NEAR(row.a, match->a, 1e-6);
        // The same shape, whichever of b and rf each side gives.
        EXPECT_NEAR(polarRadius(row.a, row.b, row.rf), polarRadius(match->a, match->b, match->rf), 1e-2);
    }
    EXPECT_EQ(ellipsoid::Ellipsoid.front().name, "WGS 84");
    EXPECT_EQ(ellipsoid::Ellipsoid.back().name, "Normal Sphere (r=6370997)");
}

TEST(ProjectionTables, DatumsReferToTheirEllipsoids) {
    const std::pair<const char*, const char*> expected[] = {
        {"WGS84", "WGS 84"},
        {"North_American_Datum_1927", "Clarke 1866"},
        {"Potsdam Rauenberg 1950 DHDN", "Bessel 1841"},
        {"Ireland 1965", "Modified Airy"},
        {"New Zealand Geodetic Datum 1949", "International 1924 (Hayford 1909, 1910)"},
        {"Airy 1830", "Airy 1830"},
    };
    for (const auto& d : datum::Datum) {
        SCOPED_TRACE(std::string(d.name));
        ASSERT_GE(d.ellipsoid, 0);
        ASSERT_LT(static_cast<size_t>(d.ellipsoid), ellipsoid::Ellipsoid.size());
        for (const auto& [name, ellps] : expected) {
            if (d.name == name) {
                EXPECT_EQ(ellipsoid::Ellipsoid[static_cast<size_t>(d.ellipsoid)].name, ellps);
            }
        }
        // Either grid files or 3 or 7 numbers.
        std::string shift(d.shift);
        if (shift[0] == '@') continue;
        std::stringstream in(shift);
        std::string part;
        int n = 0;
        while (std::getline(in, part, ',')) {
            size_t used = 0;
            std::stod(part, &used);
            EXPECT_EQ(used, part.size()) << part;
            ++n;
        }
        EXPECT_TRUE(n == 3 || n == 7) << n;
    }
}

TEST(ProjectionTables, DefinitionsAreReadByProj) {
    std::vector<std::pair<bool, bool>> kinds;  // (web Mercator, longitude/latitude)
    for (auto def : Proj4::ProjCode::Defs) {
        auto p = Proj4::Projection::create(std::string(def));
        ASSERT_TRUE(p) << def;
        kinds.emplace_back(p->isWebMercator(), p->isLatLong());
    }
    const std::vector<std::pair<bool, bool>> expected = {{false, true},  {false, true},  {true, false}, {false, true},
                                                         {false, true},  {false, false}, {false, false}, {false, false},
                                                         {false, false}, {false, false}};
    EXPECT_EQ(kinds, expected);
    for (int id : Proj4::GriddableProjections) {
        auto p = MapUtilities::getProjection(Proj4::Projection::getSpatialReferenceCode(id));
        ASSERT_TRUE(p) << id;
        EXPECT_TRUE(p->isWebMercator() || p->isLatLong()) << id;
    }
    EXPECT_FALSE(Proj4::isGriddableProjection(2263));
}

TEST(ProjectionTables, SpatialReferenceCodesComeFromEitherRegistry) {
    EXPECT_EQ(Proj4::Projection::getSpatialReferenceCode(4326), "EPSG:4326");
    EXPECT_EQ(Proj4::Projection::getSpatialReferenceCode(102100), "ESRI:102100");
    EXPECT_EQ(Proj4::Projection::getSpatialReferenceCode(54004), "ESRI:54004");
    EXPECT_EQ(Proj4::Projection::getSpatialReferenceCode(0), "");
    EXPECT_EQ(Proj4::Projection::getSpatialReferenceCode(-5), "");
    EXPECT_EQ(Proj4::Projection::getSpatialReferenceCode(987654), "");

    auto merc = MapUtilities::getProjection("ESRI:102100");
    ASSERT_TRUE(merc);
    EXPECT_TRUE(merc->isWebMercator());
    EXPECT_FALSE(merc->isLatLong());
    EXPECT_EQ(MapUtilities::getProjection("ESRI:102100"), merc);  // cached
    auto mercatorA = MapUtilities::getProjection("EPSG:3395");  // ellipsoidal Mercator: not the web one
    ASSERT_TRUE(mercatorA);
    EXPECT_FALSE(mercatorA->isWebMercator());
    EXPECT_FALSE(MapUtilities::getProjection(""));
    EXPECT_FALSE(MapUtilities::getProjection("EPSG:0"));
    EXPECT_FALSE(MapUtilities::getProjection("+proj=nonsense"));
    EXPECT_FALSE(MapUtilities::getProjection("+proj=utm +zone=99"));
}
