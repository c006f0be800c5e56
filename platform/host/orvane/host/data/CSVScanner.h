// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <cstddef>
#include <cstdint>

namespace orvane {

/// Vectorised scans over CSV text, with the widest instruction set the
/// processor offers (chosen once at run time).
class ORVANE_HOST_EXPORT CSVScanner {
public:
    /// For each of `blocks` 64-byte blocks starting at text, a word whose bit i
    /// is set when byte i of the block is the delimiter, a quote, a line feed or
    /// a carriage return. text must hold blocks * 64 readable bytes.
    static void structuralMasks(const char* text, size_t blocks, char delimiter, uint64_t* masks);
    /// How many bytes of text[0, size) equal byte.
    static size_t count(const char* text, size_t size, char byte);
    /// The offset of the first byte of text[0, size) that is not ASCII (size
    /// when there is none).
    static size_t firstNonAscii(const char* text, size_t size);
};

} // namespace orvane
