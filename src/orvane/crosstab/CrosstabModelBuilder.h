#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class CrosstabModelBuilder : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10016;
    CrosstabModelBuilder();
    ~CrosstabModelBuilder() override;
    static std::shared_ptr<CrosstabModelBuilder> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<bool> showRowTotal;
    Property<bool> showRowSubTotal;
    Property<bool> showColumnTotal;
    Property<bool> showColumnSubTotal;
    Property<bool> showSummaryOnTop;
    Property<bool> showMissingLabelAsBlank;
    Property<bool> aggregateData;
    Property<bool> regenerateData;
};

} // namespace orvane
