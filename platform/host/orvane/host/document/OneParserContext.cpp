// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/document/OneParserContext.h"

namespace orvane {

void ParserContextManager::addContext(const std::shared_ptr<OneParserContext>& context) {
    if (context && context->getName()) contexts_[*context->getName()] = context;
}

std::shared_ptr<OneParserContext> ParserContextManager::getContext(const std::string& name) const {
    auto it = contexts_.find(name);
    return it == contexts_.end() ? nullptr : it->second;
}

} // namespace orvane
