#include "orvane/selection/Selection.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

Selection::Selection()
    : dataName(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      expression(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)) {
}

Selection::~Selection() = default;

std::shared_ptr<Selection> Selection::create() {
    auto m = std::make_shared<Selection>();
    m->initialize();
    return m;
}

} // namespace orvane
