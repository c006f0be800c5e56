// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>

namespace orvane {

class AccessibilityElement;
class SonificationTone;

/// Pairs an accessible element with the tone that describes its value and the
/// stereo position (pan) the host plays it at.
class ORVANE_EXPORT SonificationElement : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10082;

    static std::shared_ptr<SonificationElement> create() { return std::make_shared<SonificationElement>(); }

    void setAccessibilityElement(std::shared_ptr<AccessibilityElement> element) { accessibilityElement_ = std::move(element); }
    std::shared_ptr<AccessibilityElement> getAccessibilityElement() const { return accessibilityElement_; }
    void setTone(std::shared_ptr<SonificationTone> tone) { tone_ = std::move(tone); }
    std::shared_ptr<SonificationTone> getTone() const { return tone_; }
    /// Stored as given; how it pans (conventionally -1 left to 1 right) is the host's choice.
    void setStereoPanValue(float value) { stereoPanValue_ = value; }
    float getStereoPanValue() const { return stereoPanValue_; }

    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

private:
    std::shared_ptr<AccessibilityElement> accessibilityElement_;
    std::shared_ptr<SonificationTone> tone_;
    float stereoPanValue_ = 0.0f;
};

} // namespace orvane
