// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/geo/Projection.h"

#include <memory>
#include <string>

namespace orvane {

/// Map helpers of the host.
class ORVANE_HOST_EXPORT MapUtilities {
public:
    /// The projection for a spatial-reference code (see Proj4::Projection::create),
    /// cached per code; null when unknown.
    static std::shared_ptr<Proj4::Projection> getProjection(const std::string& code);
};

} // namespace orvane
