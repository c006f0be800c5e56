// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/OrvaneUIDeserializer.h"

#include "orvane/package/OrvaneUIModelContext.h"
#include "orvane/package/OrvaneUIPackage.h"
#include "orvane/package/OrvaneUIParserLoader.h"

namespace orvane {

std::shared_ptr<OrvaneUIDeserializer> OrvaneUIDeserializer::create() {
    OrvaneUIPackage::instance();
    return std::make_shared<OrvaneUIDeserializer>(OrvaneUIParserLoader::create(0),
                                                  OrvaneUIModelContext::getContextName());
}

} // namespace orvane
