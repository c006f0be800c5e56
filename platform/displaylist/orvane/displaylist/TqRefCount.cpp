// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqRefCount.h"

#include "orvane/host/core/CLog.h"

namespace displaylist {

void TqRefCount::Unref() const {
    int before = refs_.load(std::memory_order_relaxed);
    while (true) {
        if (before <= 0) {
            ORVANE_LOG(orvane::CLog::ERRORS, "displaylist/TqRefCount", "Unref without a reference ignored");
            return;
        }
        if (refs_.compare_exchange_weak(before, before - 1, std::memory_order_acq_rel)) break;
    }
    if (before == 1) delete this;
}

} // namespace displaylist
