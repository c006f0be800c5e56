// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class BaseModel;

/// Per-reading context of a package's parser, known by name.
class ORVANE_HOST_EXPORT OneParserContext {
public:
    explicit OneParserContext(std::shared_ptr<const std::string> name) : name_(std::move(name)) {}
    virtual ~OneParserContext() = default;
    std::shared_ptr<const std::string> getName() const { return name_; }

    /// Called by the reader with the format names a model carries that the host
    /// could not confirm; a package may record or fix them.
    virtual void _disambiguateSuspiciousFormatNames(const std::shared_ptr<std::vector<std::string>>& names,
                                                    const std::shared_ptr<BaseModel>& model) {
        (void)names;
        (void)model;
    }

private:
    std::shared_ptr<const std::string> name_;
};

/// Holds the contexts of one reading by name.
class ORVANE_HOST_EXPORT ParserContextManager {
public:
    static std::shared_ptr<ParserContextManager> create() { return std::make_shared<ParserContextManager>(); }
    void addContext(const std::shared_ptr<OneParserContext>& context);
    std::shared_ptr<OneParserContext> getContext(const std::string& name) const;
    const std::map<std::string, std::shared_ptr<OneParserContext>>& contexts() const { return contexts_; }

private:
    std::map<std::string, std::shared_ptr<OneParserContext>> contexts_;
};

} // namespace orvane
