// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/core/EventDispatcher.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Style;

/// An ordered list of attribute bundles read as one: an attribute resolves to
/// the first bundle in the chain that has it.
class ORVANE_HOST_EXPORT StyleChain : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 152;

    StyleChain() = default;
    explicit StyleChain(std::vector<std::shared_ptr<AttributeBundle>> bundles) : bundles_(std::move(bundles)) {}
    /// The bundles of `style` for the element ids, in that order (missing ones skipped).
    static std::shared_ptr<StyleChain> create(const std::shared_ptr<Style>& style, const std::vector<int>& elementIds);
    static std::shared_ptr<StyleChain> create(std::vector<std::shared_ptr<AttributeBundle>> bundles = {});
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    void append(const std::shared_ptr<AttributeBundle>& bundle);
    void prepend(const std::shared_ptr<AttributeBundle>& bundle);
    const std::vector<std::shared_ptr<AttributeBundle>>& getBundles() const { return bundles_; }

    bool hasAttribute(int id) const { return find(id) != nullptr; }
    const AttributeBundle::Value* find(int id) const;

    uint32_t getColor(int id, uint32_t def) const;
    int getInt(int id, int def) const;
    unsigned int getUnsigned(int id, unsigned int def) const;
    float getFloat(int id, float def) const;
    std::shared_ptr<const std::string> getString(int id, std::shared_ptr<const std::string> def = nullptr) const;
    std::string getStringValue(int id, const std::string& def) const;
    std::shared_ptr<Dimension> getDimension(int id, std::shared_ptr<Dimension> def = nullptr) const;

private:
    const AttributeBundle* bundleWith(int id) const;
    std::vector<std::shared_ptr<AttributeBundle>> bundles_;
};

} // namespace orvane
