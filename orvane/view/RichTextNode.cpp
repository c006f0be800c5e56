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

} // namespace orvane
