#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class VisibleCells;

class OrvaneCrosstabState : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10008;
    OrvaneCrosstabState();
    ~OrvaneCrosstabState() override;
    static std::shared_ptr<OrvaneCrosstabState> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<VisibleCells>, true> visibleCells;
};

} // namespace orvane
