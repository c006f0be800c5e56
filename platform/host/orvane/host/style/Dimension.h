// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/BaseModel.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvane {

// Unit codes of Dimension values.
namespace DimensionUnit {
constexpr int DEFAULT = 0;  // treated as pixels
constexpr int PERCENT = 1;  // percent of a reference length
constexpr int POINTS = 2;   // 1 pt = 4/3 px
constexpr int INCHES = 3;   // 1 in = 96 px
constexpr int CENTIMETERS = 4;
constexpr int MILLIMETERS = 5;
constexpr int PIXELS = 7;
} // namespace DimensionUnit

/// A length with a unit. It is a model (a property owner) so that a property
/// holding one forwards its events like any child model; the value and unit are
/// plain fields, changed in place without an event.
class ORVANE_HOST_EXPORT Dimension : public BaseModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 47;

    Dimension(float value = 0.0f, int unit = DimensionUnit::PIXELS) : value_(value), unit_(unit) {}
    static std::shared_ptr<Dimension> create(float value, int unit = DimensionUnit::PIXELS) {
        return std::make_shared<Dimension>(value, unit);
    }
    /// Parses "12", "12px", "9pt", "50%", "1in", "2cm", "10mm". Null when the
    /// text is not a finite number with a known unit.
    static std::shared_ptr<Dimension> fromString(std::string_view text);

    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// A dimension changes in place without events: nothing to forward.
    bool forwardsEvents() const override { return false; }

    float getValue() const { return value_; }
    int getUnit() const { return unit_; }
    void setValue(float v) { value_ = v; }
    void setUnit(int u) { unit_ = u; }

    /// The value converted to `unit`. Relative values (percent) need a reference
    /// length in pixels; with a negative reference they convert to 0. The result
    /// in pixels is multiplied by `scale` before conversion to the target unit.
    float getScalarValueForUnit(int unit, float referenceLength = -1.0f, float scale = 1.0f) const;
    /// Pixels per one unit of `unit` (0 for relative units).
    static float pixelsPerUnit(int unit);

    /// "12px", "9pt", "50%", ...
    std::string toString() const override;
    bool equals(const Dimension& o) const { return value_ == o.value_ && unit_ == o.unit_; }

private:
    float value_;
    int unit_;
};

} // namespace orvane
