// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortableEvent.h"

#include <memory>

namespace orvane {

class CrosstabController;
class EventDispatcher;

/// Hands the host a CrosstabController for a crosstab view: dispatched from
/// the view each time it rebuilds its grid (unless the view suppresses it).
class ORVANE_EXPORT CrosstabControllerEvent : public PortableEvent {
public:
    static constexpr int WRAPPER_TYPE_ID = 10014;
    static constexpr int CROSSTAB_CONTROLLER_EVENT = 20020;

    explicit CrosstabControllerEvent(int type = CROSSTAB_CONTROLLER_EVENT) : PortableEvent(type) {}
    /// An event of `type` whose original source is `source`.
    static std::shared_ptr<CrosstabControllerEvent> create(EventDispatcher* source, int type);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::shared_ptr<CrosstabController>& getController() const { return controller_; }
    void setController(std::shared_ptr<CrosstabController> controller) { controller_ = std::move(controller); }

private:
    std::shared_ptr<CrosstabController> controller_;
};

} // namespace orvane
