// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortableEvent.h"

#include <cmath>
#include <limits>
#include <memory>

namespace orvane {

/// A layout's question to the content of a layout proxy: what size do you want
/// along one axis, given this size along the other? Dispatched synchronously on
/// the proxy; a listener (the host or the view behind the proxy) answers with
/// setResult, which the asking layout reads right after the dispatch. Without
/// an answer hasResult() stays false.
class ORVANE_EXPORT PreferredSizeRequestEvent : public PortableEvent {
public:
    static constexpr int WRAPPER_TYPE_ID = 10057;
    static constexpr int PREFERRED_WIDTH_REQUEST = 20045;
    static constexpr int PREFERRED_HEIGHT_REQUEST = 20046;
    static constexpr int WIDTH_REQUEST = 20047;
    static constexpr int HEIGHT_REQUEST = 20048;
    static constexpr int MINIMUM_WIDTH_REQUEST = 20049;
    static constexpr int MINIMUM_HEIGHT_REQUEST = 20050;

    PreferredSizeRequestEvent(int type, float constrainedSize) : PortableEvent(type), constrainedSize_(constrainedSize) {}
    static std::shared_ptr<PreferredSizeRequestEvent> create(int type, float constrainedSize) {
        return std::make_shared<PreferredSizeRequestEvent>(type, constrainedSize);
    }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    float getConstrainedSize() const { return constrainedSize_; }

    /// The answer. Non-finite or negative answers are ignored.
    void setResult(float size) {
        if (std::isfinite(size) && size >= 0.0f) {
            result_ = size;
            hasResult_ = true;
        }
    }
    bool hasResult() const { return hasResult_; }
    float getResult() const { return result_; }

private:
    float constrainedSize_;
    float result_ = 0.0f;
    bool hasResult_ = false;
};

} // namespace orvane
