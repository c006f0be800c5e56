#include "orvane/prompts/TextFieldModel.h"

#include "orvane/package/BaseUIModelDatabase.h"

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

} // namespace orvane
