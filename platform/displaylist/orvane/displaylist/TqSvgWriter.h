// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqGeometry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {
class Font;
class Image;
} // namespace orvane

namespace displaylist {

/// Writes display-list nodes as SVG. Output is deterministic (fixed number
/// format, fixed attribute order) so that it can be compared as text.
///
/// SVG has y growing downwards: every y is written flipped inside the frame
/// being written, y_svg = frameHeight - y. At the top that is the viewport
/// (SVG y = H - y); a group with a translation or scale becomes
/// <g transform="translate(tx, H - ty - s*h) scale(s)"> whose children are
/// flipped within the group's own height h.
class ORVANE_DISPLAYLIST_EXPORT TqSvgWriter {
public:
    TqSvgWriter(float width, float height);

    /// Writes a node with its transform and opacity; hidden nodes are skipped.
    void writeNode(const TqGeometry& node);

    /// Raw output: nodes append elements with the helpers below.
    std::string& out() { return out_; }
    /// Starts an element line at the current indentation: "<name".
    void open(const char* element);
    /// Closes the start tag of open() as an empty element: "/>\n".
    void closeEmpty();
    float flipY(float y) const { return frameHeight_ - y; }
    float getAlpha() const { return alpha_; }

    /// ' name="value"' with the value formatted as a number.
    void attr(const char* name, float value);
    void attr(const char* name, std::string_view value);
    /// x, y, width, height of a rect given with its lower-left corner.
    void rectAttrs(const Rect& r);
    /// fill (or "none") with fill-opacity when below 1.
    void fillAttrs(uint32_t rgb, float opacity = 1.0f);
    /// stroke, width, dash pattern and stroke-opacity; nothing for no colour.
    void strokeAttrs(uint32_t rgb, float width, int lineStyle, float dashFactor, float opacity = 1.0f);
    void nodeIdAttr(const TqGeometry& node);

    void beginClip(const Rect& r);
    void endClip();
    /// One line of text shaped in the font (TextShaper), at x on the baseline
    /// (display-list coordinates), right to left when asked. Each stretch of
    /// glyphs of one face is a text element at the shaper's position whose
    /// family list names that face first (a fallback face for characters the
    /// font lacks), then `family` (the requested family), so that a viewer with
    /// the same fonts draws what the PNG shows; with text as outlines, the
    /// glyphs are paths instead and need no fonts at all.
    void text(const orvane::Font& font, std::string_view family, std::string_view text, float x, float baseline,
              uint32_t rgb, bool underline, bool rightToLeft = false);
    void setTextAsOutlines(bool outlines) { textAsOutlines_ = outlines; }
    bool getTextAsOutlines() const { return textAsOutlines_; }
    void image(const orvane::Image& image, const Rect& r);

    /// Closes the document and returns it.
    std::string finish();

    static std::string number(float v);
    static std::string color(uint32_t rgb);
    static std::string escape(std::string_view text);

private:
    void indent();

    std::string out_;
    float width_;
    float height_;
    float frameHeight_;
    float alpha_ = 1.0f;
    int depth_ = 1;
    int clipCount_ = 0;
    bool textAsOutlines_ = false;
};

} // namespace displaylist
