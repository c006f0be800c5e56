// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <cstdint>
#include <span>
#include <string_view>

namespace orvane {

class PropertyValidator;

// Value-type codes of property definitions. Codes at or below -1001 are
// enumerations; positive codes are wrapper type ids of the referenced class.
namespace ValueType {
constexpr int BOOL = -1;
constexpr int DOUBLE = -2;
constexpr int FLOAT = -3;
constexpr int INT = -4;
constexpr int COLOR = -7;
constexpr int STRING = -11;
constexpr int UNSIGNED = -12;
constexpr int SORT_DIRECTION = -1074;
constexpr int FIRST_ENUMERATION = -1001;
inline constexpr bool isEnumeration(int code) { return code <= FIRST_ENUMERATION; }
inline constexpr bool isObject(int code) { return code > 0; }
} // namespace ValueType

// Host wrapper type ids of host classes that appear as property values.
namespace HostTypeId {
constexpr int ATTRIBUTE_BUNDLE = 9;
constexpr int BASE_MODEL = 13;
constexpr int DATA_SET = 42;
constexpr int DATA_TREE_NODE = 44;
constexpr int DATA_TREE_SORT_CONTEXT = 45;
constexpr int DATA_VALUE = 46;
constexpr int DIMENSION = 47;
constexpr int EXPRESSION = 52;
constexpr int HIERARCHY = 76;
constexpr int HIERARCHY_DATA_SET = 77;
constexpr int LEVEL = 89;
constexpr int RULE = 136;
constexpr int SORT_STATE = 150;
constexpr int STYLE = 151;
constexpr int STYLE_CHAIN = 152;
} // namespace HostTypeId

// Kind bits of a property definition's flags word.
namespace PropertyFlags {
constexpr uint64_t ATTRIBUTE = 0x10000;          // written as an attribute
constexpr uint64_t TEXT_CONTENT = 0x20000;       // the element's text content
constexpr uint64_t CHILD_ELEMENT = 0x40000;      // written as a child element
constexpr uint64_t OWNED = 0x800;                // owned value (strings, child models)
constexpr uint64_t WEAK = 0x2000000;             // non-owning reference
constexpr uint64_t VECTOR = 0x100000000ull;      // holds a monitored vector
constexpr uint64_t PARENT_LINK = 0x20000000000ull;  // back-link to the enclosing model
} // namespace PropertyFlags

struct ORVANE_HOST_EXPORT PropertyAlias {
    std::string_view alias;
    int32_t valueType;
    int32_t aliasFlag;
};

struct ORVANE_HOST_EXPORT AttributeDefinition {
    std::string_view name;
    int32_t valueType;
};

/// Constant record describing one property of a model.
struct ORVANE_HOST_EXPORT PropertyDefinition {
    std::string_view name;
    int32_t index = 0;
    int32_t valueType = 0;
    uint64_t flags = 0;
    std::span<const PropertyAlias> aliases;
    std::string_view reserved1;
    std::span<const AttributeDefinition> attributes;
    std::string_view reserved2;
    const PropertyValidator* validator = nullptr;

    constexpr bool isVector() const { return (flags & PropertyFlags::VECTOR) != 0; }
    constexpr bool isWeak() const { return (flags & PropertyFlags::WEAK) != 0; }
    constexpr bool isTextContent() const { return (flags & PropertyFlags::TEXT_CONTENT) != 0; }
    constexpr bool isAttribute() const { return (flags & PropertyFlags::ATTRIBUTE) != 0; }
    constexpr bool isChildElement() const { return (flags & PropertyFlags::CHILD_ELEMENT) != 0; }
    constexpr bool isParentLink() const { return (flags & PropertyFlags::PARENT_LINK) != 0; }
    bool matchesName(std::string_view n) const {
        if (n == name) return true;
        for (const auto& a : aliases)
            if (a.alias == n) return true;
        return false;
    }
};

} // namespace orvane
