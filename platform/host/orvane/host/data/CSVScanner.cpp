// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/CSVScanner.h"

#include <cstring>

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "orvane/host/data/CSVScanner.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace orvane {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

void StructuralMasks(const char* text, size_t blocks, char delimiter, uint64_t* masks) {
    const hn::ScalableTag<uint8_t> d;
    const size_t lanes = hn::Lanes(d);
    const auto* p = reinterpret_cast<const uint8_t*>(text);
    if (lanes < 8 || 64 % lanes != 0) {
        for (size_t b = 0; b < blocks; ++b) {
            uint64_t m = 0;
            for (size_t i = 0; i < 64; ++i) {
                char c = text[b * 64 + i];
                if (c == delimiter || c == '"' || c == '\n' || c == '\r') m |= uint64_t(1) << i;
            }
            masks[b] = m;
        }
        return;
    }
    const auto vd = hn::Set(d, static_cast<uint8_t>(delimiter));
    const auto vq = hn::Set(d, static_cast<uint8_t>('"'));
    const auto vn = hn::Set(d, static_cast<uint8_t>('\n'));
    const auto vr = hn::Set(d, static_cast<uint8_t>('\r'));
    for (size_t b = 0; b < blocks; ++b) {
        // Mask bits are stored lanes/8 bytes at a time: in little-endian order
        // the 8 bytes form the block's word.
        uint8_t bits[8];
        for (size_t i = 0; i < 64; i += lanes) {
            const auto v = hn::LoadU(d, p + b * 64 + i);
            const auto m = hn::Or(hn::Or(hn::Eq(v, vd), hn::Eq(v, vq)), hn::Or(hn::Eq(v, vn), hn::Eq(v, vr)));
            hn::StoreMaskBits(d, m, bits + i / 8);
        }
        uint64_t w = 0;
        for (int k = 7; k >= 0; --k) w = (w << 8) | bits[k];
        masks[b] = w;
    }
}

size_t Count(const char* text, size_t size, char byte) {
    const hn::ScalableTag<uint8_t> d;
    const size_t lanes = hn::Lanes(d);
    const auto* p = reinterpret_cast<const uint8_t*>(text);
    const auto vb = hn::Set(d, static_cast<uint8_t>(byte));
    size_t n = 0, i = 0;
    for (; i + lanes <= size; i += lanes) n += hn::CountTrue(d, hn::Eq(hn::LoadU(d, p + i), vb));
    for (; i < size; ++i) n += text[i] == byte;
    return n;
}

size_t FirstNonAscii(const char* text, size_t size) {
    const hn::ScalableTag<uint8_t> d;
    const size_t lanes = hn::Lanes(d);
    const auto* p = reinterpret_cast<const uint8_t*>(text);
    const auto high = hn::Set(d, static_cast<uint8_t>(0x80));
    size_t i = 0;
    // Four vectors at a time while all is ASCII, then the vector that is not.
    for (; i + 4 * lanes <= size; i += 4 * lanes) {
        const auto any = hn::Or(hn::Or(hn::LoadU(d, p + i), hn::LoadU(d, p + i + lanes)),
                                hn::Or(hn::LoadU(d, p + i + 2 * lanes), hn::LoadU(d, p + i + 3 * lanes)));
        if (!hn::AllFalse(d, hn::TestBit(any, high))) break;
    }
    for (; i + lanes <= size; i += lanes) {
        const intptr_t k = hn::FindFirstTrue(d, hn::TestBit(hn::LoadU(d, p + i), high));
        if (k >= 0) return i + static_cast<size_t>(k);
    }
    for (; i < size; ++i)
        if (p[i] >= 0x80) return i;
    return size;
}

} // namespace HWY_NAMESPACE
} // namespace orvane
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace orvane {

HWY_EXPORT(StructuralMasks);
HWY_EXPORT(Count);
HWY_EXPORT(FirstNonAscii);

void CSVScanner::structuralMasks(const char* text, size_t blocks, char delimiter, uint64_t* masks) {
    HWY_DYNAMIC_DISPATCH(StructuralMasks)(text, blocks, delimiter, masks);
}

size_t CSVScanner::count(const char* text, size_t size, char byte) {
    return HWY_DYNAMIC_DISPATCH(Count)(text, size, byte);
}

size_t CSVScanner::firstNonAscii(const char* text, size_t size) {
    return HWY_DYNAMIC_DISPATCH(FirstNonAscii)(text, size);
}

} // namespace orvane
#endif
