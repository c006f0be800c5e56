// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/package/CompactFormatPrecision.h"
#include "orvane/package/CompactFormatScale.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT CompactFormatOptions : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10011;
    CompactFormatOptions();
    ~CompactFormatOptions() override;
    static std::shared_ptr<CompactFormatOptions> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<CompactFormatScale::type> scaleType;
    Property<unsigned int> scale;
    Property<CompactFormatPrecision::type> precisionType;
    Property<unsigned int> precision;
};

} // namespace orvane
