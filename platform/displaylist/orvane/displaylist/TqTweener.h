// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqAnimate.h"
#include "orvane/displaylist/TqRef.h"

namespace displaylist {

class TqGeometry;

/// An animation that moves one property of a node from a start value to an
/// end value along its eased progress.
class ORVANE_DISPLAYLIST_EXPORT TqTweener : public TqAnimate {
public:
    enum Property { OPACITY = 0, TRANSLATE_X = 1, TRANSLATE_Y = 2, SCALE = 3 };

    TqTweener();
    /// Holds a reference to the target. Translation applies to groups only.
    void SetTarget(TqGeometry* target, int property);
    TqGeometry* GetTarget() const { return target_.get(); }
    int GetProperty() const { return property_; }
    void SetRange(float from, float to);
    float GetFrom() const { return from_; }
    float GetTo() const { return to_; }
    float GetValue(double time) const { return from_ + (to_ - from_) * GetProgress(time); }

protected:
    ~TqTweener() override;
    void Apply(float progress) override;

private:
    TqRef<TqGeometry> target_;
    int property_ = OPACITY;
    float from_ = 0.0f;
    float to_ = 1.0f;
};

} // namespace displaylist
