// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/SortContext.h"

namespace orvane {

std::shared_ptr<SortContext> SortContext::create(const std::string& columnName, SortDirection::type direction) {
    auto c = create();
    c->setColumnName(columnName);
    c->setDirection(direction);
    return c;
}

void SortContext::setDirection(SortDirection::type direction) {
    int d = static_cast<int>(direction);
    direction_ = d >= 0 && d <= 2 ? direction : SortDirection::NONE;
}

} // namespace orvane
