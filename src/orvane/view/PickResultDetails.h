// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>

namespace orvane {

/// Extra detail of a pick result; subclasses add their own fields.
class ORVANE_EXPORT PickResultDetails : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10052;
    static std::shared_ptr<PickResultDetails> create() { return std::make_shared<PickResultDetails>(); }
    ~PickResultDetails() override = default;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
};

} // namespace orvane
