#pragma once
#include "orvane/prompts/PromptModel.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class TextFieldModel : public PromptModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10087;
    TextFieldModel();
    ~TextFieldModel() override;
    static std::shared_ptr<TextFieldModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<DataValue>> currentValue;
    Property<std::shared_ptr<const std::string>> label;
};

} // namespace orvane
