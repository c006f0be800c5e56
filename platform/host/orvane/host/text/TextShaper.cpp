// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/text/TextShaper.h"

#include "orvane/host/core/Utf8.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/text/FixedMetricsFontFace.h"
#include "orvane/host/text/TextEngine.h"

#include <hb.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace orvane {

namespace {

// Entries per font and direction before the cache starts afresh.
constexpr size_t CACHE_LIMIT = 1u << 17;

struct FontKey {
    const FontFace* face;
    float pixelSize;
    bool rightToLeft;
    bool operator==(const FontKey& o) const {
        return face == o.face && pixelSize == o.pixelSize && rightToLeft == o.rightToLeft;
    }
};

struct FontKeyHash {
    size_t operator()(const FontKey& k) const {
        return std::hash<const void*>()(k.face) ^ (std::hash<float>()(k.pixelSize) * 31u) ^ (k.rightToLeft ? 7u : 0u);
    }
};

// Shaped texts of one font, size and direction. Open addressing with linear
// probing over small slots (hash, width, where the text is kept), the texts
// packed one after another: a warm measurement reads one slot and one key,
// both from tables small enough to stay in the processor's caches.
class Table {
public:
    static constexpr uint32_t NONE = 0xffffffffu;

    static uint64_t hashOf(std::string_view text) {
        uint64_t h = std::hash<std::string_view>()(text);
        return h == 0 ? 1 : h;
    }

    // The entry of the text (its width in `width`), or NONE.
    uint32_t find(std::string_view text, uint64_t h, float& width) const {
        if (slots_.empty()) return NONE;
        const size_t mask = slots_.size() - 1;
        for (size_t i = h & mask;; i = (i + 1) & mask) {
            const Slot& s = slots_[i];
            if (s.hash == 0) return NONE;
            if (s.hash == h) {
                Record r;
                std::memcpy(&r, keys_.data() + s.key, sizeof r);
                if (r.length == text.size() &&
                    std::memcmp(keys_.data() + s.key + sizeof r, text.data(), text.size()) == 0) {
                    width = s.width;
                    return r.entry;
                }
            }
        }
    }

    const std::shared_ptr<const ShapedText>& shaped(uint32_t entry) const { return entries_[entry]; }

    uint32_t insert(std::string_view text, uint64_t h, std::shared_ptr<const ShapedText> shaped) {
        if (entries_.size() >= CACHE_LIMIT) {
            slots_.clear();
            keys_.clear();
            entries_.clear();
        }
        if ((entries_.size() + 1) * 10 > slots_.size() * 7) grow();
        Record r{static_cast<uint32_t>(entries_.size()), static_cast<uint32_t>(text.size())};
        Slot& s = place(h);
        s.hash = h;
        s.width = shaped->width;
        s.key = static_cast<uint32_t>(keys_.size());
        keys_.append(reinterpret_cast<const char*>(&r), sizeof r);
        keys_.append(text);
        entries_.push_back(std::move(shaped));
        return r.entry;
    }

private:
    struct Slot {
        uint64_t hash = 0;  // 0: empty
        float width = 0.0f;
        uint32_t key = 0;   // offset of the text's record in keys_
    };
    struct Record {
        uint32_t entry;
        uint32_t length;
    };

    Slot& place(uint64_t h) {
        const size_t mask = slots_.size() - 1;
        size_t i = h & mask;
        while (slots_[i].hash != 0) i = (i + 1) & mask;
        return slots_[i];
    }
    void grow() {
        std::vector<Slot> old;
        old.swap(slots_);
        slots_.resize(old.empty() ? 256 : old.size() * 2);
        for (const Slot& s : old)
            if (s.hash != 0) place(s.hash) = s;
    }

    std::vector<Slot> slots_;
    std::string keys_;  // records (entry, length) each followed by its text
    std::vector<std::shared_ptr<const ShapedText>> entries_;
};

struct Cache {
    std::unordered_map<FontKey, Table, FontKeyHash> tables;
    FontKey lastKey{nullptr, 0.0f, false};
    Table* last = nullptr;
    hb_buffer_t* buffer = nullptr;

    Table& table(const FontKey& k) {
        if (last && lastKey == k) return *last;
        last = &tables[k];
        lastKey = k;
        return *last;
    }
    ~Cache() {
        if (buffer) hb_buffer_destroy(buffer);
    }
};

Cache& cache() {
    thread_local Cache c;
    return c;
}

hb_unicode_funcs_t* unicode() {
    static hb_unicode_funcs_t* funcs = hb_unicode_funcs_get_default();
    return funcs;
}

bool isMark(char32_t cp) {
    switch (hb_unicode_general_category(unicode(), cp)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK: return true;
    default: return false;
    }
}

// Characters that never choose a face of their own: they stay with the
// character before them so that clusters and runs are not split.
bool followsPrevious(char32_t cp) {
    return cp <= 0x20 || (cp >= 0x7f && cp < 0xa0) || (cp >= 0x200b && cp <= 0x200f) || cp == 0xfeff ||
           (cp >= 0xfe00 && cp <= 0xfe0f) || (cp >= 0xe0100 && cp <= 0xe01ef) || isMark(cp);
}

bool isCommon(char32_t cp) {
    hb_script_t s = hb_unicode_script(unicode(), cp);
    return s == HB_SCRIPT_COMMON || s == HB_SCRIPT_INHERITED;
}

// What the shaper is given for a character: a tab is a space, other control
// characters are zero-width spaces (no width, no ink).
char32_t forShaping(char32_t cp) {
    if (cp == U'\t') return U' ';
    if (cp < 0x20 || (cp >= 0x7f && cp < 0xa0)) return 0x200b;
    return cp;
}

hb_language_t language() {
    std::string locale = ResourceManager::getLocalizationContext()->getLocale();
    std::replace(locale.begin(), locale.end(), '_', '-');
    return locale.empty() ? hb_language_get_default() : hb_language_from_string(locale.c_str(), -1);
}

struct Item {
    const FontFace* face;  // drawing face
    hb_script_t script;
    bool fixed;
    size_t begin;  // code point indices
    size_t end;
};

std::shared_ptr<ShapedText> shapeUncached(const Font& font, std::string_view text, bool rtl, hb_buffer_t* buffer) {
    auto out = std::make_shared<ShapedText>();
    const FontFace* face = font.getFace();
    const bool fixedMode = face->isFixedMetrics();
    const FontFace* drawing = face;
    if (fixedMode) {
        const auto& d = static_cast<const FixedMetricsFontFace*>(face)->getDrawing();
        if (d) drawing = d.get();
    }
    const float px = font.getPixelSize();

    // Code points and their byte offsets.
    std::vector<char32_t> cps;
    std::vector<uint32_t> offsets;
    cps.reserve(text.size());
    offsets.reserve(text.size() + 1);
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (const char* p = begin; p < end;) {
        offsets.push_back(static_cast<uint32_t>(p - begin));
        cps.push_back(Utf8::next(p, end));
    }
    const size_t n = cps.size();
    if (n == 0) return out;

    // Face, script and fixed advance of every character, then items of equal ones.
    std::vector<Item> items;
    std::vector<hb_script_t> scripts(n, HB_SCRIPT_COMMON);
    hb_script_t current = HB_SCRIPT_INVALID;
    for (size_t i = 0; i < n; ++i) {
        hb_script_t s = hb_unicode_script(unicode(), cps[i]);
        if (s == HB_SCRIPT_COMMON || s == HB_SCRIPT_INHERITED || s == HB_SCRIPT_UNKNOWN) {
            scripts[i] = current;
        } else {
            if (current == HB_SCRIPT_INVALID)
                for (size_t k = 0; k < i; ++k) scripts[k] = s;  // leading neutrals take the first script
            scripts[i] = current = s;
        }
    }
    if (current == HB_SCRIPT_INVALID) std::fill(scripts.begin(), scripts.end(), HB_SCRIPT_COMMON);

    TextEngine& engine = TextEngine::instance();
    std::vector<std::shared_ptr<const FontFace>> fallbacks;  // kept alive (the engine keeps them too)
    const FontFace* previous = nullptr;
    for (size_t i = 0; i < n; ++i) {
        char32_t cp = cps[i];
        bool fixed = fixedMode && TextShaper::isFixedAdvance(cp);
        const FontFace* f = drawing;
        if (previous && followsPrevious(cp) && (!isMark(cp) || previous->hasGlyph(cp))) {
            f = previous;
        } else if (previous && previous != drawing && isCommon(cp) && previous->hasGlyph(cp)) {
            // Punctuation and digits amid text of a fallback face keep that
            // face (CJK commas look like their text, not like the first font
            // that happens to have them).
            f = previous;
        } else if (!drawing->hasGlyph(cp) && (!followsPrevious(cp) || isMark(cp))) {
            // Missing in the font: the first face that has it, else the box.
            if (auto fb = engine.getFallbackFace(*drawing, cp)) {
                f = fb.get();
                fallbacks.push_back(std::move(fb));
            }
        }
        previous = f;
        if (!items.empty() && items.back().face == f && items.back().script == scripts[i] &&
            items.back().fixed == fixed) {
            items.back().end = i + 1;
        } else {
            items.push_back({f, scripts[i], fixed, i, i + 1});
        }
    }

    std::vector<uint32_t> mapped(n);
    for (size_t i = 0; i < n; ++i) mapped[i] = static_cast<uint32_t>(forShaping(cps[i]));
    hb_language_t lang = language();

    double pen = 0.0;  // summed in double so that n fixed advances come to n times one
    auto place = [&](const FontFace* f, uint32_t index, float dx, float dy, float advance, size_t cpIndex) {
        out->glyphs.push_back({f, index, static_cast<float>(pen) + dx, dy, advance, offsets[cpIndex]});
        pen += advance;
    };
    const size_t count = items.size();
    for (size_t k = 0; k < count; ++k) {
        const Item& it = items[rtl ? count - 1 - k : k];
        if (it.fixed) {
            for (size_t j = 0; j < it.end - it.begin; ++j) {
                size_t i = rtl ? it.end - 1 - j : it.begin + j;
                place(it.face, it.face->getGlyphIndex(cps[i]), 0.0f, 0.0f, face->getAdvance(cps[i]) * px, i);
            }
            continue;
        }
        auto* hbFont = static_cast<hb_font_t*>(it.face->getShapingFont());
        if (!hbFont) {
            for (size_t j = 0; j < it.end - it.begin; ++j) {
                size_t i = rtl ? it.end - 1 - j : it.begin + j;
                place(it.face, it.face->getGlyphIndex(cps[i]), 0.0f, 0.0f, it.face->getAdvance(cps[i]) * px, i);
            }
            continue;
        }
        hb_buffer_clear_contents(buffer);
        hb_buffer_add_codepoints(buffer, mapped.data(), static_cast<int>(n), static_cast<unsigned>(it.begin),
                                 static_cast<int>(it.end - it.begin));
        hb_buffer_set_direction(buffer, rtl ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
        hb_buffer_set_script(buffer, it.script);
        hb_buffer_set_language(buffer, lang);
        hb_shape(hbFont, buffer, nullptr, 0);
        unsigned len = 0;
        hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &len);
        hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &len);
        int xs = 0, ys = 0;
        hb_font_get_scale(hbFont, &xs, &ys);
        float sx = xs != 0 ? px / static_cast<float>(xs) : 0.0f;
        float sy = ys != 0 ? px / static_cast<float>(ys) : 0.0f;
        for (unsigned g = 0; g < len; ++g) {
            size_t cluster = std::min<size_t>(info[g].cluster, n - 1);
            place(it.face, info[g].codepoint, static_cast<float>(pos[g].x_offset) * sx,
                  static_cast<float>(pos[g].y_offset) * sy, static_cast<float>(pos[g].x_advance) * sx, cluster);
        }
    }
    out->width = static_cast<float>(pen);
    return out;
}

// The cache entry of the shaped text (shaping it on a miss); NONE for no text.
uint32_t lookup(const Font& font, std::string_view text, bool rtl, Table*& table, float& width) {
    width = 0.0f;
    if (!font.isValid() || text.empty()) return Table::NONE;
    Cache& c = cache();
    Table& t = c.table({font.getFace(), font.getPixelSize(), rtl});
    table = &t;
    uint64_t h = Table::hashOf(text);
    uint32_t hit = t.find(text, h, width);
    if (hit != Table::NONE) return hit;
    if (!c.buffer) c.buffer = hb_buffer_create();
    auto shaped = shapeUncached(font, text, rtl, c.buffer);
    width = shaped->width;
    return t.insert(text, h, std::move(shaped));
}

} // namespace

std::shared_ptr<const ShapedText> TextShaper::shape(const Font& font, std::string_view text, bool rightToLeft) {
    static const std::shared_ptr<const ShapedText> empty = std::make_shared<ShapedText>();
    Table* table = nullptr;
    float width = 0.0f;
    uint32_t entry = lookup(font, text, rightToLeft, table, width);
    return entry != Table::NONE ? table->shaped(entry) : empty;
}

float TextShaper::width(const Font& font, std::string_view text, bool rightToLeft) {
    Table* table = nullptr;
    float width = 0.0f;
    lookup(font, text, rightToLeft, table, width);
    return width;
}

bool TextShaper::hasRightToLeft(std::string_view text) {
    const char* p = text.data();
    const char* end = p + text.size();
    // ASCII text (the common case) is checked eight bytes at a time.
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if (word & 0x8080808080808080ull) break;
        p += 8;
    }
    while (p < end) {
        if (static_cast<unsigned char>(*p) < 0xd6) {  // below U+0590: nothing right-to-left
            p += static_cast<unsigned char>(*p) < 0x80 ? 1 : Utf8::sequenceLength(p, end);
            continue;
        }
        char32_t cp = Utf8::next(p, end);
        if ((cp >= 0x590 && cp <= 0x8ff) || (cp >= 0xfb1d && cp <= 0xfdff) || (cp >= 0xfe70 && cp <= 0xfefe) ||
            (cp >= 0x10800 && cp <= 0x10fff) || (cp >= 0x1e800 && cp <= 0x1efff) || cp == 0x200f ||
            (cp >= 0x202a && cp <= 0x202e) || (cp >= 0x2066 && cp <= 0x2069))
            return true;
    }
    return false;
}

bool TextShaper::isFixedAdvance(char32_t cp) {
    // East Asian wide characters and the full-width forms are not Latin text.
    if ((cp >= 0x1100 && cp <= 0x115f) || (cp >= 0x2e80 && cp <= 0xa4cf) || (cp >= 0xac00 && cp <= 0xd7a3) ||
        (cp >= 0xf900 && cp <= 0xfaff) || (cp >= 0xfe30 && cp <= 0xfe4f) || (cp >= 0xff00 && cp <= 0xff60) ||
        (cp >= 0xffe0 && cp <= 0xffe6) || cp >= 0x1f000)
        return false;
    hb_script_t s = hb_unicode_script(unicode(), cp);
    return s == HB_SCRIPT_LATIN || s == HB_SCRIPT_COMMON || s == HB_SCRIPT_INHERITED || s == HB_SCRIPT_UNKNOWN;
}

} // namespace orvane
