// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabControllerEvent.h"

#include "orvane/crosstab/CrosstabController.h"

namespace orvane {

std::shared_ptr<CrosstabControllerEvent> CrosstabControllerEvent::create(EventDispatcher* source, int type) {
    auto e = std::make_shared<CrosstabControllerEvent>(type);
    e->setOriginalSource(source);
    return e;
}

} // namespace orvane
