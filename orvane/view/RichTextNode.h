#pragma once
#include "orvane/package/BaseUIModel.h"
#include "host/StyleChain.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class RichTextNode : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10067;
    RichTextNode();
    ~RichTextNode() override;
    static std::shared_ptr<RichTextNode> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<const std::string>> text;
    Property<std::shared_ptr<StyleChain>> textStyle;
    Property<std::shared_ptr<const std::string>> action;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<RichTextNode>>>, true> children;
};

} // namespace orvane
