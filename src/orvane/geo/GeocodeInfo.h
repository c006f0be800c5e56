// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"

#include <memory>
#include <string>

namespace orvane {

/// One geocoding result: a point, the address the service matched, the object
/// id of the request record it answers, and the match score.
class ORVANE_EXPORT GeocodeInfo : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10040;
    GeocodeInfo();
    ~GeocodeInfo() override;
    static std::shared_ptr<GeocodeInfo> create();
    static std::shared_ptr<GeocodeInfo> create(float x, float y, std::shared_ptr<const std::string> address,
                                               int objectId, int score);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    float getX() const { return x_; }
    void setX(float x) { x_ = x; }
    float getY() const { return y_; }
    void setY(float y) { y_ = y; }
    const std::shared_ptr<const std::string>& getAddress() const { return address_; }
    void setAddress(std::shared_ptr<const std::string> address) { address_ = std::move(address); }
    int getObjectId() const { return objectId_; }
    void setObjectId(int id) { objectId_ = id; }
    int getScore() const { return score_; }
    void setScore(int score) { score_ = score; }

private:
    float x_ = 0.0f;
    float y_ = 0.0f;
    std::shared_ptr<const std::string> address_;
    int objectId_ = 0;
    int score_ = 0;
};

} // namespace orvane
