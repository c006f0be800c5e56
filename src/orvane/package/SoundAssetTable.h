// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <cstddef>
#include <span>

namespace orvane {

/// The package's sound files compiled into the library. The table is generated
/// at build time (tools/soundgen synthesises and encodes the sounds) and lists
/// each file's path relative to the package's asset folder with its bytes.
class ORVANE_EXPORT SoundAssetTable {
public:
    struct Entry {
        const char* path;  ///< e.g. "sonification/mp3/piano/key02_p_Flat.mp3"
        const unsigned char* bytes;
        std::size_t length;
    };

    static std::span<const Entry> entries();
};

} // namespace orvane
