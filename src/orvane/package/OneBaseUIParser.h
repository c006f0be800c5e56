// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/document/OneParser.h"

#include <memory>
#include <string>

namespace orvane {

/// The library's parser: the host reader over the library's model database,
/// with the library's parser context.
class ORVANE_EXPORT OneBaseUIParser : public OneParser {
public:
    OneBaseUIParser(std::shared_ptr<ParserContextManager> contextManager, std::shared_ptr<BaseModel> model, int flags,
                    int version);
    /// An empty context manager, an empty model and 0.
    static std::shared_ptr<OneParser> create(int version);
    static std::shared_ptr<OneParser> create(std::shared_ptr<ParserContextManager> contextManager,
                                             std::shared_ptr<BaseModel> model, int flags, int version);
    /// True for the root element names the library reads ("div").
    static bool isParserForElementName(const std::string& name, const ParserAttributes& attributes);

    std::shared_ptr<OneParserContext> createParserContext() override;
    std::shared_ptr<OneParser> createChildParser(std::shared_ptr<ParserContextManager> contextManager,
                                                 std::shared_ptr<BaseModel> model, int flags, int version) override;
};

} // namespace orvane
