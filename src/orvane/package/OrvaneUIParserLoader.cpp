// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/OrvaneUIParserLoader.h"

#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/package/OneBaseUIParser.h"

namespace orvane {

std::shared_ptr<OrvaneUIParserLoader> OrvaneUIParserLoader::create(int version) {
    auto factory = BaseUIModelDatabase::instance()->getParserCreateFunction(version);
    return std::make_shared<OrvaneUIParserLoader>(&OneBaseUIParser::isParserForElementName, factory, version);
}

} // namespace orvane
