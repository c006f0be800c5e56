// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/properties/TypedPropertyValidator.h"

namespace orvane {

/// Accepts values within [minimum, maximum] (each bound inclusive or not), and
/// optionally one special value outside the range.
template <class T>
class NumericRangeValidator : public TypedPropertyValidator<T> {
public:
    constexpr NumericRangeValidator(T minimum, T maximum, bool minimumInclusive = true, bool maximumInclusive = true,
                                    T specialValue = T(), bool specialValueAllowed = false)
        : minimum_(minimum), maximum_(maximum), specialValue_(specialValue), minimumInclusive_(minimumInclusive),
          maximumInclusive_(maximumInclusive), specialValueAllowed_(specialValueAllowed) {}

    bool isValid(const T& v) const override {
        if (specialValueAllowed_ && v == specialValue_) return true;
        if (v < minimum_ || (v == minimum_ && !minimumInclusive_)) return false;
        if (v > maximum_ || (v == maximum_ && !maximumInclusive_)) return false;
        // NaN compares false with everything: reject it explicitly.
        if (!(v == v)) return false;
        return true;
    }

    T getMinimum() const { return minimum_; }
    T getMaximum() const { return maximum_; }

private:
    T minimum_;
    T maximum_;
    T specialValue_;
    bool minimumInclusive_;
    bool maximumInclusive_;
    bool specialValueAllowed_;
};

} // namespace orvane
