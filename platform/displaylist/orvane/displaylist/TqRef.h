// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <utility>

namespace displaylist {

/// Smart pointer over a TqRefCount object: holds one reference while it
/// points to the object.
template <class T>
class TqRef {
public:
    TqRef() = default;
    TqRef(T* p) : p_(p) {  // NOLINT: implicit on purpose, like a raw pointer
        if (p_) p_->Ref();
    }
    TqRef(const TqRef& o) : TqRef(o.p_) {}
    TqRef(TqRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ~TqRef() {
        if (p_) p_->Unref();
    }
    TqRef& operator=(TqRef o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    bool operator==(const TqRef& o) const { return p_ == o.p_; }

private:
    T* p_ = nullptr;
};

} // namespace displaylist
