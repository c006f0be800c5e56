// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/Wrappable.h"

#include <string>

namespace orvane {

/// Something that can describe itself as text.
class ORVANE_HOST_EXPORT StringRepresentable : public virtual Wrappable {
public:
    ~StringRepresentable() override = default;
    virtual std::string toString() const = 0;
};

} // namespace orvane
