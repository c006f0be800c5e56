// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/PromptModel.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class ORVANE_EXPORT ComboBoxModel : public PromptModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10007;
    ComboBoxModel();
    ~ComboBoxModel() override;
    static std::shared_ptr<ComboBoxModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// A ComboBoxRenderer drawing this model.
    std::shared_ptr<BasePromptRenderer> createRenderer() override;

    /// Chooses the entry whose value equals the given one among the entries
    /// (an empty list of entries accepts any value). False, nothing changed,
    /// when it is not one of them.
    bool choose(const std::shared_ptr<DataValue>& value, const std::vector<std::shared_ptr<DataValue>>& entries);

    Property<std::shared_ptr<DataValue>> currentValue;
    Property<std::shared_ptr<const std::string>> formattedMeasure;
    Property<std::shared_ptr<const std::string>> label;
};

} // namespace orvane
