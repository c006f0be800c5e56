// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqTextObject.h"

#include "orvane/displaylist/TqRichText.h"

#include <cmath>

namespace displaylist {

void TqTextObject::changed() {
    if (owner_) owner_->objectChanged();
}

void TqTextObject::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    changed();
}

void TqTextObject::SetContinueLine(bool continueLine) {
    if (continueLine == continueLine_) return;
    continueLine_ = continueLine;
    changed();
}

void TqTextObject::SetFontName(const std::string& family) {
    if (family == fontName_) return;
    fontName_ = family;
    changed();
}

void TqTextObject::SetFontSize(float points) {
    if (!std::isfinite(points) || points == fontSize_) return;
    fontSize_ = points;
    changed();
}

void TqTextObject::SetBold(bool bold) {
    if (bold == bold_) return;
    bold_ = bold;
    changed();
}

void TqTextObject::SetItalic(bool italic) {
    if (italic == italic_) return;
    italic_ = italic;
    changed();
}

} // namespace displaylist
