// SPDX-License-Identifier: Apache-2.0
#include "orvane/view/RichTextGestureHandler.h"

#include "orvane/view/RichTextView.h"

namespace orvane {

bool RichTextGestureHandler::handleTap(const Tap& tap) {
    auto view = std::dynamic_pointer_cast<RichTextView>(getView());
    if (view && view->getDisplayListEditor()) view->selectAtLocation(tap.getLocation(), false);
    return false;
}

} // namespace orvane
