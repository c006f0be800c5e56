// SPDX-License-Identifier: Apache-2.0
#include "orvane/view/RichTextNode.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

RichTextNode::RichTextNode()
    : text(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      textStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      action(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      children(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)) {
}

RichTextNode::~RichTextNode() = default;

std::shared_ptr<RichTextNode> RichTextNode::create() {
    auto m = std::make_shared<RichTextNode>();
    m->initialize();
    return m;
}

std::shared_ptr<RichTextNode> RichTextNode::create(const std::string& t, std::shared_ptr<StyleChain> style,
                                                 std::shared_ptr<const std::string> act) {
    auto n = create();
    n->text.set(std::make_shared<const std::string>(t));
    if (style) n->textStyle.set(style);
    if (act) n->action.set(act);
    return n;
}

void RichTextNode::addChild(const std::shared_ptr<RichTextNode>& child) {
    if (!child) return;
    auto list = children.get();
    if (!list) {
        children.set(MonitoredVector<std::shared_ptr<RichTextNode>>::create());
        list = children.get();
        if (!list) return;  // held back by a transition
    }
    list->push_back(child);
}

} // namespace orvane
