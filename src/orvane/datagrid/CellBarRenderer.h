// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/datagrid/CellGraph.h"
#include "orvane/view/BaseView.h"

#include <memory>

namespace orvane {

/// Draws one table cell's bar: the value's length against the larger of
/// |minimum| and |maximum|. All-positive columns grow from the left padding,
/// all-negative ones from the right padding, mixed ones from the middle; a
/// zero line marks where negative bars start. A NaN value draws nothing.
class ORVANE_EXPORT CellBarRenderer : public BaseView {
public:
    static constexpr float BAR_HEIGHT = 7.0f;
    static constexpr float LINE_OFFSET = 2.0f;
    static constexpr float MIN_BAR_WIDTH = 1.0f;
    static constexpr float PADDING = 5.0f;
    static constexpr uint32_t DEFAULT_BAR_COLOR = 0x929f;
    static constexpr uint32_t DEFAULT_LINE_COLOR = 0x5a62;

    explicit CellBarRenderer(float scale = 1.0f);
    static std::shared_ptr<CellBarRenderer> create(float scale = 1.0f);

    void setModel(const std::shared_ptr<CellGraph>& model) { model_ = model; }
    const std::shared_ptr<CellGraph>& getModel() const { return model_; }

    bool isAllPositive() const;
    bool isAllNegative() const;
    /// For the frame width: the bar's width and left edge, and the zero line's
    /// x (-1 when every value is positive). 0 / NaN without a usable value.
    float getBarWidth(float frameWidth) const;
    float getX(float frameWidth) const;
    float getSegmentX(float frameWidth) const;

    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;

private:
    std::shared_ptr<CellGraph> model_;
    float scale_ = 1.0f;
};

} // namespace orvane
