// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/text/FontFace.h"

namespace orvane {

FontFace::FontFace(std::string requestedFamily, std::string family, std::string file, bool bold, bool italic)
    : requestedFamily_(std::move(requestedFamily)), family_(std::move(family)), file_(std::move(file)), bold_(bold),
      italic_(italic) {}

FontFace::Glyph FontFace::lookup(char32_t cp) const {
    if (cp == U'\t') return loadGlyph(U' ');
    if (cp < 0x20 || (cp >= 0x7f && cp < 0xa0) || cp == 0x200b || cp == 0xfeff) return {};
    return loadGlyph(cp);
}

void FontFace::fillLatinTable() {
    for (char32_t cp = 0; cp < 256; ++cp) latin_[cp] = lookup(cp);
}

const FontFace::Glyph& FontFace::otherGlyph(char32_t cp) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = others_.find(cp);
    if (it == others_.end()) it = others_.emplace(cp, lookup(cp)).first;
    return it->second;
}

} // namespace orvane
