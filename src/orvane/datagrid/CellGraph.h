// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT CellGraph : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10006;
    CellGraph();
    ~CellGraph() override;
    static std::shared_ptr<CellGraph> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<float> value;
    Property<float> minimum;
    Property<float> maximum;
    Property<std::shared_ptr<StyleChain>> styleChain;
    Property<unsigned int> fillColor;
    Property<unsigned int> lineColor;
    Property<unsigned int> missingColor;
};

} // namespace orvane
