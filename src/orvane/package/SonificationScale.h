#pragma once
#include "orvane/package/EnumerationTable.h"

namespace orvane {

// Enumeration SonificationScale: names in upper case, document form in lower case.
class SonificationScale : public Enumeration<SonificationScale> {
public:
    enum type : int { PENTATONIC = 0 };
    static constexpr int COUNT = 1;
    static const EnumerationTable& table();
};

} // namespace orvane
