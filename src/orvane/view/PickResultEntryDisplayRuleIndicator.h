// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <string>

namespace orvane {

/// How a display rule marks a picked value: an indicator kind, a swatch colour,
/// a sample text, an image id and an icon.
class ORVANE_EXPORT PickResultEntryDisplayRuleIndicator : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10054;
    static std::shared_ptr<PickResultEntryDisplayRuleIndicator> create() {
        return std::make_shared<PickResultEntryDisplayRuleIndicator>();
    }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    int getIndicator() const { return indicator_; }
    void setIndicator(int i) { indicator_ = i; }
    unsigned int getSwatchColor() const { return swatchColor_; }
    void setSwatchColor(unsigned int c) { swatchColor_ = c; }
    std::shared_ptr<const std::string> getSampleText() const { return sampleText_; }
    void setSampleText(std::shared_ptr<const std::string> s) { sampleText_ = std::move(s); }
    std::shared_ptr<const std::string> getImageId() const { return imageId_; }
    void setImageId(std::shared_ptr<const std::string> s) { imageId_ = std::move(s); }
    std::shared_ptr<const std::string> getIcon() const { return icon_; }
    void setIcon(std::shared_ptr<const std::string> s) { icon_ = std::move(s); }

private:
    int indicator_ = 0;  ///< RuleDisplayIndicatorType
    unsigned int swatchColor_ = 0;
    std::shared_ptr<const std::string> sampleText_;
    std::shared_ptr<const std::string> imageId_;
    std::shared_ptr<const std::string> icon_;
};

} // namespace orvane
