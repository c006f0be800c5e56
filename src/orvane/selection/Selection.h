// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/data/Expression.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT Selection : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10069;
    Selection();
    ~Selection() override;
    static std::shared_ptr<Selection> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// Same data name (two null names match) and structurally equal expressions.
    bool equals(const Selection& other) const;
    /// A new selection with the same data name and the given expression.
    std::shared_ptr<Selection> copyWithExpression(std::shared_ptr<Expression> expression) const;

    Property<std::shared_ptr<const std::string>> dataName;
    Property<std::shared_ptr<Expression>> expression;
};

} // namespace orvane
