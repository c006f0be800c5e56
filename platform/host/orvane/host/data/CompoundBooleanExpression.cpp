// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/CompoundBooleanExpression.h"

namespace orvane {

std::shared_ptr<CompoundBooleanExpression> CompoundBooleanExpression::create(
    BooleanOperator op, std::vector<std::shared_ptr<Expression>> operands) {
    auto e = std::make_shared<CompoundBooleanExpression>(op);
    for (auto& o : operands)
        if (o) e->operands_.push_back(std::move(o));
    return e;
}

} // namespace orvane
