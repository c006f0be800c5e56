// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/document/OneParserContext.h"
#include "orvane/host/document/ParseError.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

class BaseModel;
class SuperModelDatabase;

using ParserAttributes = std::vector<std::pair<std::string, std::string>>;

/// Reads model documents into model trees, driven only by the model databases'
/// records: element name -> model type (element names and aliases), attributes
/// -> properties by name or alias (converted by value-type code), child
/// elements -> the property that can hold them, text -> the text-content
/// property (bare text inside a model that holds text models becomes one
/// anonymous text model per run, in document order).
///
/// Document syntax (XML):
///   <orvane version="202301">           optional wrapper giving the version
///     <LayoutProxy grow="true" x="10px">    a model; attributes are properties
///       <defaultConstraint>               a property element holding a model
///         <LayoutConstraint minimumWidth="120"/>
///       </defaultConstraint>
///       <children> <LayoutProxy/> <LayoutProxy/> </children>
///       <responsiveWeights>1 2 1</responsiveWeights>   or the attribute form
///       <orderedColumnNames><item>a</item><item>b</item></orderedColumnNames>
///     </LayoutProxy>
///   </orvane>
/// A child model element may also appear directly inside its parent when only
/// one property can hold it (<div><span>...</span></div>).
class ORVANE_HOST_EXPORT OneParser : public virtual Wrappable {
public:
    OneParser(std::shared_ptr<ParserContextManager> contextManager, std::shared_ptr<BaseModel> model, int flags,
              int version, SuperModelDatabase* database);
    ~OneParser() override;

    int getVersion() const { return version_; }
    std::shared_ptr<ParserContextManager> getContextManager() const { return contextManager_; }
    std::shared_ptr<BaseModel> getModel() const { return model_; }
    SuperModelDatabase* getDatabase() const { return database_; }

    virtual std::shared_ptr<OneParserContext> createParserContext();
    virtual std::shared_ptr<OneParser> createChildParser(std::shared_ptr<ParserContextManager> contextManager,
                                                         std::shared_ptr<BaseModel> model, int flags, int version);

    /// Reads a whole document. Returns the root model, or null with `error` set.
    std::shared_ptr<BaseModel> parseDocument(std::string_view text, const std::string& sourceName, ParseError& error);

private:
    std::shared_ptr<ParserContextManager> contextManager_;
    std::shared_ptr<BaseModel> model_;
    int flags_;
    int version_;
    SuperModelDatabase* database_;
};

} // namespace orvane
