// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT VisibleCells : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10090;
    VisibleCells();
    ~VisibleCells() override;
    static std::shared_ptr<VisibleCells> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<int> horizontalIndex;
    Property<int> verticalIndex;
    Property<int> horizontalCells;
    Property<int> verticalCells;
};

} // namespace orvane
