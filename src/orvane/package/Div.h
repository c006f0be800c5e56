// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/package/Span.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT Div : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10028;
    Div();
    ~Div() override;
    static std::shared_ptr<Div> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<const std::string>> styleClass;
    Property<std::shared_ptr<const std::string>> style;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<Span>>>, true> spans;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<Div>>>, true> divs;
};

} // namespace orvane
