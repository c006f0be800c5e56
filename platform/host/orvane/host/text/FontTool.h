// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/text/Font.h"
#include "orvane/host/text/FontMetrics.h"
#include "orvane/host/core/GeometryUtilities.h"

#include <memory>
#include <string>

namespace orvane {

class StyleChain;

/// The host's text measurement tool: holds a current font and measures text
/// with the shared TextEngine, the same layout the display list's text nodes
/// draw with.
class ORVANE_HOST_EXPORT FontTool {
public:
    static constexpr const char* DEFAULT_FAMILY = "Arial";
    static constexpr float DEFAULT_SIZE_IN_POINTS = 12.0f;

    static std::shared_ptr<FontTool> instance();

    /// Reads family (style attribute 32, default "Arial"), size (31, a
    /// Dimension read in points, default 12 pt), italic (33 == 1) and bold
    /// (34 == 1). A null chain gives the defaults. Returns false, keeping the
    /// previous font, when the size is not a positive finite length or no
    /// font can be loaded. An unknown family falls back to the default face
    /// (logged) and is accepted, so what is measured is what gets drawn.
    bool setFont(const std::shared_ptr<StyleChain>& style);
    bool setFont(const std::string& family, float sizeInPoints, bool italic, bool bold);

    /// Size of the text laid out with the text flags (TextFlags) under the
    /// limits, in the host's writing direction when the font was set; 0 means
    /// unlimited.
    Size getStringMetrics(const std::string& text, unsigned textFlags = 0, float maxWidth = 0.0f,
                          float maxHeight = 0.0f) const;
    /// Advance width of a single line.
    float getStringWidth(const std::string& text) const;
    FontMetrics getFontMetrics() const;

    const Font& getFont() const { return font_; }
    const std::string& getFamily() const { return family_; }
    bool isBold() const { return bold_; }
    bool isItalic() const { return italic_; }

    FontTool();

private:
    Font font_;
    std::string family_;
    bool bold_ = false;
    bool italic_ = false;
    bool rightToLeft_ = false;
};

} // namespace orvane
