// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortableEvent.h"

#include <memory>

namespace orvane {

class SelectionControlItem;
class SelectionControlTerm;

/// A change of a SelectionControl (SELECTION_CONTROL_CHANGE), or the request or
/// notice that an item or a term goes away (REMOVE_ITEM, REMOVE_TERM), with the
/// item and term concerned (either may be null).
class ORVANE_EXPORT SelectionControlEvent : public PortableEvent {
public:
    static constexpr int WRAPPER_TYPE_ID = 10072;

    SelectionControlEvent(int type, std::shared_ptr<SelectionControlItem> item, std::shared_ptr<SelectionControlTerm> term)
        : PortableEvent(type), item_(std::move(item)), term_(std::move(term)) {}
    static std::shared_ptr<SelectionControlEvent> create(int type, std::shared_ptr<SelectionControlItem> item = nullptr,
                                                         std::shared_ptr<SelectionControlTerm> term = nullptr) {
        return std::make_shared<SelectionControlEvent>(type, std::move(item), std::move(term));
    }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::shared_ptr<SelectionControlItem>& getItem() const { return item_; }
    const std::shared_ptr<SelectionControlTerm>& getTerm() const { return term_; }

private:
    std::shared_ptr<SelectionControlItem> item_;
    std::shared_ptr<SelectionControlTerm> term_;
};

} // namespace orvane
