// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/core/BaseModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT DataGridCellInfo : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10021;
    DataGridCellInfo();
    ~DataGridCellInfo() override;
    static std::shared_ptr<DataGridCellInfo> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<BaseModel>> model;
    Property<int> row;
    Property<int> column;
};

} // namespace orvane
