// SPDX-License-Identifier: Apache-2.0
#include "orvane/view/TextStyle.h"

#include "orvane/host/style/Dimension.h"
#include "orvane/host/style/StyleAttribute.h"

namespace orvane {

TextStyle TextStyle::from(const std::shared_ptr<StyleChain>& chain) {
    TextStyle s;
    if (!chain) return s;
    s.color = chain->getColor(StyleAttribute::TEXT_COLOR, 0);
    s.fontName = chain->getStringValue(StyleAttribute::FONT_FAMILY, "Arial");
    auto size = chain->getDimension(StyleAttribute::FONT_SIZE, Dimension::create(12.0f, DimensionUnit::POINTS));
    s.fontSize = size ? size->getScalarValueForUnit(DimensionUnit::POINTS) : 12.0f;
    if (!(s.fontSize > 0.0f)) s.fontSize = 12.0f;
    s.bold = chain->getInt(StyleAttribute::FONT_BOLD, 0) == 1;
    s.italic = chain->getInt(StyleAttribute::FONT_ITALIC, 0) == 1;
    s.alignment = chain->getInt(StyleAttribute::TEXT_ALIGN, 0);
    s.underline = chain->getInt(StyleAttribute::UNDERLINE, 0) == 1;
    s.transparency = chain->getFloat(StyleAttribute::TRANSPARENCY, 0.0f);
    s.hasBackground = chain->hasAttribute(StyleAttribute::BACKGROUND_COLOR);
    s.background = chain->getColor(StyleAttribute::BACKGROUND_COLOR, 0xffffffffu);
    return s;
}

} // namespace orvane
