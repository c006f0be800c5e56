// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/OneBaseUIParser.h"

#include "orvane/host/core/SuperModelDatabase.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/package/OrvaneUIModelContext.h"

namespace orvane {

OneBaseUIParser::OneBaseUIParser(std::shared_ptr<ParserContextManager> contextManager, std::shared_ptr<BaseModel> model,
                                 int flags, int version)
    : OneParser(std::move(contextManager), std::move(model), flags, version, SuperModelDatabase::instance()) {}

std::shared_ptr<OneParser> OneBaseUIParser::create(int version) {
    return create(ParserContextManager::create(), nullptr, 0, version);
}

std::shared_ptr<OneParser> OneBaseUIParser::create(std::shared_ptr<ParserContextManager> contextManager,
                                                   std::shared_ptr<BaseModel> model, int flags, int version) {
    BaseUIModelDatabase::instance();  // make sure the library's models are registered
    return std::make_shared<OneBaseUIParser>(std::move(contextManager), std::move(model), flags, version);
}

bool OneBaseUIParser::isParserForElementName(const std::string& name, const ParserAttributes&) {
    return BaseUIModelDatabase::instance()->getModelIdForRootElementName(name) != 0;
}

std::shared_ptr<OneParserContext> OneBaseUIParser::createParserContext() {
    return std::make_shared<OrvaneUIModelContext>();
}

std::shared_ptr<OneParser> OneBaseUIParser::createChildParser(std::shared_ptr<ParserContextManager> contextManager,
                                                              std::shared_ptr<BaseModel> model, int flags,
                                                              int version) {
    return create(std::move(contextManager), std::move(model), flags, version);
}

} // namespace orvane
