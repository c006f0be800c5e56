#pragma once
#include "orvane/host/document/ParserLoader.h"

#include <memory>

namespace orvane {

// The library's parser loader: root predicate, factory and version.
class OrvaneUIParserLoader : public ParserLoader {
public:
    using ParserLoader::ParserLoader;
    static std::shared_ptr<OrvaneUIParserLoader> create(int version);
};

} // namespace orvane
