// SPDX-License-Identifier: Apache-2.0
#include "orvane/view/PickResult.h"

namespace orvane {

void PickResult::autoPreferredTargetLocation(bool centerHorizontally) {
    target_.y = bounds_.y + bounds_.height / 2.0f;
    target_.x = centerHorizontally ? bounds_.x + bounds_.width / 2.0f : bounds_.maxX();
}

void PickResult::addEntry(const std::shared_ptr<PickResultEntry>& entry) {
    if (!entry) return;
    if (!entries_) entries_ = std::make_shared<EntryList>();
    entries_->push_back(entry);
}

} // namespace orvane
