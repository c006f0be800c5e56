// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/OrvaneUIModelContext.h"

namespace orvane {

std::shared_ptr<const std::string> OrvaneUIModelContext::getContextName() {
    static const std::shared_ptr<const std::string> name = std::make_shared<const std::string>("OrvaneUIModelContext");
    return name;
}

void OrvaneUIModelContext::_disambiguateSuspiciousFormatNames(const std::shared_ptr<std::vector<std::string>>& names,
                                                              const std::shared_ptr<BaseModel>& model) {
    if (!names) return;
    if (!pairs_) pairs_ = std::make_shared<std::vector<Pair>>();
    pairs_->emplace_back(model, names);
}

} // namespace orvane
