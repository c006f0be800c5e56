// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/document/ParseError.h"
#include "orvane/host/document/ParserLoader.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvane {

class BaseModel;

/// Reads a document into a model tree with a package's parser loader.
/// The root decides the parser: a document wrapper <orvane version="N"> picks
/// the parser factory of the root model's database for version N; a bare root
/// accepted by the loader's predicate uses the loader's own factory; any other
/// known model element uses its database's factory for version 0.
class ORVANE_HOST_EXPORT AbstractDeserializer : public virtual EventDispatcher, public virtual Wrappable {
public:
    AbstractDeserializer(std::shared_ptr<ParserLoader> loader, std::shared_ptr<const std::string> contextName);
    ~AbstractDeserializer() override = default;

    /// The root model, or null (see getLastError). `strict` is accepted for
    /// compatibility; reading is always strict about unknown names and values.
    std::shared_ptr<BaseModel> deserialize(std::string_view text, bool strict = true);
    std::shared_ptr<BaseModel> deserializeFile(const std::string& path);

    const ParseError& getLastError() const { return lastError_; }
    void setSourceName(std::string name) { sourceName_ = std::move(name); }
    std::shared_ptr<ParserLoader> getParserLoader() const { return loader_; }
    std::shared_ptr<const std::string> getContextName() const { return contextName_; }
    /// Format version of the last document read (0 when none was given).
    int getLastVersion() const { return lastVersion_; }

private:
    std::shared_ptr<ParserLoader> loader_;
    std::shared_ptr<const std::string> contextName_;
    std::string sourceName_;
    ParseError lastError_;
    int lastVersion_ = 0;
};

} // namespace orvane
