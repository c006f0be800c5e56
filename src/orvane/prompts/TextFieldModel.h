// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/PromptModel.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvane {

class ORVANE_EXPORT TextFieldModel : public PromptModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10087;
    TextFieldModel();
    ~TextFieldModel() override;
    static std::shared_ptr<TextFieldModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// A TextFieldRenderer drawing this model.
    std::shared_ptr<BasePromptRenderer> createRenderer() override;

    /// Longest text kept, in characters.
    static constexpr size_t MAX_CHARACTERS = 4096;
    /// Sets the text typed into the field: invalid UTF-8 sequences become
    /// U+FFFD, and text beyond MAX_CHARACTERS is cut (logged). Answers the
    /// text kept.
    std::string setText(std::string_view text);

    Property<std::shared_ptr<DataValue>> currentValue;
    Property<std::shared_ptr<const std::string>> label;
};

} // namespace orvane
