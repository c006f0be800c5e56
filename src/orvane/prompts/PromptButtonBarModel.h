// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/PromptModel.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT PromptButtonBarModel : public PromptModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10058;
    PromptButtonBarModel();
    ~PromptButtonBarModel() override;
    static std::shared_ptr<PromptButtonBarModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// A PromptButtonBarRenderer drawing this model.
    std::shared_ptr<BasePromptRenderer> createRenderer() override;

    /// Presses a button (-1 releases every button). False for an index
    /// outside the buttons.
    bool pressButton(int index);
    /// The value of the pressed button, or null.
    std::shared_ptr<DataValue> getSelectedValue() const;

    Property<unsigned int> numberOfItems;
    Property<int> selectedIndex;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<DataValue>>>> values;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> formattedMeasures;
    Property<std::shared_ptr<StyleChain>> selectedStyleChain;
    Property<bool> isHorizonal;
};

} // namespace orvane
