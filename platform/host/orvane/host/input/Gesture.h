// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <vector>

namespace orvane {

/// A recognised gesture as the host delivers it: kind bits, phase, touch
/// points and a location, all in display-list coordinates of the root view
/// (origin lower left, y up). Gestures are copyable; copies share nothing.
class ORVANE_HOST_EXPORT Gesture : public virtual Wrappable {
public:
    Gesture(int type = 0, int state = GestureRecognizerState::BEGAN, Point location = {});
    Gesture(const Gesture& other);
    Gesture& operator=(const Gesture& other);
    ~Gesture() override = default;

    int getType() const { return type_; }
    void setType(int t) { type_ = t; }
    int getState() const { return state_; }
    void setState(int s) { state_ = s; }
    Point getLocation() const { return location_; }
    void setLocation(Point p) { location_ = p; }
    /// Never null; a gesture made with a location gets that point as its touch.
    std::shared_ptr<std::vector<Point>> getTouchPoints() const { return touchPoints_; }
    void setTouchPoints(std::shared_ptr<std::vector<Point>> points);
    void setTouchPoints(const std::vector<Point>& points);
    /// Modifier keys held (host key codes as bits of the host's choosing).
    int getModifiers() const { return modifiers_; }
    void setModifiers(int m) { modifiers_ = m; }

    /// A copy of the same class.
    virtual std::shared_ptr<Gesture> clone() const { return std::make_shared<Gesture>(*this); }
    /// Moves location and touch points by (dx, dy).
    virtual void translateBy(float dx, float dy);
    /// Re-expresses the gesture relative to `origin` (a view's origin in root
    /// coordinates): a copy moved by -origin.
    std::shared_ptr<Gesture> relativeTo(const Point& origin) const;
    /// Mirrors x around `width` (x -> width - x) for right-to-left layouts.
    virtual void mirrorX(float width);

private:
    int type_;
    int state_;
    Point location_;
    std::shared_ptr<std::vector<Point>> touchPoints_;
    int modifiers_ = 0;
};

class ORVANE_HOST_EXPORT Tap : public Gesture {
public:
    Tap(Point location = {}, int tapCount = 1, int type = GestureRecognizerType::TAP)
        : Gesture(type, GestureRecognizerState::ENDED, location), tapCount_(tapCount) {}
    std::shared_ptr<Gesture> clone() const override { return std::make_shared<Tap>(*this); }
    int getTapCount() const { return tapCount_; }
    void setTapCount(int n) { tapCount_ = n; }

private:
    int tapCount_;
};

/// A pan: translation since it began and velocity, in pixels (per second).
class ORVANE_HOST_EXPORT Pan : public Gesture {
public:
    Pan(int state = GestureRecognizerState::BEGAN, Point location = {}, Point translation = {}, Point velocity = {})
        : Gesture(GestureRecognizerType::PAN, state, location), translation_(translation), velocity_(velocity) {}
    std::shared_ptr<Gesture> clone() const override { return std::make_shared<Pan>(*this); }
    Point getTranslation() const { return translation_; }
    void setTranslation(Point t) { translation_ = t; }
    Point getVelocity() const { return velocity_; }
    void setVelocity(Point v) { velocity_ = v; }
    /// Mirrors the location and touch points, and negates the horizontal translation.
    void mirrorX(float width) override;

private:
    Point translation_;
    Point velocity_;
};

class ORVANE_HOST_EXPORT Pinch : public Gesture {
public:
    Pinch(int state = GestureRecognizerState::BEGAN, Point location = {}, float scale = 1.0f, float velocity = 0.0f)
        : Gesture(GestureRecognizerType::PINCH, state, location), scale_(scale), velocity_(velocity) {}
    std::shared_ptr<Gesture> clone() const override { return std::make_shared<Pinch>(*this); }
    float getScale() const { return scale_; }
    void setScale(float s) { scale_ = s; }
    float getVelocity() const { return velocity_; }

private:
    float scale_;
    float velocity_;
};

class ORVANE_HOST_EXPORT LongPress : public Gesture {
public:
    LongPress(int state = GestureRecognizerState::BEGAN, Point location = {})
        : Gesture(GestureRecognizerType::LONG_PRESS, state, location) {}
    std::shared_ptr<Gesture> clone() const override { return std::make_shared<LongPress>(*this); }
};

/// A wheel step: delta in pixels (positive y scrolls the content up).
class ORVANE_HOST_EXPORT MouseWheel : public Gesture {
public:
    MouseWheel(Point location = {}, Point delta = {})
        : Gesture(GestureRecognizerType::MOUSE_WHEEL, GestureRecognizerState::ENDED, location), delta_(delta) {}
    std::shared_ptr<Gesture> clone() const override { return std::make_shared<MouseWheel>(*this); }
    Point getDelta() const { return delta_; }
    void setDelta(Point d) { delta_ = d; }
    void mirrorX(float width) override;

private:
    Point delta_;
};

class ORVANE_HOST_EXPORT PointerHover : public Gesture {
public:
    PointerHover(int state = GestureRecognizerState::CHANGED, Point location = {})
        : Gesture(GestureRecognizerType::POINTER_HOVER, state, location) {}
    std::shared_ptr<Gesture> clone() const override { return std::make_shared<PointerHover>(*this); }
};

} // namespace orvane
