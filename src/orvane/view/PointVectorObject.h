// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <vector>

namespace orvane {

/// A polygon as one object, for the host's language bindings.
class ORVANE_EXPORT PointVectorObject : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10056;
    static std::shared_ptr<PointVectorObject> create(std::shared_ptr<std::vector<Point>> points = nullptr) {
        auto o = std::make_shared<PointVectorObject>();
        o->points_ = std::move(points);
        return o;
    }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    std::shared_ptr<std::vector<Point>> getPoints() const { return points_; }
    void setPoints(std::shared_ptr<std::vector<Point>> p) { points_ = std::move(p); }

private:
    std::shared_ptr<std::vector<Point>> points_;
};

} // namespace orvane
