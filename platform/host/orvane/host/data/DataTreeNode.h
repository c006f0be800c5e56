#pragma once
#include "orvane/host/data/DataValue.h"
#include "orvane/host/core/EventDispatcher.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

// A node of a data tree (row or column headers of a crosstab): a label, a data
// value, a formatted text and children.
class DataTreeNode : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 44;

    DataTreeNode(std::string label, std::shared_ptr<DataValue> value)
        : label_(std::make_shared<const std::string>(std::move(label))), value_(std::move(value)) {
        formatted_ = label_;
    }
    static std::shared_ptr<DataTreeNode> create(const std::string& label, std::shared_ptr<DataValue> value = nullptr) {
        return std::make_shared<DataTreeNode>(label, std::move(value));
    }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    std::shared_ptr<const std::string> getLabel() const { return label_; }
    std::shared_ptr<DataValue> getDataValue() const { return value_; }
    std::shared_ptr<const std::string> getFormattedValue() const { return formatted_; }
    void setFormattedValue(std::shared_ptr<const std::string> f) { formatted_ = std::move(f); }
    void setFormattedValue(const std::string& f) { formatted_ = std::make_shared<const std::string>(f); }

    const std::vector<std::shared_ptr<DataTreeNode>>& getChildren() const { return children_; }
    void addChild(const std::shared_ptr<DataTreeNode>& child);
    std::shared_ptr<DataTreeNode> getParent() const { return parent_.lock(); }

private:
    std::shared_ptr<const std::string> label_;
    std::shared_ptr<DataValue> value_;
    std::shared_ptr<const std::string> formatted_;
    std::vector<std::shared_ptr<DataTreeNode>> children_;
    std::weak_ptr<DataTreeNode> parent_;
};

} // namespace orvane
