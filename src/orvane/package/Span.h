// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT Span : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10085;
    Span();
    ~Span() override;
    static std::shared_ptr<Span> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<const std::string>> styleClass;
    Property<std::shared_ptr<const std::string>> style;
    Property<std::shared_ptr<const std::string>> content;
    Property<std::weak_ptr<Span>, true> parentSpan;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<Span>>>, true> spans;
};

} // namespace orvane
