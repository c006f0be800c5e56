// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration RenderingType: names in upper case, document form in lower case.
class ORVANE_EXPORT RenderingType : public Enumeration<RenderingType> {
public:
    enum type : int { SINGLE = 0, STACKED_ARCGIS_WEBMAP = 1 };
    static constexpr int COUNT = 2;
    static const EnumerationTable& table();
};

} // namespace orvane
