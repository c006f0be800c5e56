#pragma once
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class TiledReflowLayoutStrategy : public LayoutStrategy {
public:
    static constexpr int WRAPPER_TYPE_ID = 10089;
    TiledReflowLayoutStrategy();
    ~TiledReflowLayoutStrategy() override;
    static std::shared_ptr<TiledReflowLayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

};

} // namespace orvane
