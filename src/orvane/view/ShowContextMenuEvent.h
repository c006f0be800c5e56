// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/view/PickResult.h"

#include <memory>

namespace orvane {

/// Asks the host to show a context menu for what was picked.
class ORVANE_EXPORT ShowContextMenuEvent : public PortableEvent {
public:
    static constexpr int WRAPPER_TYPE_ID = 10077;
    static constexpr int SHOW_CONTEXT_MENU = 20055;

    ShowContextMenuEvent(int type, std::shared_ptr<PickResult> result) : PortableEvent(type), result_(std::move(result)) {}
    static std::shared_ptr<ShowContextMenuEvent> create() { return create(SHOW_CONTEXT_MENU, nullptr); }
    static std::shared_ptr<ShowContextMenuEvent> create(int type, std::shared_ptr<PickResult> result) {
        return std::make_shared<ShowContextMenuEvent>(type, std::move(result));
    }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    std::shared_ptr<PickResult> getPickResult() const { return result_; }
    void setPickResult(std::shared_ptr<PickResult> r) { result_ = std::move(r); }

private:
    std::shared_ptr<PickResult> result_;
};

} // namespace orvane
