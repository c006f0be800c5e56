// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/TextFieldModel.h"

#include "orvane/prompts/TextFieldRenderer.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/core/Utf8.h"
#include "orvane/package/BaseUIModelDatabase.h"

#include <algorithm>

namespace orvane {

TextFieldModel::TextFieldModel()
    : currentValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      label(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)) {
}

TextFieldModel::~TextFieldModel() = default;

std::shared_ptr<TextFieldModel> TextFieldModel::create() {
    auto m = std::make_shared<TextFieldModel>();
    m->initialize();
    return m;
}

std::string TextFieldModel::setText(std::string_view text) {
    std::string kept;
    kept.reserve(std::min(text.size(), MAX_CHARACTERS * 4));
    const char* p = text.data();
    const char* end = p + text.size();
    size_t count = 0;
    while (p < end && count < MAX_CHARACTERS) {
        Utf8::append(kept, Utf8::next(p, end));
        ++count;
    }
    if (p < end)
        ORVANE_LOG(CLog::ERRORS, "orvane/prompts/TextFieldModel",
                   "Text field input cut to " + std::to_string(MAX_CHARACTERS) + " characters.");
    currentValue = DataValue::create(kept);
    return kept;
}

std::shared_ptr<BasePromptRenderer> TextFieldModel::createRenderer() {
    auto view = TextFieldRenderer::create();
    view->setModel(std::dynamic_pointer_cast<PromptModel>(shared_from_this()));
    return view;
}

} // namespace orvane
