#include "orvane/datagrid/GridDisplayOptions.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

GridDisplayOptions::GridDisplayOptions()
    : concise(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      plain(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      wrapall(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      retainNewLines(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)) {
}

GridDisplayOptions::~GridDisplayOptions() = default;

std::shared_ptr<GridDisplayOptions> GridDisplayOptions::create() {
    auto m = std::make_shared<GridDisplayOptions>();
    m->initialize();
    return m;
}

} // namespace orvane
