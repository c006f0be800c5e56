// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"

#include <memory>

namespace orvane {

/// The host's pointer shape (CursorShape values). Views ask for a shape while
/// the pointer is over something that reacts to a drag (a column separator)
/// and restore the default when it leaves or the drag ends.
class ORVANE_HOST_EXPORT CursorManager {
public:
    static std::shared_ptr<CursorManager> getSharedInstance();

    void setCursor(int shape) { shape_ = shape; }
    int getCursor() const { return shape_; }
    void resetCursor() { shape_ = 0; }

private:
    int shape_ = 0;
};

} // namespace orvane
