// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortableEvent.h"

#include <memory>
#include <string>

namespace orvane {

/// Announces that the selection of one data set changed; carries that data
/// set's name (null for a data set without a name).
class ORVANE_EXPORT SelectionChangeEvent : public PortableEvent {
public:
    static constexpr int WRAPPER_TYPE_ID = 10070;

    SelectionChangeEvent(int type, std::shared_ptr<const std::string> dataName)
        : PortableEvent(type), dataName_(std::move(dataName)) {}
    static std::shared_ptr<SelectionChangeEvent> create(int type, std::shared_ptr<const std::string> dataName) {
        return std::make_shared<SelectionChangeEvent>(type, std::move(dataName));
    }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::shared_ptr<const std::string>& getDataName() const { return dataName_; }

private:
    std::shared_ptr<const std::string> dataName_;
};

} // namespace orvane
