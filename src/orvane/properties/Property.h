// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/core/PropertyOwner.h"
#include "orvane/properties/ErasedProperty.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/PropertyChangeEvent.h"
#include "orvane/properties/TypedPropertyValidator.h"

#include <memory>
#include <string>
#include <type_traits>

namespace orvane {

namespace detail {

template <class T>
struct IsShared : std::false_type {};
template <class X>
struct IsShared<std::shared_ptr<X>> : std::true_type {
    using element = X;
};
template <class T>
struct IsWeak : std::false_type {};
template <class X>
struct IsWeak<std::weak_ptr<X>> : std::true_type {
    using element = X;
};
template <class T>
struct IsVector : std::false_type {};
template <class Y>
struct IsVector<MonitoredVector<Y>> : std::true_type {
    using element = Y;
};

template <class T, class = void>
struct ErasedOf {
    using type = T;  // bool, int, unsigned, float, double
};
template <class T>
struct ErasedOf<T, std::enable_if_t<std::is_enum_v<T>>> {
    using type = int;
};
template <class X>
struct ErasedOf<std::shared_ptr<X>> {
    using type = std::shared_ptr<void>;
};
template <class X>
struct ErasedOf<std::weak_ptr<X>> {
    using type = std::weak_ptr<void>;
};

/// Value type carried by change events: the declared type for primitives, int
/// for enumerations, the object pointer for non-model objects and vectors, and a
/// property-owner pointer for models.
template <class T, bool Model, class = void>
struct EventValueOf {
    using type = T;
};
template <class T, bool Model>
struct EventValueOf<T, Model, std::enable_if_t<std::is_enum_v<T>>> {
    using type = int;
};
template <class X>
struct EventValueOf<std::shared_ptr<X>, true, std::enable_if_t<!IsVector<std::remove_const_t<X>>::value>> {
    using type = std::shared_ptr<PropertyOwner>;
};
template <class X>
struct EventValueOf<std::weak_ptr<X>, true> {
    using type = std::weak_ptr<PropertyOwner>;
};

} // namespace detail

/// A typed, validated, observable field of a model or view.
///   T      declared value type
///   Model  true when T is a model, a vector of models or a weak model reference
///   E      erased storage type (derived from T)
///   A      argument type of set
/// A set that changes nothing performs no allocation and dispatches nothing;
/// events are built only when some listener, here or up the model tree, would
/// receive them.
template <class T, bool Model = false, class E = typename detail::ErasedOf<T>::type, class A = const T&>
class Property : public ErasedProperty<E> {
    using Base = ErasedProperty<E>;
    using V = typename detail::EventValueOf<T, Model>::type;

public:
    using value_type = T;
    static constexpr bool isModel = Model;

    Property(PropertyOwner* owner, const PropertyDefinition& definition) : Base(owner, definition) {}
    Property(PropertyOwner* owner, const PropertyDefinition& definition, const T& initial)
        : Base(owner, definition) {
        this->store(toErased(initial));
        this->updatePropertyChangeEventTree(nullptr, dispatcherOf(this->value()));
    }
    ~Property() override { this->updatePropertyChangeEventTree(dispatcherOf(this->value()), nullptr); }

    T get() const { return fromErased(this->value()); }
    operator T() const { return get(); }
    void set(A value) {
        E e = toErased(value);
        setGenerically(&e);
    }
    Property& operator=(A value) {
        set(value);
        return *this;
    }
    // Assigns the value again: re-announces a change made inside the current
    // (mutable) value with one change event whose old and new values are it.
    void reassign(A value) {
        E e = toErased(value);
        if (!this->hasValue() || !equalErased(this->value(), e) || this->ownerCachingIsEnabled()) {
            setGenerically(&e);
            return;
        }
        const E& current = this->value();
        dispatchPropertyChangeEvent(&current, &current, AbstractProperty::CHANGE_EVENT);
    }
    // The pending value while caching holds it back (else the current value).
    T getCached() const { return this->hasCachedValue() ? fromErased(this->cachedValue()) : get(); }
    // Sets the value without an event and without marking it set: for the
    // defaults an owning class gives its properties in its constructor.
    void setDefault(A value) {
        E old = this->take();
        this->store(toErased(value));
        this->updatePropertyChangeEventTree(dispatcherOf(old), dispatcherOf(this->value()));
    }

    void setGenerically(const void* erasedValue) override {
        if (!erasedValue) return;
        const E& nv = *static_cast<const E*>(erasedValue);
        if (this->hasValue() && equalErased(this->value(), nv)) {
            // The latest write restores the current value: drop a pending one.
            if (this->hasCachedValue()) this->clearCache();
            return;
        }
        if (this->ownerCachingIsEnabled()) {
            this->cached() = nv;
            this->setCachePending(true);
            return;
        }
        if (!isValid(nv)) {
            const E& current = this->value();
            dispatchPropertyChangeEvent(&current, &nv, AbstractProperty::INVALID_VALUE);
            return;
        }
        E old = this->take();
        this->store(nv);
        this->markHasValue();
        this->updatePropertyChangeEventTree(dispatcherOf(old), dispatcherOf(this->value()));
        const E& current = this->value();
        dispatchPropertyChangeEvent(&old, &current, AbstractProperty::CHANGE_EVENT);
    }

    void dispatchPropertyChangeEvent(const void* oldValue, const void* newValue, int type) override {
        if (!this->getDispatchIsEnabled() || !this->wouldDeliver(type)) return;
        auto ev = PropertyChangeEvent<V>::create(type, toEventValue(*static_cast<const E*>(oldValue)),
                                                 toEventValue(*static_cast<const E*>(newValue)));
        this->dispatchEvent(ev);
    }

    // ---- erased object, string and vector access -------------------------
    bool setObjectGenerically(const std::shared_ptr<Wrappable>& object) override {
        if constexpr (detail::IsShared<T>::value && !std::is_same_v<T, std::shared_ptr<const std::string>>) {
            using X = typename detail::IsShared<T>::element;
            if (!object) {
                set(T());
                return true;
            }
            auto x = std::dynamic_pointer_cast<X>(object);
            if (!x) return false;
            set(x);
            return true;
        } else if constexpr (detail::IsWeak<T>::value) {
            using X = typename detail::IsWeak<T>::element;
            if (!object) {
                set(T());
                return true;
            }
            auto x = std::dynamic_pointer_cast<X>(object);
            if (!x) return false;
            set(T(x));
            return true;
        } else {
            (void)object;
            return false;
        }
    }
    std::shared_ptr<Wrappable> getObjectGenerically() const override {
        if constexpr (detail::IsShared<T>::value && !std::is_same_v<T, std::shared_ptr<const std::string>>) {
            return get();
        } else if constexpr (detail::IsWeak<T>::value) {
            return get().lock();
        } else {
            return nullptr;
        }
    }
    bool setStringGenerically(const std::shared_ptr<const std::string>& s) override {
        if constexpr (std::is_same_v<T, std::shared_ptr<const std::string>>) {
            set(s);
            return true;
        } else {
            (void)s;
            return false;
        }
    }
    std::shared_ptr<const std::string> getStringGenerically() const override {
        if constexpr (std::is_same_v<T, std::shared_ptr<const std::string>>)
            return get();
        else
            return nullptr;
    }

    bool isVectorProperty() const override { return isVectorType(); }

    bool addGenerically(const std::shared_ptr<Wrappable>& model) override {
        if constexpr (isVectorType()) {
            using Y = VectorElement;
            if constexpr (detail::IsShared<Y>::value && !std::is_same_v<Y, std::shared_ptr<const std::string>>) {
                using Z = typename detail::IsShared<Y>::element;
                auto z = std::dynamic_pointer_cast<Z>(model);
                if (!z) return false;
                ensureVector()->push_back(z);
                return true;
            }
        }
        (void)model;
        return false;
    }
    bool appendElementGenerically(const void* element) override {
        if (!element) return false;
        if constexpr (isVectorType()) {
            using Y = VectorElement;
            if constexpr (std::is_arithmetic_v<Y>) {
                ensureVector()->push_back(*static_cast<const Y*>(element));
                return true;
            } else if constexpr (std::is_same_v<Y, std::shared_ptr<const std::string>>) {
                ensureVector()->push_back(*static_cast<const Y*>(element));
                return true;
            } else if constexpr (detail::IsShared<Y>::value) {
                return addGenerically(*static_cast<const std::shared_ptr<Wrappable>*>(element));
            }
        }
        return false;
    }
    bool assignElementsGenerically(const void* elements, size_t count) override {
        if constexpr (isVectorType()) {
            using Y = VectorElement;
            if constexpr (std::is_arithmetic_v<Y> || std::is_same_v<Y, std::shared_ptr<const std::string>>) {
                if (count > 0 && !elements) return false;
                const Y* first = static_cast<const Y*>(elements);
                std::vector<Y> items(first, first + count);
                if (auto v = get()) {
                    v->assign(std::move(items));
                    return true;
                }
                if (this->getDispatchIsEnabled() && (this->wouldDeliver(AbstractProperty::CHANGE_EVENT) ||
                                                     this->wouldDeliver(AbstractMonitoredVector::VECTOR_CHANGE_EVENT))) {
                    // Someone listens: the new empty list, then each append.
                    auto v = ensureVector();
                    for (const Y& y : items) v->push_back(y);
                    return true;
                }
                // No list and no listener (a model being read): make the list
                // full and set it once.
                set(MonitoredVector<Y>::create(std::move(items)));
                if (!get() && !this->hasCachedValue()) return false;
                return true;
            }
        }
        (void)elements;
        (void)count;
        return false;
    }
    void clearVectorGenerically() override {
        if constexpr (isVectorType()) {
            if (auto v = get())
                v->clear();
            else
                ensureVector();
        }
    }
    size_t getVectorSizeGenerically() const override {
        if constexpr (isVectorType()) {
            auto v = get();
            return v ? v->size() : 0;
        }
        return 0;
    }
    void visitElementsGenerically(const std::function<void(const void*)>& fn) const override {
        if constexpr (isVectorType()) {
            using Y = VectorElement;
            auto v = get();
            if (!v) return;
            for (const Y& y : v->items()) {
                if constexpr (std::is_arithmetic_v<Y> || std::is_same_v<Y, std::shared_ptr<const std::string>>) {
                    Y copy = y;
                    fn(&copy);
                } else if constexpr (detail::IsShared<Y>::value) {
                    std::shared_ptr<Wrappable> w = y;
                    fn(&w);
                }
            }
        } else {
            (void)fn;
        }
    }

private:
    template <class U, class = void>
    struct VectorOf {
        using type = void;
        static constexpr bool value = false;
    };
    template <class U>
    struct VectorOf<std::shared_ptr<U>, std::enable_if_t<detail::IsVector<std::remove_const_t<U>>::value>> {
        using type = typename detail::IsVector<std::remove_const_t<U>>::element;
        static constexpr bool value = true;
    };
    using VectorElement = typename VectorOf<T>::type;
    static constexpr bool isVectorType() { return VectorOf<T>::value; }

    auto ensureVector() {
        if constexpr (isVectorType()) {
            auto v = get();
            if (!v) {
                v = std::make_shared<MonitoredVector<VectorElement>>();
                set(v);
                v = get();  // may still be null while caching holds the set back
                if (!v) {
                    v = std::make_shared<MonitoredVector<VectorElement>>();
                    this->cached() = toErased(v);
                }
            }
            return v;
        }
    }

    static E toErased(const T& v) {
        if constexpr (std::is_enum_v<T>)
            return static_cast<int>(v);
        else if constexpr (detail::IsShared<T>::value)
            return std::const_pointer_cast<void>(std::static_pointer_cast<const void>(v));
        else
            return v;
    }
    static T fromErased(const E& e) {
        if constexpr (std::is_enum_v<T>) {
            return static_cast<T>(e);
        } else if constexpr (detail::IsShared<T>::value) {
            using X = typename detail::IsShared<T>::element;
            return std::static_pointer_cast<X>(e);
        } else if constexpr (detail::IsWeak<T>::value) {
            using X = typename detail::IsWeak<T>::element;
            return std::static_pointer_cast<X>(e.lock());
        } else {
            return e;
        }
    }
    static V toEventValue(const E& e) {
        if constexpr (std::is_same_v<V, std::shared_ptr<PropertyOwner>>) {
            auto x = fromErased(e);
            return x ? std::shared_ptr<PropertyOwner>(x, static_cast<PropertyOwner*>(x.get())) : nullptr;
        } else if constexpr (std::is_same_v<V, std::weak_ptr<PropertyOwner>>) {
            auto x = fromErased(e).lock();
            return x ? std::weak_ptr<PropertyOwner>(std::shared_ptr<PropertyOwner>(x, static_cast<PropertyOwner*>(x.get())))
                     : std::weak_ptr<PropertyOwner>();
        } else if constexpr (std::is_enum_v<T>) {
            return e;
        } else {
            return fromErased(e);
        }
    }
    static bool equalErased(const E& a, const E& b) {
        if constexpr (std::is_same_v<E, std::shared_ptr<void>>)
            return a.get() == b.get();
        else if constexpr (std::is_same_v<E, std::weak_ptr<void>>)
            return a.lock().get() == b.lock().get();
        else
            return a == b;
    }
    // The dispatcher a value forwards from: child models and vectors only.
    static EventDispatcher* dispatcherOf(const E& e) {
        if constexpr (detail::IsShared<T>::value) {
            using X = typename detail::IsShared<T>::element;
            if constexpr (isVectorType() || Model) {
                if (!e) return nullptr;
                return static_cast<EventDispatcher*>(static_cast<X*>(e.get()));
            }
        }
        (void)e;
        return nullptr;
    }
    bool isValid(const E& e) const {
        const PropertyValidator* v = this->getDefinition().validator;
        if (!v) return true;
        if (auto* tv = dynamic_cast<const TypedPropertyValidator<T>*>(v)) return tv->isValid(fromErased(e));
        return true;
    }
};

} // namespace orvane
