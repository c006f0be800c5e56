// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/AbstractProperty.h"
#include "orvane/host/core/EventDispatcher.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <vector>

namespace orvane {

class AbstractProperty;

/// Owner of properties. It keeps a registry of its properties in index order,
/// receives their events (listeners on the owner see every property change) and
/// holds the caching switch: while caching is on, property sets are held back as
/// pending values until applyCache or clearCache.
///
/// The registry costs one word: owners of the same class hold their properties
/// at the same distances from themselves, so the list of distances is kept once
/// per class (shared by every owner of that layout) and each owner points at
/// it. An owner whose properties do not follow a shared layout (a property
/// that is not a member, or one removed out of order) keeps its own list.
class ORVANE_HOST_EXPORT PropertyOwner : public virtual EventDispatcher, public virtual Wrappable {
public:
    /// The properties of an owner in registration order: iterates, indexes and
    /// counts like a vector of property pointers, and converts to one.
    class ORVANE_HOST_EXPORT PropertyList {
    public:
        class const_iterator {
        public:
            using iterator_category = std::random_access_iterator_tag;
            using value_type = AbstractProperty*;
            using difference_type = std::ptrdiff_t;
            using pointer = AbstractProperty* const*;
            using reference = AbstractProperty*;
            const_iterator() = default;
            const_iterator(const char* base, const int32_t* offsets, AbstractProperty* const* pointers, size_t i)
                : base_(base), offsets_(offsets), pointers_(pointers), i_(i) {}
            AbstractProperty* operator*() const { return at(i_); }
            const_iterator& operator++() {
                ++i_;
                return *this;
            }
            const_iterator operator++(int) {
                auto old = *this;
                ++i_;
                return old;
            }
            const_iterator& operator--() {
                --i_;
                return *this;
            }
            const_iterator& operator+=(difference_type d) {
                i_ = static_cast<size_t>(static_cast<difference_type>(i_) + d);
                return *this;
            }
            const_iterator operator+(difference_type d) const { return const_iterator(*this) += d; }
            const_iterator operator-(difference_type d) const { return const_iterator(*this) += -d; }
            difference_type operator-(const const_iterator& o) const {
                return static_cast<difference_type>(i_) - static_cast<difference_type>(o.i_);
            }
            AbstractProperty* operator[](difference_type d) const { return *(*this + d); }
            bool operator==(const const_iterator& o) const { return i_ == o.i_; }
            bool operator!=(const const_iterator& o) const { return i_ != o.i_; }
            bool operator<(const const_iterator& o) const { return i_ < o.i_; }

        private:
            AbstractProperty* at(size_t i) const {
                if (pointers_) return pointers_[i];
                return reinterpret_cast<AbstractProperty*>(const_cast<char*>(base_) + offsets_[i]);
            }
            const char* base_ = nullptr;
            const int32_t* offsets_ = nullptr;
            AbstractProperty* const* pointers_ = nullptr;
            size_t i_ = 0;
        };
        using iterator = const_iterator;
        using value_type = AbstractProperty*;
        using size_type = size_t;

        PropertyList() = default;
        PropertyList(const char* base, const int32_t* offsets, size_t count)
            : base_(base), offsets_(offsets), count_(count) {}
        PropertyList(AbstractProperty* const* pointers, size_t count) : pointers_(pointers), count_(count) {}

        size_t size() const { return count_; }
        bool empty() const { return count_ == 0; }
        AbstractProperty* operator[](size_t i) const {
            if (pointers_) return pointers_[i];
            return reinterpret_cast<AbstractProperty*>(const_cast<char*>(base_) + offsets_[i]);
        }
        AbstractProperty* at(size_t i) const;
        AbstractProperty* front() const { return (*this)[0]; }
        AbstractProperty* back() const { return (*this)[count_ - 1]; }
        const_iterator begin() const { return const_iterator(base_, offsets_, pointers_, 0); }
        const_iterator end() const { return const_iterator(base_, offsets_, pointers_, count_); }
        operator std::vector<AbstractProperty*>() const { return std::vector<AbstractProperty*>(begin(), end()); }

    private:
        const char* base_ = nullptr;
        const int32_t* offsets_ = nullptr;
        AbstractProperty* const* pointers_ = nullptr;
        size_t count_ = 0;
    };

    PropertyOwner() = default;
    PropertyOwner(const PropertyOwner&) = delete;
    PropertyOwner& operator=(const PropertyOwner&) = delete;
    ~PropertyOwner() override;

    std::shared_ptr<const void> keepAlive() const override { return weak_from_this().lock(); }

    void registerProperty(AbstractProperty* property);
    /// Registers a property under construction; returns the slot it shares
    /// with the same property of the owners of this class, or null when it
    /// must keep its own (this owner keeps its own list).
    const AbstractProperty::Slot* registerPropertySlot(AbstractProperty* property, const PropertyDefinition& definition);
    void unregisterProperty(AbstractProperty* property);
    PropertyList getProperties() const;
    AbstractProperty* getProperty(std::string_view nameOrAlias) const;
    AbstractProperty* getPropertyAtIndex(size_t index) const;

    /// Sets every pending value through the normal path (validation, change or
    /// invalid-value event). Works while caching stays on.
    void applyCache();
    /// Drops every pending value.
    void clearCache() override;
    bool hasPendingCache() const;

    /// Forgets every property's has-a-value flag (property overrides cleared).
    void clearPropertyOverrides();

private:
    struct Layout;
    /// Switches to a list of its own (for a layout no class shares).
    std::vector<AbstractProperty*>& ownList();
    /// A shared Layout, or (low bit set) an owned vector of property pointers.
    uintptr_t list_ = 0;
};

} // namespace orvane
