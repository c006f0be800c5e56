// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/text/FontTool.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/host/text/TextLayout.h"

#include <cmath>

namespace orvane {

namespace {
constexpr const char* SOURCE = "host/FontTool";
}

FontTool::FontTool() { setFont(DEFAULT_FAMILY, DEFAULT_SIZE_IN_POINTS, false, false); }

std::shared_ptr<FontTool> FontTool::instance() {
    static std::shared_ptr<FontTool> tool = std::make_shared<FontTool>();
    return tool;
}

bool FontTool::setFont(const std::shared_ptr<StyleChain>& style) {
    std::string family = DEFAULT_FAMILY;
    float size = DEFAULT_SIZE_IN_POINTS;
    bool italic = false;
    bool bold = false;
    if (style) {
        family = style->getStringValue(StyleAttribute::FONT_FAMILY, DEFAULT_FAMILY);
        if (auto d = style->getDimension(StyleAttribute::FONT_SIZE))
            size = d->getScalarValueForUnit(DimensionUnit::POINTS);
        italic = style->getInt(StyleAttribute::FONT_ITALIC, 0) == 1;
        bold = style->getInt(StyleAttribute::FONT_BOLD, 0) == 1;
    }
    return setFont(family, size, italic, bold);
}

bool FontTool::setFont(const std::string& family, float sizeInPoints, bool italic, bool bold) {
    if (!std::isfinite(sizeInPoints) || sizeInPoints <= 0.0f) {
        ORVANE_LOG(CLog::ERRORS, SOURCE, "Rejected font size " + std::to_string(sizeInPoints) + " for \"" + family + "\"");
        return false;
    }
    Font f = TextEngine::instance().getFont(family, sizeInPoints, bold, italic);
    if (!f.isValid()) return false;
    font_ = std::move(f);
    // The host's direction, as the views give it to the text nodes they draw
    // (read here, not per measurement: views set the font before measuring).
    rightToLeft_ = ResourceManager::getLocalizationContext()->isRTL();
    family_ = family;
    bold_ = bold;
    italic_ = italic;
    return true;
}

Size FontTool::getStringMetrics(const std::string& text, unsigned textFlags, float maxWidth, float maxHeight) const {
    TextLayoutOptions o;
    o.flags = textFlags;
    o.maxWidth = std::isfinite(maxWidth) && maxWidth > 0.0f ? maxWidth : 0.0f;
    o.maxHeight = std::isfinite(maxHeight) && maxHeight > 0.0f ? maxHeight : 0.0f;
    o.rightToLeft = rightToLeft_;
    if (font_.getGeneration() != TextEngine::instance().getGeneration()) {
        // The engine switched backends since the font was set: measure with
        // the current backend, like the text nodes do.
        Font f = TextEngine::instance().getFont(family_, font_.getPointSize(), bold_, italic_);
        return TextLayout::measure(f, text, o);
    }
    return TextLayout::measure(font_, text, o);
}

float FontTool::getStringWidth(const std::string& text) const { return getStringMetrics(text).width; }

FontMetrics FontTool::getFontMetrics() const {
    if (font_.getGeneration() != TextEngine::instance().getGeneration())
        return TextEngine::instance().getFont(family_, font_.getPointSize(), bold_, italic_).getMetrics();
    return font_.getMetrics();
}

} // namespace orvane
