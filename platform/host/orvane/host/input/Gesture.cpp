// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/input/Gesture.h"

namespace orvane {

Gesture::Gesture(int type, int state, Point location)
    : type_(type), state_(state), location_(location),
      touchPoints_(std::make_shared<std::vector<Point>>(std::vector<Point>{location})) {}

Gesture::Gesture(const Gesture& other)
    : Wrappable(other), type_(other.type_), state_(other.state_), location_(other.location_),
      touchPoints_(std::make_shared<std::vector<Point>>(*other.touchPoints_)), modifiers_(other.modifiers_) {}

Gesture& Gesture::operator=(const Gesture& other) {
    if (this == &other) return *this;
    type_ = other.type_;
    state_ = other.state_;
    location_ = other.location_;
    touchPoints_ = std::make_shared<std::vector<Point>>(*other.touchPoints_);
    modifiers_ = other.modifiers_;
    return *this;
}

void Gesture::setTouchPoints(std::shared_ptr<std::vector<Point>> points) {
    touchPoints_ = points ? std::move(points) : std::make_shared<std::vector<Point>>();
}

void Gesture::setTouchPoints(const std::vector<Point>& points) {
    touchPoints_ = std::make_shared<std::vector<Point>>(points);
}

void Gesture::translateBy(float dx, float dy) {
    location_ = {location_.x + dx, location_.y + dy};
    for (Point& p : *touchPoints_) p = {p.x + dx, p.y + dy};
}

std::shared_ptr<Gesture> Gesture::relativeTo(const Point& origin) const {
    auto copy = clone();
    copy->translateBy(-origin.x, -origin.y);
    return copy;
}

void Gesture::mirrorX(float width) {
    location_.x = width - location_.x;
    for (Point& p : *touchPoints_) p.x = width - p.x;
}

void Pan::mirrorX(float width) {
    Gesture::mirrorX(width);
    translation_.x = -translation_.x;
}

void MouseWheel::mirrorX(float width) {
    Gesture::mirrorX(width);
    delta_.x = -delta_.x;
}

} // namespace orvane
