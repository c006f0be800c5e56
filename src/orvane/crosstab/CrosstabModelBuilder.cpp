#include "orvane/crosstab/CrosstabModelBuilder.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

CrosstabModelBuilder::CrosstabModelBuilder()
    : showRowTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      showRowSubTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      showColumnTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      showColumnSubTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      showSummaryOnTop(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      showMissingLabelAsBlank(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      aggregateData(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)),
      regenerateData(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 7)) {
    regenerateData.setDefault(true);
}

CrosstabModelBuilder::~CrosstabModelBuilder() = default;

std::shared_ptr<CrosstabModelBuilder> CrosstabModelBuilder::create() {
    auto m = std::make_shared<CrosstabModelBuilder>();
    m->initialize();
    return m;
}

} // namespace orvane
