// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/net/Warning.h"

#include <memory>

namespace orvane {

/// An event that carries a warning; its type is the sender's failure event id.
class ORVANE_HOST_EXPORT WarningEvent : public PortableEvent {
public:
    WarningEvent(int type, std::shared_ptr<Warning> warning) : PortableEvent(type), warning_(std::move(warning)) {}
    static std::shared_ptr<WarningEvent> create(int type, std::shared_ptr<Warning> warning) {
        return std::make_shared<WarningEvent>(type, std::move(warning));
    }

    const std::shared_ptr<Warning>& getWarning() const { return warning_; }

private:
    std::shared_ptr<Warning> warning_;
};

} // namespace orvane
