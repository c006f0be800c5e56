// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortableEvent.h"

#include <cmath>
#include <memory>
#include <vector>

namespace orvane {

class LayoutProxy;

/// A layout's question for several children at once: the size each wants
/// along one axis given its size along the other. Answers are written per
/// child with setResult(index, size) and read right after the dispatch.
class ORVANE_EXPORT GroupPreferredSizeRequestEvent : public PortableEvent {
public:
    static constexpr int WRAPPER_TYPE_ID = 10045;
    static constexpr int GROUP_WIDTH_REQUEST = 20043;
    static constexpr int GROUP_HEIGHT_REQUEST = 20044;

    GroupPreferredSizeRequestEvent(int type, std::shared_ptr<std::vector<float>> sizes,
                                   std::shared_ptr<std::vector<std::shared_ptr<LayoutProxy>>> proxies)
        : PortableEvent(type), sizes_(std::move(sizes)), proxies_(std::move(proxies)) {
        size_t n = proxies_ ? proxies_->size() : 0;
        results_.assign(n, 0.0f);
        answered_.assign(n, false);
    }
    static std::shared_ptr<GroupPreferredSizeRequestEvent> create(
        int type, std::shared_ptr<std::vector<float>> sizes,
        std::shared_ptr<std::vector<std::shared_ptr<LayoutProxy>>> proxies) {
        return std::make_shared<GroupPreferredSizeRequestEvent>(type, std::move(sizes), std::move(proxies));
    }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    std::shared_ptr<std::vector<float>> getConstrainedSizes() const { return sizes_; }
    std::shared_ptr<std::vector<std::shared_ptr<LayoutProxy>>> getLayoutProxies() const { return proxies_; }

    /// Answer for the index-th proxy; ignored out of range or when not finite.
    void setResult(size_t index, float size) {
        if (index < results_.size() && std::isfinite(size) && size >= 0.0f) {
            results_[index] = size;
            answered_[index] = true;
        }
    }
    bool hasResult(size_t index) const { return index < answered_.size() && answered_[index]; }
    float getResult(size_t index) const { return index < results_.size() ? results_[index] : 0.0f; }

private:
    std::shared_ptr<std::vector<float>> sizes_;
    std::shared_ptr<std::vector<std::shared_ptr<LayoutProxy>>> proxies_;
    std::vector<float> results_;
    std::vector<bool> answered_;
};

} // namespace orvane
