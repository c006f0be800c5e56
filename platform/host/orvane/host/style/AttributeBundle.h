// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace orvane {

class Dimension;

/// Typed style attributes by numeric id: colour, int, unsigned, float, string
/// or Dimension. Numeric kinds convert into each other on read.
class ORVANE_HOST_EXPORT AttributeBundle : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 9;

    struct Color {
        uint32_t value;
        bool operator==(const Color& o) const { return value == o.value; }
    };
    using Value = std::variant<Color, int, unsigned int, float, std::shared_ptr<const std::string>,
                               std::shared_ptr<Dimension>>;

    static std::shared_ptr<AttributeBundle> create() { return std::make_shared<AttributeBundle>(); }
    std::shared_ptr<AttributeBundle> clone() const;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    void setColor(int id, uint32_t color) { set(id, Color{color}); }
    void setInt(int id, int v) { set(id, v); }
    void setUnsigned(int id, unsigned int v) { set(id, v); }
    void setFloat(int id, float v) { set(id, v); }
    void setString(int id, const std::string& v) { set(id, std::make_shared<const std::string>(v)); }
    void setDimension(int id, const std::shared_ptr<Dimension>& v) { set(id, v); }
    void set(int id, Value v);
    void remove(int id);

    bool hasAttribute(int id) const { return find(id) != nullptr; }
    /// True when the bundle sets the attribute itself (the same as hasAttribute).
    bool isOverridden(int id) const { return hasAttribute(id); }
    const Value* find(int id) const;
    bool empty() const { return values_.empty(); }
    const std::vector<std::pair<int, Value>>& values() const { return values_; }

    uint32_t getColor(int id, uint32_t def) const;
    int getInt(int id, int def) const;
    unsigned int getUnsigned(int id, unsigned int def) const;
    float getFloat(int id, float def) const;
    std::shared_ptr<const std::string> getString(int id, std::shared_ptr<const std::string> def = nullptr) const;
    std::string getStringValue(int id, const std::string& def) const;
    std::shared_ptr<Dimension> getDimension(int id, std::shared_ptr<Dimension> def = nullptr) const;

    /// Typed reads of a single value (shared by StyleChain).
    static bool readColor(const Value& v, uint32_t& out);
    static bool readInt(const Value& v, int& out);
    static bool readFloat(const Value& v, float& out);

private:
    std::vector<std::pair<int, Value>> values_;  ///< sorted by id
};

} // namespace orvane
