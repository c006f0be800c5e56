// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration SonificationScale: names in upper case, document form in lower case.
class ORVANE_EXPORT SonificationScale : public Enumeration<SonificationScale> {
public:
    enum type : int { PENTATONIC = 0 };
    static constexpr int COUNT = 1;
    static const EnumerationTable& table();
};

} // namespace orvane
