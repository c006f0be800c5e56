#include "orvane/selection/SelectionControl.h"

#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/selection/SelectionControlItem.h"

namespace orvane {

SelectionControl::SelectionControl()
    : items(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)) {
}

SelectionControl::~SelectionControl() = default;

std::shared_ptr<SelectionControl> SelectionControl::create() {
    auto m = std::make_shared<SelectionControl>();
    m->initialize();
    return m;
}

} // namespace orvane
