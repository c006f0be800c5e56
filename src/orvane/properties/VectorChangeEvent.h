// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/properties/ErasedVectorChangeEvent.h"

#include <memory>
#include <vector>

namespace orvane {

/// Items added to and deleted from a MonitoredVector<T> in one mutation.
template <class T>
class VectorChangeEvent : public ErasedVectorChangeEvent {
public:
    explicit VectorChangeEvent(int type) : ErasedVectorChangeEvent(type) {}
    static std::shared_ptr<VectorChangeEvent<T>> create(int type) { return std::make_shared<VectorChangeEvent<T>>(type); }

    void setAddition(const T& item) { additions_.push_back(item); }
    void setDeletion(const T& item) { deletions_.push_back(item); }
    const std::vector<T>& getAdditions() const { return additions_; }
    const std::vector<T>& getDeletions() const { return deletions_; }

    const void* getErasedAdditions() const override { return &additions_; }
    const void* getErasedDeletions() const override { return &deletions_; }
    size_t getAdditionCount() const override { return additions_.size(); }
    size_t getDeletionCount() const override { return deletions_.size(); }

private:
    std::vector<T> additions_;
    std::vector<T> deletions_;
};

} // namespace orvane
