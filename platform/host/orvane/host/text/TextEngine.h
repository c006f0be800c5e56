// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/text/Font.h"
#include "orvane/host/text/FontFace.h"
#include "orvane/host/text/TextLayout.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvane {

/// The one text engine of the process: font resolution, measurement and
/// layout for the host's FontTool and for the display list's text nodes, so
/// that a measured size is exactly the size that gets drawn.
///
/// Fonts are found by family, bold and italic with fontconfig and read with
/// FreeType. "Arial", "ArialMT" and "Helvetica" resolve to the metric-compatible
/// "Liberation Sans" (likewise Times and Courier to Liberation Serif and Mono).
/// A family that cannot be found falls back to the default face (Liberation
/// Sans, else DejaVu Sans) with a log line in section 1.
///
/// Units: font sizes are given in points and text is laid out in display-list
/// pixels. pointsToPixels() is the single conversion used everywhere:
///   pixels = points * 4/3 (as Dimension converts points) * the DPI scale factor.
///
/// The fixed-metric backend (Backend::FIXED_METRICS) gives exact, font-
/// independent sizes for tests; it is only ever active when selected.
class ORVANE_HOST_EXPORT TextEngine {
public:
    enum class Backend { FREETYPE, FIXED_METRICS };

    static TextEngine& instance();

    Backend getBackend() const;
    /// Switches the backend; fonts made before the switch keep working but
    /// report an older generation so that holders can re-resolve them.
    void setBackend(Backend backend);
    unsigned getGeneration() const;

    static float pointsToPixels(float points);

    /// The face for a family and style. `resolved` (optional) is set to false
    /// when the family was not found and the default face is used instead.
    /// Never null while any font is installed.
    std::shared_ptr<const FontFace> getFace(std::string_view family, bool bold, bool italic, bool* resolved = nullptr);
    /// The first installed face, in fontconfig's order of preference for the
    /// primary face's family, style and the host's language, that has a glyph
    /// for `cp`; null when no installed face has one. Remembered per character.
    std::shared_ptr<const FontFace> getFallbackFace(const FontFace& primary, char32_t cp);
    /// A font of `sizeInPoints`; invalid (measuring zero) for a size that is not
    /// a positive finite number.
    Font getFont(std::string_view family, float sizeInPoints, bool bold, bool italic, bool* resolved = nullptr);

    static constexpr const char* DEFAULT_FAMILY = "Liberation Sans";
    static constexpr const char* FALLBACK_FAMILY = "DejaVu Sans";

    /// Selects a backend for the lifetime of the object (tests).
    class ScopedBackend {
    public:
        explicit ScopedBackend(Backend backend);
        ~ScopedBackend();
        ScopedBackend(const ScopedBackend&) = delete;
        ScopedBackend& operator=(const ScopedBackend&) = delete;

    private:
        Backend previous_;
    };

private:
    TextEngine();
    struct Impl;
    Impl* impl_;
};

} // namespace orvane
