// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane::Proj4 {

/// A coordinate reference system read with the PROJ library, reduced to what
/// map code asks of it. Built from "EPSG:n", "ESRI:n", a PROJ string
/// ("+proj=... ", "+type=crs" is added when missing) or WKT.
class ORVANE_HOST_EXPORT Projection : public virtual Wrappable {
public:
    /// Null when PROJ does not know the definition or it is not a coordinate
    /// reference system.
    static std::shared_ptr<Projection> create(const std::string& definition);

    /// The code of an Esri well-known id as PROJ knows it: "EPSG:n" when the
    /// EPSG registry has it, else "ESRI:n"; "" when neither does.
    static std::string getSpatialReferenceCode(int wkid);

    /// Spherical ("Pseudo") Mercator as used by web maps (EPSG:3857 and its
    /// aliases, or the equivalent PROJ string).
    bool isWebMercator() const { return webMercator_; }
    /// Geographic longitude/latitude coordinates.
    bool isLatLong() const { return latLong_; }
    bool isProjected() const { return projected_; }
    const std::string& getDefinition() const { return definition_; }
    /// The CRS name PROJ reports.
    const std::string& getName() const { return name_; }
    /// The PROJ string form ("" when PROJ cannot write one).
    const std::string& getProjString() const { return projString_; }

    /// One row of PROJ's built-in ellipsoid list. b or rf is NaN when the row
    /// gives the other one.
    struct EllipsoidRow {
        std::string id;
        double a;
        double b;
        double rf;
        std::string name;
    };
    static std::vector<EllipsoidRow> listEllipsoids();

    Projection() = default;

private:
    std::string definition_;
    std::string name_;
    std::string projString_;
    bool webMercator_ = false;
    bool latLong_ = false;
    bool projected_ = false;
};

} // namespace orvane::Proj4
