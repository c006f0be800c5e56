// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class VisibleCells;

class ORVANE_EXPORT OrvaneTableState : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10009;
    OrvaneTableState();
    ~OrvaneTableState() override;
    static std::shared_ptr<OrvaneTableState> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<VisibleCells>, true> visibleCells;
};

} // namespace orvane
