// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"

namespace orvane {

/// Kinds of view transitions.
class ORVANE_HOST_EXPORT TransitionTypes {
public:
    enum type : int {
        NONE = 0,
        CONSTRUCTION = 1,        ///< a view appearing for the first time
        DATA_SOURCE_CHANGE = 2,  ///< the data behind a view changed
        SELECTION = 3,
        FILTER = 4,
        PROPERTY_CHANGE = 5,     ///< an ordinary model change
        PFD_ARRANGEMENT = 6,     ///< a change of arrangement (placement of fields)
        RESIZE = 7,
        SCROLL = 8,
        DRILL = 9,
        CONTINUOUS = 10          // always allowed, not a "transition" for isTransitioning
    };
};

/// Kinds of transition phases.
class ORVANE_HOST_EXPORT TransitionPhaseTypes {
public:
    enum type : int { NONE = 0, FADE = 1, MORPH = 2, CONSTRUCTION = 3 };
};

} // namespace orvane
