// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT RichTextNode : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10067;
    RichTextNode();
    ~RichTextNode() override;
    static std::shared_ptr<RichTextNode> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// A node with text, style and action (any may be null).
    static std::shared_ptr<RichTextNode> create(const std::string& text, std::shared_ptr<StyleChain> style = nullptr,
                                                std::shared_ptr<const std::string> action = nullptr);

    /// Appends a child, creating the children list on first use (one
    /// vector-change event).
    void addChild(const std::shared_ptr<RichTextNode>& child);

    Property<std::shared_ptr<const std::string>> text;
    Property<std::shared_ptr<StyleChain>> textStyle;
    Property<std::shared_ptr<const std::string>> action;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<RichTextNode>>>, true> children;
};

} // namespace orvane
