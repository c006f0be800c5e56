// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/data/DataTreeNode.h"
#include "orvane/package/NodeType.h"

#include <memory>
#include <string>

namespace orvane {

/// One header node of a crosstab display tree: its kind, the data-tree node it
/// shows, which header buttons it has, their tooltips, and its span.
class ORVANE_EXPORT DisplayTreeNode : public DataTreeNode {
public:
    DisplayTreeNode(const std::string& label, std::shared_ptr<DataValue> value) : DataTreeNode(label, std::move(value)) {}
    static std::shared_ptr<DisplayTreeNode> create(const std::string& label, std::shared_ptr<DataValue> value = nullptr) {
        auto n = std::make_shared<DisplayTreeNode>(label, std::move(value));
        n->setFormattedValue(label);
        return n;
    }

    NodeType::type getNodeType() const { return nodeType_; }
    void setNodeType(NodeType::type t) { nodeType_ = t; }
    std::shared_ptr<DataTreeNode> getDataTreeNode() const { return dataTreeNode_.lock(); }
    void setDataTreeNode(const std::shared_ptr<DataTreeNode>& n) { dataTreeNode_ = n; }
    int getSpan() const { return span_; }
    void setSpan(int s) { span_ = s; }

    bool getExpandButtonVisible() const { return expand_; }
    void setExpandButtonVisible(bool b) { expand_ = b; }
    bool getCollapseButtonVisible() const { return collapse_; }
    void setCollapseButtonVisible(bool b) { collapse_ = b; }
    bool getDrillButtonVisible() const { return drill_; }
    void setDrillButtonVisible(bool b) { drill_ = b; }
    bool getPageUpButtonVisible() const { return pageUp_; }
    void setPageUpButtonVisible(bool b) { pageUp_ = b; }
    bool getPageUpEndButtonVisible() const { return pageUpEnd_; }
    void setPageUpEndButtonVisible(bool b) { pageUpEnd_ = b; }
    bool getPageDownButtonVisible() const { return pageDown_; }
    void setPageDownButtonVisible(bool b) { pageDown_ = b; }
    bool getPageDownEndButtonVisible() const { return pageDownEnd_; }
    void setPageDownEndButtonVisible(bool b) { pageDownEnd_ = b; }

    std::shared_ptr<const std::string> getPageUpTooltipLabel() const { return pageUpTip_; }
    void setPageUpTooltipLabel(std::shared_ptr<const std::string> s) { pageUpTip_ = std::move(s); }
    std::shared_ptr<const std::string> getPageUpEndTooltipLabel() const { return pageUpEndTip_; }
    void setPageUpEndTooltipLabel(std::shared_ptr<const std::string> s) { pageUpEndTip_ = std::move(s); }
    std::shared_ptr<const std::string> getPageDownTooltipLabel() const { return pageDownTip_; }
    void setPageDownTooltipLabel(std::shared_ptr<const std::string> s) { pageDownTip_ = std::move(s); }
    std::shared_ptr<const std::string> getPageDownEndTooltipLabel() const { return pageDownEndTip_; }
    void setPageDownEndTooltipLabel(std::shared_ptr<const std::string> s) { pageDownEndTip_ = std::move(s); }

private:
    NodeType::type nodeType_ = NodeType::NONE;
    std::weak_ptr<DataTreeNode> dataTreeNode_;
    bool expand_ = false, collapse_ = false, drill_ = false;
    bool pageUp_ = false, pageUpEnd_ = false, pageDown_ = false, pageDownEnd_ = false;
    std::shared_ptr<const std::string> pageUpTip_, pageUpEndTip_, pageDownTip_, pageDownEndTip_;
    int span_ = -1;
};

} // namespace orvane
