// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqGeometry.h"

#include <string>

namespace displaylist {

class TqRichText;

/// One run of a rich text: its text and style, whether it continues the line
/// of the run before it (otherwise it starts a new line, like a paragraph),
/// and an id. Runs with an id >= 0 are pickable: a pick reports the rich
/// text's node id with the detail index id - node id.
class ORVANE_DISPLAYLIST_EXPORT TqTextObject {
public:
    void SetText(std::string text);
    const std::string& GetText() const { return text_; }
    void SetId(int id) { id_ = id < 0 ? -1 : id; }
    int GetId() const { return id_; }
    void SetContinueLine(bool continueLine);
    bool GetContinueLine() const { return continueLine_; }

    void SetColor(uint32_t rgb) { color_ = rgb == TQ_COLOR_NONE ? rgb : (rgb & 0xffffffu); }
    uint32_t GetColor() const { return color_; }
    void SetFontName(const std::string& family);
    const std::string& GetFontName() const { return fontName_; }
    void SetFontSize(float points);
    float GetFontSize() const { return fontSize_; }
    void SetBold(bool bold);
    bool GetBold() const { return bold_; }
    void SetItalic(bool italic);
    bool GetItalic() const { return italic_; }
    void SetUnderline(bool underline) { underline_ = underline; }
    bool GetUnderline() const { return underline_; }
    /// 0 left, 1 centre, 2 right; the run that starts a line sets its alignment.
    void SetAlignment(int alignment) { alignment_ = (alignment >= 0 && alignment <= 2) ? alignment : 0; }
    int GetAlignment() const { return alignment_; }
    void SetBackgroundColor(uint32_t rgb) { background_ = rgb; }
    uint32_t GetBackgroundColor() const { return background_; }
    void SetBackgroundEnabled(bool enabled) { backgroundEnabled_ = enabled; }
    bool IsBackgroundEnabled() const { return backgroundEnabled_; }

private:
    friend class TqRichText;
    TqTextObject(TqRichText* owner, std::string text) : owner_(owner), text_(std::move(text)) {}
    void changed();

    TqRichText* owner_;
    std::string text_;
    int id_ = -1;
    bool continueLine_ = false;
    uint32_t color_ = 0;
    std::string fontName_ = "Arial";
    float fontSize_ = 12.0f;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    int alignment_ = 0;
    uint32_t background_ = TQ_COLOR_NONE;
    bool backgroundEnabled_ = false;
};

} // namespace displaylist
