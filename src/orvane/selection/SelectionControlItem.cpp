#include "orvane/selection/SelectionControlItem.h"

#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionControlTerm.h"
#include "orvane/selection/SelectionController.h"
#include "orvane/selection/SelectionOptions.h"

namespace orvane {

SelectionControlItem::SelectionControlItem()
    : label(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      terms(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      selections(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      selectionController(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      selectionOptions(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      readOnly(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)) {
}

SelectionControlItem::~SelectionControlItem() = default;

std::shared_ptr<SelectionControlItem> SelectionControlItem::create() {
    auto m = std::make_shared<SelectionControlItem>();
    m->initialize();
    return m;
}

} // namespace orvane
