// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/core/PropertyOwner.h"
#include "orvane/properties/AbstractMonitoredVector.h"
#include "orvane/properties/VectorChangeEvent.h"

#include <memory>
#include <type_traits>
#include <vector>

namespace orvane {

namespace detail {
template <class T>
struct SharedElement : std::false_type {};
template <class X>
struct SharedElement<std::shared_ptr<X>> : std::true_type {
    using type = X;
};
} // namespace detail

/// A std::vector<T> that announces every addition and deletion with one
/// VectorChangeEvent per call. When T is a shared pointer to a model, each
/// element forwards its change events to the vector (and so up the model tree).
template <class T>
class MonitoredVector : public AbstractMonitoredVector {
public:
    using value_type = T;
    using const_iterator = typename std::vector<T>::const_iterator;
    // const T& for every element type but bool, whose packed storage hands out
    // values: a reference would dangle.
    using const_reference = typename std::vector<T>::const_reference;

    MonitoredVector() = default;
    explicit MonitoredVector(std::vector<T> items) : items_(std::move(items)) {
        for (const T& t : items_) link(t);
    }
    ~MonitoredVector() override {
        // Unlink all elements at once before they may die with the storage.
        if constexpr (linksElements()) removeAllForwardSources();
    }

    static std::shared_ptr<MonitoredVector<T>> create() { return std::make_shared<MonitoredVector<T>>(); }
    static std::shared_ptr<MonitoredVector<T>> create(std::vector<T> items) {
        return std::make_shared<MonitoredVector<T>>(std::move(items));
    }

    size_t size() const { return items_.size(); }
    size_t erasedSize() const override { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const_reference operator[](size_t i) const { return items_[i]; }
    const_reference at(size_t i) const { return items_.at(i); }
    const_reference front() const { return items_.front(); }
    const_reference back() const { return items_.back(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }
    const std::vector<T>& items() const { return items_; }
    std::vector<T> toVector() const { return items_; }

    void push_back(const T& item) {
        auto ev = makeEvent();
        if (ev) ev->setAddition(item);
        items_.push_back(item);
        link(items_.back());
        send(ev);
    }
    template <class... Args>
    void emplace_back(Args&&... args) {
        items_.emplace_back(std::forward<Args>(args)...);
        link(items_.back());
        auto ev = makeEvent();
        if (ev) ev->setAddition(items_.back());
        send(ev);
    }
    void insert(size_t index, const T& item) {
        if (index > items_.size()) index = items_.size();
        auto ev = makeEvent();
        if (ev) ev->setAddition(item);
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), item);
        link(item);
        send(ev);
    }
    const_iterator erase(const_iterator pos) {
        auto ev = makeEvent();
        if (ev) ev->setDeletion(*pos);
        unlink(*pos);
        auto it = items_.erase(pos);
        send(ev);
        return it;
    }
    void eraseAt(size_t index) {
        if (index < items_.size()) erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    }
    // Replaces the item at index: one event with the deletion and the addition.
    void set(size_t index, const T& item) {
        if (index >= items_.size()) return;
        auto ev = makeEvent();
        if (ev) {
            ev->setDeletion(items_[index]);
            ev->setAddition(item);
        }
        unlink(items_[index]);
        items_[index] = item;
        link(items_[index]);
        send(ev);
    }
    void clear() {
        auto ev = makeEvent();
        if (ev)
            for (const T& t : items_) ev->setDeletion(t);
        if constexpr (linksElements()) removeAllForwardSources();
        items_.clear();
        send(ev);
    }

    // Replaces all items. Listeners see what clear() followed by one
    // push_back per item would show them; with no listener the items are
    // swapped in at once, without building or checking an event per item.
    void assign(std::vector<T> items) {
        if (getDispatchIsEnabled() && wouldDeliver(VECTOR_CHANGE_EVENT)) {
            clear();
            for (const T& t : items) push_back(t);
            return;
        }
        if constexpr (linksElements()) removeAllForwardSources();
        items_ = std::move(items);
        for (const T& t : items_) link(t);
    }

private:
    std::vector<T> items_;

    std::shared_ptr<VectorChangeEvent<T>> makeEvent() {
        if (!getDispatchIsEnabled()) return nullptr;
        if (!wouldDeliver(VECTOR_CHANGE_EVENT)) return nullptr;
        return VectorChangeEvent<T>::create(VECTOR_CHANGE_EVENT);
    }
    void send(const std::shared_ptr<VectorChangeEvent<T>>& ev) {
        if (ev && getDispatchIsEnabled()) dispatchEvent(ev);
    }
    static constexpr bool linksElements() {
        if constexpr (detail::SharedElement<T>::value)
            return std::is_base_of_v<PropertyOwner, typename detail::SharedElement<T>::type>;
        else
            return false;
    }
    void link(const T& item) {
        if constexpr (linksElements())
            if (item) static_cast<EventDispatcher*>(item.get())->addForwardTarget(this);
    }
    void unlink(const T& item) {
        if constexpr (linksElements())
            if (item) static_cast<EventDispatcher*>(item.get())->removeForwardTarget(this);
    }
};

} // namespace orvane
