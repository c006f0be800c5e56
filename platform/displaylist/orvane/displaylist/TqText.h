// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqGeometry.h"
#include "orvane/host/text/Font.h"
#include "orvane/host/text/TextLayout.h"

#include <memory>
#include <string>

namespace displaylist {

// Anchor codes: which point of the text's box lies at the node's position.
namespace TqAnchor {
constexpr int BOTTOM_LEFT = 0;
constexpr int BOTTOM_CENTER = 1;
constexpr int BOTTOM_RIGHT = 2;
constexpr int MIDDLE_LEFT = 3;
constexpr int CENTER = 4;
constexpr int MIDDLE_RIGHT = 5;
constexpr int TOP_LEFT = 6;
constexpr int TOP_CENTER = 7;
constexpr int TOP_RIGHT = 8;
} // namespace TqAnchor

/// A block of text in one font, laid out by the shared text engine (line
/// breaks, word wrap with TextFlags::WRAP, maximum size) and placed so that
/// its anchor point (TqAnchor) lies at the node's position. Lines are aligned
/// within the box (0 left, 1 centre, 2 right). A maximum size clips the text.
class ORVANE_DISPLAYLIST_EXPORT TqText : public TqGeometry {
public:
    static constexpr const char* DEFAULT_FONT = "Arial";
    static constexpr float DEFAULT_FONT_SIZE = 12.0f;

    TqText(std::string text, float x, float y, int anchor);
    ~TqText() override;

    const char* GetKindName() const override { return "text"; }

    void SetText(std::string text);
    const std::string& GetText() const { return text_; }
    void SetPosition(float x, float y);
    Point GetPosition() const { return position_; }
    /// Codes outside 0-8 become 0 (logged).
    void SetAnchor(int anchor);
    int GetAnchor() const { return anchor_; }

    void SetColor(uint32_t rgb) { color_ = rgb == TQ_COLOR_NONE ? rgb : (rgb & 0xffffffu); }
    uint32_t GetColor() const { return color_; }
    void SetFontName(const std::string& family);
    const std::string& GetFontName() const { return fontName_; }
    /// Size in points (see TextEngine::pointsToPixels).
    void SetFontSize(float points);
    float GetFontSize() const { return fontSize_; }
    void SetBold(bool bold);
    bool GetBold() const { return bold_; }
    void SetItalic(bool italic);
    bool GetItalic() const { return italic_; }
    void SetTextAlignment(int alignment) { alignment_ = (alignment >= 0 && alignment <= 2) ? alignment : 0; }
    int GetTextAlignment() const { return alignment_; }
    /// Limits of the box; 0 means unlimited.
    void SetMaxSize(float width, float height);
    Size GetMaxSize() const { return maxSize_; }
    void SetUnderline(bool underline) { underline_ = underline; }
    bool GetUnderline() const { return underline_; }
    /// TextFlags: WRAP wraps at the maximum width, ELLIPSIS cuts a line wider
    /// than it and ends it in an ellipsis.
    void SetFlags(unsigned int flags);
    unsigned int GetFlags() const { return flags_; }
    /// The paragraph direction when the text does not decide it (the view's
    /// right-to-left flag); left alignment then means the right end.
    void SetRightToLeft(bool rightToLeft);
    bool GetRightToLeft() const { return rightToLeft_; }
    void SetBackgroundColor(uint32_t rgb) { background_ = rgb; }
    uint32_t GetBackgroundColor() const { return background_; }
    void SetBackgroundEnabled(bool enabled) { backgroundEnabled_ = enabled; }
    bool IsBackgroundEnabled() const { return backgroundEnabled_; }

    /// Measured size of the laid-out text (what FontTool reports for the same
    /// font, flags and limits).
    Size GetTextSize() const;
    /// The placed box in the node's coordinates.
    Rect GetTextBox() const;
    const orvane::TextLayout& GetLayout() const;
    const orvane::Font& GetFont() const;

    Rect GetBounds() const override;
    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;
    bool HitTest(const TqPickQuery& query) const override;

protected:
    Point GetScaleOrigin() const override { return position_; }
    void InvalidateCache() const override;

private:
    struct Cache;
    const Cache& cache() const;
    float lineX(const orvane::TextLine& line, const Rect& box) const;
    bool needsClip() const;
    /// Calls emit(text, x, baseline, rightToLeft) for every segment of the laid-out lines,
    /// at its place in the box.
    template <class Emit>
    void forEachSegment(const Cache& c, Emit&& emit) const;

    std::string text_;
    Point position_;
    int anchor_ = 0;
    uint32_t color_ = 0;
    std::string fontName_ = DEFAULT_FONT;
    float fontSize_ = DEFAULT_FONT_SIZE;
    bool bold_ = false;
    bool italic_ = false;
    int alignment_ = 0;
    Size maxSize_;
    bool underline_ = false;
    unsigned int flags_ = 0;
    uint32_t background_ = TQ_COLOR_NONE;
    bool backgroundEnabled_ = false;
    bool rightToLeft_ = false;
    mutable std::unique_ptr<Cache> cache_;
};

} // namespace displaylist
