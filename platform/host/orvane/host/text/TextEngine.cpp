// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/text/TextEngine.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/text/FixedMetricsFontFace.h"
#include "orvane/host/text/FreeTypeFontFace.h"
#include "orvane/host/io/ResourceManager.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <map>
#include <mutex>
#include <unordered_map>

namespace orvane {

namespace {

constexpr const char* SOURCE = "host/TextEngine";

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string trim(std::string_view s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos) return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(b, e - b + 1));
}

// Families that documents name but that are not installed under that name,
// mapped to their metric-compatible faces. fontconfig aliases "Arial" but not
// the PostScript name "ArialMT", so both are listed.
std::string canonicalFamily(const std::string& family) {
    static const std::map<std::string, std::string> aliases = {
        {"arial", "Liberation Sans"},        {"arialmt", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},    {"helvetica neue", "Liberation Sans"},
        {"sans-serif", "Liberation Sans"},   {"sans", "Liberation Sans"},
        {"times new roman", "Liberation Serif"}, {"timesnewromanpsmt", "Liberation Serif"},
        {"times", "Liberation Serif"},       {"serif", "Liberation Serif"},
        {"courier new", "Liberation Mono"},  {"couriernewpsmt", "Liberation Mono"},
        {"courier", "Liberation Mono"},      {"monospace", "Liberation Mono"},
    };
    auto it = aliases.find(lower(family));
    return it == aliases.end() ? family : it->second;
}

std::string styleKey(std::string_view family, bool bold, bool italic) {
    std::string k = lower(family);
    k += bold ? "|b" : "|-";
    k += italic ? "i" : "-";
    return k;
}

} // namespace

struct TextEngine::Impl {
    struct Entry {
        std::shared_ptr<const FontFace> face;
        bool resolved = false;
    };

    std::mutex mutex;
    Backend backend = Backend::FREETYPE;
    std::atomic<unsigned> generation{1};
    FT_Library library = nullptr;
    bool fontconfigReady = false;
    std::unordered_map<std::string, Entry> real;     // by requested family and style
    std::unordered_map<std::string, Entry> fixed;    // by requested family and style
    std::map<std::string, std::shared_ptr<FontFace>> byFile;  // file + index
    std::shared_ptr<FontFace> defaults[4];
    bool defaultsTried[4] = {false, false, false, false};

    bool init() {
        if (!fontconfigReady) fontconfigReady = FcInit() == FcTrue;
        if (!library && FT_Init_FreeType(&library) != 0) library = nullptr;
        return fontconfigReady && library;
    }

    // Opens the installed face that fontconfig matches for the family and
    // style; with `exact`, only when the match really is that family.
    std::shared_ptr<FontFace> open(const std::string& family, bool bold, bool italic, bool exact) {
        if (!init()) return nullptr;
        FcPattern* pat = FcPatternCreate();
        if (!family.empty()) FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pat, &result);
        FcPatternDestroy(pat);
        if (!match) return nullptr;
        std::shared_ptr<FontFace> face;
        FcChar8* file = nullptr;
        int index = 0;
        FcChar8* fam = nullptr;
        bool familyOk = !exact;
        std::string matchedFamily;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &fam) == FcResultMatch; ++i) {
            if (i == 0) matchedFamily = reinterpret_cast<const char*>(fam);
            if (lower(reinterpret_cast<const char*>(fam)) == lower(family)) {
                familyOk = true;
                matchedFamily = reinterpret_cast<const char*>(fam);
            }
        }
        if (familyOk && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            face = openFile(reinterpret_cast<const char*>(file), index, family, matchedFamily, bold, italic);
        }
        FcPatternDestroy(match);
        return face;
    }

    // The face of one font file, opened once.
    std::shared_ptr<FontFace> openFile(const char* file, int index, const std::string& requested,
                                       const std::string& family, bool bold, bool italic) {
        std::string key = std::string(file) + "#" + std::to_string(index);
        auto it = byFile.find(key);
        if (it != byFile.end()) return it->second;
        FT_Face ft = nullptr;
        if (FT_New_Face(library, file, index, &ft) != 0) return nullptr;
        auto face = std::make_shared<FreeTypeFontFace>(ft, requested, family, file, bold, italic);
        byFile.emplace(key, face);
        return face;
    }

    // fontconfig's sorted list of the installed fonts for a face's family and
    // style (and the host's language), with their character sets.
    struct Fallbacks {
        FcFontSet* sorted = nullptr;
        std::unordered_map<char32_t, std::shared_ptr<FontFace>> byChar;
    };
    std::unordered_map<const FontFace*, Fallbacks> fallbacks;

    std::shared_ptr<FontFace> fallbackFace(const FontFace& primary, char32_t cp) {
        if (!init()) return nullptr;
        Fallbacks& fb = fallbacks[&primary];
        auto hit = fb.byChar.find(cp);
        if (hit != fb.byChar.end()) return hit->second;
        if (!fb.sorted) {
            FcPattern* pat = FcPatternCreate();
            FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(primary.getFamily().c_str()));
            FcPatternAddInteger(pat, FC_WEIGHT, primary.isBold() ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
            FcPatternAddInteger(pat, FC_SLANT, primary.isItalic() ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
            FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
            std::string lang = ResourceManager::getLocalizationContext()->getLocale();
            std::replace(lang.begin(), lang.end(), '_', '-');
            if (!lang.empty()) FcPatternAddString(pat, FC_LANG, reinterpret_cast<const FcChar8*>(lang.c_str()));
            FcConfigSubstitute(nullptr, pat, FcMatchPattern);
            FcDefaultSubstitute(pat);
            FcResult result = FcResultNoMatch;
            fb.sorted = FcFontSort(nullptr, pat, FcFalse, nullptr, &result);
            FcPatternDestroy(pat);
        }
        std::shared_ptr<FontFace> found;
        for (int i = 0; fb.sorted && i < fb.sorted->nfont && !found; ++i) {
            FcPattern* font = fb.sorted->fonts[i];
            FcCharSet* set = nullptr;
            FcBool scalable = FcFalse;
            if (FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) == FcResultMatch && !scalable) continue;
            if (FcPatternGetCharSet(font, FC_CHARSET, 0, &set) != FcResultMatch || !FcCharSetHasChar(set, cp))
                continue;
            FcChar8* file = nullptr;
            FcChar8* fam = nullptr;
            int index = 0;
            if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) continue;
            FcPatternGetInteger(font, FC_INDEX, 0, &index);
            std::string family = FcPatternGetString(font, FC_FAMILY, 0, &fam) == FcResultMatch
                                     ? reinterpret_cast<const char*>(fam)
                                     : std::string();
            auto face = openFile(reinterpret_cast<const char*>(file), index, family, family, primary.isBold(),
                                 primary.isItalic());
            // The character set can promise more than the cmap holds.
            if (face && face->hasGlyph(cp)) found = face;
        }
        fb.byChar.emplace(cp, found);
        return found;
    }

    std::shared_ptr<FontFace> defaultFace(bool bold, bool italic) {
        int k = (bold ? 1 : 0) + (italic ? 2 : 0);
        if (!defaultsTried[k]) {
            defaultsTried[k] = true;
            auto f = open(DEFAULT_FAMILY, bold, italic, true);
            if (!f) {
                f = open(FALLBACK_FAMILY, bold, italic, true);
                if (f)
                    ORVANE_LOG(CLog::ERRORS, SOURCE,
                               std::string("Default font \"") + DEFAULT_FAMILY + "\" is not installed; using \"" +
                                   FALLBACK_FAMILY + "\"");
            }
            if (!f) f = open("", bold, italic, false);
            if (!f) ORVANE_LOG(CLog::ERRORS, SOURCE, "No usable font is installed");
            defaults[k] = f;
        }
        return defaults[k];
    }

    Entry resolveReal(std::string_view requested, bool bold, bool italic) {
        std::string family = trim(requested);
        std::string canonical = canonicalFamily(family);
        Entry e;
        if (!family.empty()) {
            if (auto f = open(canonical, bold, italic, true)) {
                e.face = f;
                e.resolved = true;
                return e;
            }
        }
        e.face = defaultFace(bold, italic);
        e.resolved = false;
        std::string used = e.face ? e.face->getFamily() : std::string("(none)");
        ORVANE_LOG(CLog::ERRORS, SOURCE,
                   "Font family \"" + family + "\" not found; using \"" + used + "\" instead");
        return e;
    }
};

TextEngine::TextEngine() : impl_(new Impl) {}

TextEngine& TextEngine::instance() {
    // Never destroyed: the FreeType faces must outlive every user, including
    // drawing code that runs during static destruction.
    static TextEngine* engine = new TextEngine;
    return *engine;
}

TextEngine::Backend TextEngine::getBackend() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->backend;
}

void TextEngine::setBackend(Backend backend) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    if (impl_->backend == backend) return;
    impl_->backend = backend;
    ++impl_->generation;
}

unsigned TextEngine::getGeneration() const { return impl_->generation.load(); }

float TextEngine::pointsToPixels(float points) {
    return points * Dimension::pixelsPerUnit(DimensionUnit::POINTS) * ResourceManager::getDPIScaleFactor();
}

std::shared_ptr<const FontFace> TextEngine::getFace(std::string_view family, bool bold, bool italic, bool* resolved) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    std::string key = styleKey(family, bold, italic);
    if (impl_->backend == Backend::FIXED_METRICS) {
        auto it = impl_->fixed.find(key);
        if (it == impl_->fixed.end()) {
            Impl::Entry e;
            e.face = std::make_shared<FixedMetricsFontFace>(trim(family), bold, italic,
                                                            impl_->defaultFace(bold, italic));
            e.resolved = true;
            it = impl_->fixed.emplace(key, e).first;
        }
        if (resolved) *resolved = it->second.resolved;
        return it->second.face;
    }
    auto it = impl_->real.find(key);
    if (it == impl_->real.end()) it = impl_->real.emplace(key, impl_->resolveReal(family, bold, italic)).first;
    if (resolved) *resolved = it->second.resolved;
    return it->second.face;
}

std::shared_ptr<const FontFace> TextEngine::getFallbackFace(const FontFace& primary, char32_t cp) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->fallbackFace(primary, cp);
}

Font TextEngine::getFont(std::string_view family, float sizeInPoints, bool bold, bool italic, bool* resolved) {
    auto face = getFace(family, bold, italic, resolved);
    if (!face || !std::isfinite(sizeInPoints) || sizeInPoints <= 0.0f) return Font();
    float px = pointsToPixels(std::min(sizeInPoints, 10000.0f));
    return Font(std::move(face), sizeInPoints, px, getGeneration());
}

TextEngine::ScopedBackend::ScopedBackend(Backend backend) : previous_(instance().getBackend()) {
    instance().setBackend(backend);
}

TextEngine::ScopedBackend::~ScopedBackend() { instance().setBackend(previous_); }

} // namespace orvane
