// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/document/OneParserContext.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

class BaseModel;

/// The library's parser context: records the (model, format names) pairs the
/// reader found suspicious, for the application to inspect after reading.
class ORVANE_EXPORT OrvaneUIModelContext : public OneParserContext {
public:
    using Pair = std::pair<std::shared_ptr<BaseModel>, std::shared_ptr<std::vector<std::string>>>;

    OrvaneUIModelContext() : OneParserContext(getContextName()) {}
    static std::shared_ptr<const std::string> getContextName();

    void _disambiguateSuspiciousFormatNames(const std::shared_ptr<std::vector<std::string>>& names,
                                            const std::shared_ptr<BaseModel>& model) override;
    /// Null when nothing was recorded.
    std::shared_ptr<std::vector<Pair>> getSuspiciousModelFormatPairs() const { return pairs_; }

private:
    std::shared_ptr<std::vector<Pair>> pairs_;
};

} // namespace orvane
