// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/input/CursorManager.h"

namespace orvane {

std::shared_ptr<CursorManager> CursorManager::getSharedInstance() {
    static const std::shared_ptr<CursorManager> instance = std::make_shared<CursorManager>();
    return instance;
}

} // namespace orvane
