// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqGeometry.h"
#include "orvane/displaylist/TqTextObject.h"
#include "orvane/host/text/Font.h"
#include "orvane/host/text/TextLayout.h"

#include <memory>
#include <vector>

namespace displaylist {

/// Text of several styled runs (TqTextObject) laid out together by the shared
/// text engine: each run that does not continue a line starts one, lines wrap
/// at the available width, the line count is kept between the minimum and
/// maximum lines, and the text is cut at the available height. The text hangs
/// from the top-left corner of the node's rect; the available width is the
/// maximum width when set, else the rect's width (likewise the height).
///
/// A pick reports {node id, text object id - node id} for each run with an id
/// under the query; runs without an id report nothing.
class ORVANE_DISPLAYLIST_EXPORT TqRichText : public TqGeometry {
public:
    TqRichText(const Rect& rect, int nodeId);
    ~TqRichText() override;

    const char* GetKindName() const override { return "richtext"; }

    /// Appends a run; an empty text makes an empty line when it starts one.
    TqTextObject* AddTextObject(const std::string& text);
    size_t GetTextObjectCount() const { return objects_.size(); }
    TqTextObject* GetTextObject(size_t index) const {
        return index < objects_.size() ? objects_[index].get() : nullptr;
    }
    void RemoveAllTextObjects();

    void SetRect(const Rect& rect);
    const Rect& GetRect() const { return rect_; }
    /// 0 = use the rect's size.
    void SetMaxSize(float width, float height);
    Size GetMaxSize() const { return maxSize_; }
    /// Lines shown: at least `minLine` lines of height, at most `maxLine`
    /// lines (0 = no limit).
    void setMinMaxLine(int minLine, int maxLine);
    int getMinLine() const { return minLine_; }
    int getMaxLine() const { return maxLine_; }

    /// The paragraph direction when the text does not decide it (the view's
    /// right-to-left flag); lines of right-to-left paragraphs aligned left
    /// start at the right end.
    void SetRightToLeft(bool rightToLeft);
    bool GetRightToLeft() const { return rightToLeft_; }

    /// Measured size of the laid-out text: the preferred size.
    Size getTextSize() const;
    Size GetTextSize() const { return getTextSize(); }
    const orvane::TextLayout& GetLayout() const;
    /// Boxes (node coordinates) of the placed pieces of one run.
    std::vector<Rect> GetTextObjectBoxes(size_t index) const;

    Rect GetBounds() const override;
    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;
    bool HitTest(const TqPickQuery& query) const override;
    void Pick(const TqPickQuery& query, std::vector<TqSelectionInfoStruct>& out, bool frontMostOnly) const override;

protected:
    Point GetScaleOrigin() const override { return {rect_.x, rect_.maxY()}; }
    void InvalidateCache() const override;

private:
    friend class TqTextObject;
    void objectChanged() { GeometryChanged(); }

    struct Placed {
        Rect box;          ///< the segment's box
        float x;           ///< pen position
        float baseline;
        uint32_t segment;
    };
    struct Cache;
    const Cache& cache() const;
    std::string_view segmentText(const orvane::TextSegment& s) const;

    Rect rect_;
    Size maxSize_;
    int minLine_ = 0;
    int maxLine_ = 0;
    bool rightToLeft_ = false;
    std::vector<std::unique_ptr<TqTextObject>> objects_;
    mutable std::unique_ptr<Cache> cache_;
};

} // namespace displaylist
