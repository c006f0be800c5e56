// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"

namespace orvane {

/// Polymorphic root of property validators; typed validators derive from it.
class ORVANE_HOST_EXPORT PropertyValidator {
public:
    virtual ~PropertyValidator() = default;
};

} // namespace orvane
