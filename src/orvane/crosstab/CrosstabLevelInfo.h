// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/data/SortDirection.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT CrosstabLevelInfo : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10015;
    CrosstabLevelInfo();
    ~CrosstabLevelInfo() override;
    static std::shared_ptr<CrosstabLevelInfo> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<SortDirection::type> sortDirection;
    Property<std::shared_ptr<const std::string>> styleClassName;
    Property<int> width;
};

} // namespace orvane
