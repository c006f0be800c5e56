// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/core/Wrappable.h"
#include "orvane/view/PickResultEntryDisplayRuleIndicator.h"

#include <memory>
#include <string>

namespace orvane {

/// One labelled value under the pointer, shown in a tooltip or spoken.
class ORVANE_EXPORT PickResultEntry : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10053;
    static std::shared_ptr<PickResultEntry> create() { return std::make_shared<PickResultEntry>(); }
    ~PickResultEntry() override = default;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    std::shared_ptr<DataValue> getValue() const { return value_; }
    void setValue(std::shared_ptr<DataValue> v) { value_ = std::move(v); }
    std::shared_ptr<const std::string> getFormattedValue() const { return formattedValue_; }
    void setFormattedValue(std::shared_ptr<const std::string> v) { formattedValue_ = std::move(v); }
    std::shared_ptr<const std::string> getLabel() const { return label_; }
    void setLabel(std::shared_ptr<const std::string> l) { label_ = std::move(l); }
    bool getIsTime() const { return isTime_; }
    void setIsTime(bool b) { isTime_ = b; }
    bool getUseAsTooltip() const { return useAsTooltip_; }
    void setUseAsTooltip(bool b) { useAsTooltip_ = b; }
    bool getSupportTerseLabel() const { return supportTerseLabel_; }
    void setSupportTerseLabel(bool b) { supportTerseLabel_ = b; }
    std::shared_ptr<PickResultEntryDisplayRuleIndicator> getDisplayRuleIndicator() const { return indicator_; }
    void setDisplayRuleIndicator(std::shared_ptr<PickResultEntryDisplayRuleIndicator> i) { indicator_ = std::move(i); }

private:
    std::shared_ptr<DataValue> value_;
    std::shared_ptr<const std::string> formattedValue_;
    std::shared_ptr<const std::string> label_;
    bool isTime_ = false;
    bool useAsTooltip_ = false;
    bool supportTerseLabel_ = true;
    std::shared_ptr<PickResultEntryDisplayRuleIndicator> indicator_;
};

} // namespace orvane
