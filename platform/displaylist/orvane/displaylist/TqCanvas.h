// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqGeometry.h"

#include <cstdint>
#include <string_view>
#include <vector>

struct _cairo;
typedef struct _cairo cairo_t;
struct _cairo_surface;
typedef struct _cairo_surface cairo_surface_t;

namespace orvane {
class Font;
class Image;
} // namespace orvane

namespace displaylist {

/// Draws display-list nodes with Cairo. The context's user space is the
/// display list's (y up); node transforms and opacities are applied by
/// drawNode(). Text is drawn glyph by glyph where the text engine's shaper
/// places the glyphs (through cairo-ft on the engine's FreeType faces, fallback
/// faces included), so drawn text lines up exactly with measured text.
class ORVANE_DISPLAYLIST_EXPORT TqCanvas {
public:
    explicit TqCanvas(cairo_t* cr);

    cairo_t* cairo() const { return cr_; }
    /// Product of the opacities of the nodes being drawn.
    float getAlpha() const { return alpha_; }

    /// Draws a node with its transform and opacity; hidden nodes are skipped.
    void drawNode(const TqGeometry& node);

    /// Sets the source colour with the given opacity times getAlpha().
    void setColor(uint32_t rgb, float opacity = 1.0f);
    void setStroke(float width, int lineStyle, float dashFactor);

    void pushClip(const Rect& r);
    void popClip();

    void fillRect(const Rect& r, uint32_t rgb, float opacity = 1.0f);
    /// Fill / stroke of the current path (which they consume).
    void fillPath(uint32_t rgb);
    void strokePath(uint32_t rgb, float width, int lineStyle, float dashFactor);
    /// Paints a shape whose path `path(bool forOutline)` builds as the current
    /// path: filled with `fill` unless that is TQ_COLOR_NONE, then, when
    /// `outline` is set, stroked with the outline's colour and stroke. The
    /// path is built again for each of the two.
    template <class Path>
    void paintShape(Path&& path, uint32_t fill, bool outline, uint32_t outlineColor, float width, int lineStyle,
                    float dashFactor) {
        if (fill != TQ_COLOR_NONE) {
            path(false);
            fillPath(fill);
        }
        if (outline) {
            path(true);
            strokePath(outlineColor, width, lineStyle, dashFactor);
        }
    }
    void strokeRect(const Rect& r, uint32_t rgb, float width, int lineStyle, float dashFactor);
    /// Draws `text` shaped on one line (TextShaper), starting at x on the
    /// baseline, right to left when asked; with underline, a bar of the
    /// font's underline thickness below it. Returns the advance width drawn,
    /// which is the width the text engine measures.
    float drawGlyphs(const orvane::Font& font, std::string_view text, float x, float baseline, uint32_t rgb,
                     bool underline = false, bool rightToLeft = false);
    /// Draws the image stretched over r (image rows run from the top of r down).
    void drawImage(const orvane::Image& image, const Rect& r);

    /// A Cairo image surface (ARGB32, premultiplied) with the image's pixels,
    /// or null without pixels. The caller destroys it.
    static cairo_surface_t* createSurface(const orvane::Image& image);

private:
    cairo_t* cr_;
    float alpha_ = 1.0f;
    int clipDepth_ = 0;
};

} // namespace displaylist
