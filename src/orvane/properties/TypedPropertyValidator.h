// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/core/PropertyValidator.h"

namespace orvane {

/// A validator for values of type T.
template <class T>
class TypedPropertyValidator : public PropertyValidator {
public:
    virtual bool isValid(const T& value) const = 0;
};

} // namespace orvane
