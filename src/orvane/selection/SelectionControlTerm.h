// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/data/Expression.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT SelectionControlTerm : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10074;
    SelectionControlTerm();
    ~SelectionControlTerm() override;
    static std::shared_ptr<SelectionControlTerm> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<const std::string>> label;
    Property<std::shared_ptr<Expression>> expression;
};

} // namespace orvane
