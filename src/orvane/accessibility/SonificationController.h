// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/Wrappable.h"
#include "orvane/package/SonificationScale.h"
#include "orvane/package/SonificationStyle.h"

#include <array>
#include <memory>
#include <vector>

namespace orvane {

class SonificationTone;

/// Supplies the musical scale that values are mapped onto. The only scale is
/// the pentatonic one formed by the 36 black keys of an 88-key piano.
class ORVANE_EXPORT SonificationController : public virtual Wrappable {
public:
    using ToneList = std::vector<std::shared_ptr<SonificationTone>>;

    static std::shared_ptr<SonificationController> create() { return std::make_shared<SonificationController>(); }

    /// A new list with one tone per black key, lowest first (36 tones). Each
    /// enumeration has a single value, so the arguments select nothing more.
    std::shared_ptr<ToneList> getScale(SonificationScale::type scale, SonificationStyle::type style) const;

    /// Key numbers of the black keys, counted from 1 at the lowest key (A0).
    static const std::array<int, 36>& blackKeys();
};

} // namespace orvane
