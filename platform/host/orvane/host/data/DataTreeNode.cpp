// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/DataTreeNode.h"

#include <iostream>

namespace orvane {

void DataTreeNode::addChild(const std::shared_ptr<DataTreeNode>& child) {
    if (!child || child.get() == this) return;
    child->parent_ = sharedAs<DataTreeNode>();
    children_.push_back(child);
}

bool DataTreeNode::isFirstChild() const {
    auto p = getParent();
    return p && !p->children_.empty() && p->children_.front().get() == this;
}

bool DataTreeNode::isLastChild() const {
    auto p = getParent();
    return p && !p->children_.empty() && p->children_.back().get() == this;
}

int DataTreeNode::getLevel() const {
    int depth = 0;
    for (auto p = getParent(); p; p = p->getParent()) ++depth;
    return depth;
}

std::vector<std::shared_ptr<DataTreeNode>> DataTreeNode::getUniqueNodePath() {
    std::vector<std::shared_ptr<DataTreeNode>> path;
    std::shared_ptr<DataTreeNode> node = sharedAs<DataTreeNode>();
    while (node && node->getParent()) {
        path.push_back(node);
        node = node->getParent();
    }
    return {path.rbegin(), path.rend()};
}

std::vector<std::shared_ptr<DataTreeNode>> DataTreeNode::getDepthFirstListOfAllLeafNodesUnderThisNode() {
    std::vector<std::shared_ptr<DataTreeNode>> leaves;
    std::vector<std::shared_ptr<DataTreeNode>> stack{sharedAs<DataTreeNode>()};
    while (!stack.empty()) {
        auto n = std::move(stack.back());
        stack.pop_back();
        if (n->children_.empty()) {
            leaves.push_back(n);
            continue;
        }
        for (auto it = n->children_.rbegin(); it != n->children_.rend(); ++it) stack.push_back(*it);
    }
    return leaves;
}

std::shared_ptr<DataTreeNode> DataTreeNode::getParentNodeAtLevel(const std::shared_ptr<DataTreeNode>& node, int level) {
    if (!node || level < 0) return nullptr;
    int depth = node->getLevel();
    if (depth < level) return nullptr;
    auto n = node;
    for (; depth > level; --depth) n = n->getParent();
    return n;
}

void DataTreeNode::expandAll() {
    std::vector<DataTreeNode*> stack{this};
    while (!stack.empty()) {
        DataTreeNode* n = stack.back();
        stack.pop_back();
        n->collapsed_ = false;
        for (auto& c : n->children_) stack.push_back(c.get());
    }
}

void DataTreeNode::printAt(std::ostream& out, int depth) const {
    out << std::string(static_cast<size_t>(depth) * 2, ' ') << getPresentableText();
    if (!rows_.empty()) out << " (" << rows_.size() << " rows)";
    if (collapsed_ && !children_.empty()) out << " [collapsed]";
    out << '\n';
    for (auto& c : children_) c->printAt(out, depth + 1);
}

void DataTreeNode::print(std::ostream& out) const { printAt(out, 0); }

void DataTreeNode::print() const { print(std::cout); }

} // namespace orvane
