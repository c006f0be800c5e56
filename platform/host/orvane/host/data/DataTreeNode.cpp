#include "orvane/host/data/DataTreeNode.h"

namespace orvane {

void DataTreeNode::addChild(const std::shared_ptr<DataTreeNode>& child) {
    if (!child) return;
    child->parent_ = sharedAs<DataTreeNode>();
    children_.push_back(child);
}

} // namespace orvane
