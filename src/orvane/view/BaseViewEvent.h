// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortableEvent.h"

#include <memory>

namespace displaylist {
class DisplayListRenderer;
}

namespace orvane {

/// A view event that carries the display-list renderer involved.
class ORVANE_EXPORT BaseViewEvent : public PortableEvent {
public:
    BaseViewEvent(int type, std::shared_ptr<displaylist::DisplayListRenderer> renderer)
        : PortableEvent(type), renderer_(std::move(renderer)) {}
    static std::shared_ptr<BaseViewEvent> create(int type, std::shared_ptr<displaylist::DisplayListRenderer> renderer) {
        return std::make_shared<BaseViewEvent>(type, std::move(renderer));
    }
    std::shared_ptr<displaylist::DisplayListRenderer> getDisplayListRenderer() const { return renderer_; }

private:
    std::shared_ptr<displaylist::DisplayListRenderer> renderer_;
};

} // namespace orvane
