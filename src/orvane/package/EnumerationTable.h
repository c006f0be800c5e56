// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/EnumPairLookup.h"

#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

/// The data of one enumeration: (name, value) pairs sorted by name, the names
/// by value, and optionally separate document forms by value (otherwise the
/// lower-cased names).
class ORVANE_EXPORT EnumerationTable {
public:
    constexpr EnumerationTable(std::span<const EnumPair> byName, std::span<const std::string_view> names,
                               std::span<const std::string_view> xmlNames = {})
        : byName_(byName), names_(names), xmlNames_(xmlNames) {}

    std::span<const EnumPair> byName() const { return byName_; }
    std::span<const std::string_view> names() const { return names_; }

    int valueFromString(std::string_view name, int defaultValue) const {
        const EnumPair* p = EnumPairLookup::find(byName_, name);
        return p ? p->value : defaultValue;
    }
    bool isValid(std::string_view name) const { return EnumPairLookup::find(byName_, name) != nullptr; }
    std::shared_ptr<const std::string> stringFromValue(int value) const;
    std::string xmlRepresentation(int value) const;

private:
    std::span<const EnumPair> byName_;
    std::span<const std::string_view> names_;
    std::span<const std::string_view> xmlNames_;
    mutable std::once_flag once_;
    mutable std::vector<std::shared_ptr<const std::string>> strings_;
};

/// The four conversions every enumeration class offers, over its table.
/// Derived declares `enum type` and `static const EnumerationTable& table()`.
template <class Derived>
class Enumeration {
public:
    template <class T = Derived>
    static typename T::type getValueFromString(std::string_view name, typename T::type defaultValue) {
        return static_cast<typename T::type>(Derived::table().valueFromString(name, static_cast<int>(defaultValue)));
    }
    static bool isValueValid(std::string_view name) { return Derived::table().isValid(name); }
    template <class T = Derived>
    static std::shared_ptr<const std::string> getStringFromValue(typename T::type value) {
        return Derived::table().stringFromValue(static_cast<int>(value));
    }
    template <class T = Derived>
    static std::string getXmlRepresentation(typename T::type value) {
        return Derived::table().xmlRepresentation(static_cast<int>(value));
    }
    static std::span<const EnumPair> string_to_enum() { return Derived::table().byName(); }
    static std::span<const std::string_view> sorted_names() { return Derived::table().names(); }
};

} // namespace orvane
