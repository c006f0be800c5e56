// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/document/OneParser.h"

#include <functional>
#include <memory>
#include <string>

namespace orvane {

/// How a package reads documents: which root element names it reads, the
/// factory of its parser, and the format version the factory was chosen for.
class ORVANE_HOST_EXPORT ParserLoader {
public:
    using Predicate = std::function<bool(const std::string& elementName, const ParserAttributes& attributes)>;
    using Factory = std::function<std::shared_ptr<OneParser>()>;

    ParserLoader(Predicate predicate, Factory factory, int version)
        : predicate_(std::move(predicate)), factory_(std::move(factory)), version_(version) {}
    virtual ~ParserLoader() = default;

    const Predicate& getPredicate() const { return predicate_; }
    const Factory& getFactory() const { return factory_; }
    int getVersion() const { return version_; }

private:
    Predicate predicate_;
    Factory factory_;
    int version_;
};

} // namespace orvane
