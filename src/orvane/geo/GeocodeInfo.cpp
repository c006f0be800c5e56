// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/GeocodeInfo.h"

namespace orvane {

GeocodeInfo::GeocodeInfo() = default;

GeocodeInfo::~GeocodeInfo() = default;

std::shared_ptr<GeocodeInfo> GeocodeInfo::create() {
    auto m = std::make_shared<GeocodeInfo>();
    m->initialize();
    return m;
}

std::shared_ptr<GeocodeInfo> GeocodeInfo::create(float x, float y, std::shared_ptr<const std::string> address,
                                                 int objectId, int score) {
    auto m = create();
    m->x_ = x;
    m->y_ = y;
    m->address_ = std::move(address);
    m->objectId_ = objectId;
    m->score_ = score;
    return m;
}

} // namespace orvane
