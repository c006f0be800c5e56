// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/data/Hierarchy.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT SelectionOptions : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10076;
    SelectionOptions();
    ~SelectionOptions() override;
    static std::shared_ptr<SelectionOptions> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> expectedDataNames;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> expectedVariableNames;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<Hierarchy>>>> hierarchies;
    Property<bool> includeAllOther;
    Property<bool> includeDrillInSelections;
};

} // namespace orvane
