// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class BasePromptRenderer;

class ORVANE_EXPORT PromptModel : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10060;
    PromptModel();
    ~PromptModel() override;
    static std::shared_ptr<PromptModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// A new renderer of the model's kind, drawing this model (null for a
    /// model that no renderer draws).
    virtual std::shared_ptr<BasePromptRenderer> createRenderer();

    Property<std::shared_ptr<StyleChain>> styleChain;
};

} // namespace orvane
