#pragma once
#include "orvane/package/EnumerationTable.h"

namespace orvane {

// Enumeration RenderingType: names in upper case, document form in lower case.
class RenderingType : public Enumeration<RenderingType> {
public:
    enum type : int { SINGLE = 0, STACKED_ARCGIS_WEBMAP = 1 };
    static constexpr int COUNT = 2;
    static const EnumerationTable& table();
};

} // namespace orvane
