// SPDX-License-Identifier: Apache-2.0
#include "orvane/selection/Selection.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

Selection::Selection()
    : dataName(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      expression(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)) {
}

Selection::~Selection() = default;

std::shared_ptr<Selection> Selection::create() {
    auto m = std::make_shared<Selection>();
    m->initialize();
    return m;
}

bool Selection::equals(const Selection& other) const {
    auto a = dataName.get(), b = other.dataName.get();
    if ((a == nullptr) != (b == nullptr) || (a && *a != *b)) return false;
    auto x = expression.get(), y = other.expression.get();
    if (!x || !y) return !x && !y;
    return x->equals(*y);
}

std::shared_ptr<Selection> Selection::copyWithExpression(std::shared_ptr<Expression> e) const {
    auto s = create();
    s->dataName = dataName.get();
    s->expression = std::move(e);
    return s;
}

} // namespace orvane
