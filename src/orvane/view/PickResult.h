// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/host/core/Wrappable.h"
#include "orvane/view/PickResultDetails.h"
#include "orvane/view/PickResultEntry.h"

#include <memory>
#include <vector>

namespace orvane {

/// What lies under the pointer: the bounds of the picked display-list node,
/// where a tooltip should point, and the labelled values.
class ORVANE_EXPORT PickResult : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10051;
    using EntryList = std::vector<std::shared_ptr<PickResultEntry>>;

    static std::shared_ptr<PickResult> create() { return std::make_shared<PickResult>(); }
    ~PickResult() override = default;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Rect getDisplayListNodeBounds() const { return bounds_; }
    void setDisplayListNodeBounds(const Rect& r) { bounds_ = r; }
    Point getPreferredTargetLocation() const { return target_; }
    void setPreferredTargetLocation(const Point& p) { target_ = p; }
    /// y: the vertical middle of the bounds; x: the horizontal middle, or the
    /// right edge when `centerHorizontally` is false.
    void autoPreferredTargetLocation(bool centerHorizontally);
    unsigned int getColor() const { return color_; }
    void setColor(unsigned int c) { color_ = c; }
    bool getShouldUseColor() const { return shouldUseColor_; }
    void setShouldUseColor(bool b) { shouldUseColor_ = b; }
    bool getShouldExtractTime() const { return shouldExtractTime_; }
    void setShouldExtractTime(bool b) { shouldExtractTime_ = b; }
    std::shared_ptr<PickResultDetails> getDetails() const { return details_; }
    void setDetails(std::shared_ptr<PickResultDetails> d) { details_ = std::move(d); }
    std::shared_ptr<EntryList> getEntries() const { return entries_; }
    void setEntries(std::shared_ptr<EntryList> e) { entries_ = std::move(e); }
    void addEntry(const std::shared_ptr<PickResultEntry>& entry);
    bool getUseForAccessibility() const { return useForAccessibility_; }
    void setUseForAccessibility(bool b) { useForAccessibility_ = b; }

private:
    Rect bounds_;
    Point target_;
    unsigned int color_ = 0;
    bool shouldUseColor_ = true;
    bool shouldExtractTime_ = true;
    std::shared_ptr<PickResultDetails> details_;
    std::shared_ptr<EntryList> entries_;
    bool useForAccessibility_ = true;
};

} // namespace orvane
