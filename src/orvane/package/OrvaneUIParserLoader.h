// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/document/ParserLoader.h"

#include <memory>

namespace orvane {

/// The library's parser loader: root predicate, factory and version.
class ORVANE_EXPORT OrvaneUIParserLoader : public ParserLoader {
public:
    using ParserLoader::ParserLoader;
    static std::shared_ptr<OrvaneUIParserLoader> create(int version);
};

} // namespace orvane
