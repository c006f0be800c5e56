// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/style/StyleChain.h"

#include "orvane/host/style/Style.h"

namespace orvane {

std::shared_ptr<StyleChain> StyleChain::create(const std::shared_ptr<Style>& style, const std::vector<int>& elementIds) {
    auto chain = std::make_shared<StyleChain>();
    if (!style) return chain;
    for (int id : elementIds)
        if (auto b = style->getAttributeBundle(id)) chain->bundles_.push_back(b);
    return chain;
}

std::shared_ptr<StyleChain> StyleChain::create(std::vector<std::shared_ptr<AttributeBundle>> bundles) {
    std::vector<std::shared_ptr<AttributeBundle>> kept;
    for (auto& b : bundles)
        if (b) kept.push_back(std::move(b));
    return std::make_shared<StyleChain>(std::move(kept));
}

void StyleChain::append(const std::shared_ptr<AttributeBundle>& bundle) {
    if (bundle) bundles_.push_back(bundle);
}

void StyleChain::prepend(const std::shared_ptr<AttributeBundle>& bundle) {
    if (bundle) bundles_.insert(bundles_.begin(), bundle);
}

const AttributeBundle* StyleChain::bundleWith(int id) const {
    for (const auto& b : bundles_)
        if (b->hasAttribute(id)) return b.get();
    return nullptr;
}

const AttributeBundle::Value* StyleChain::find(int id) const {
    const AttributeBundle* b = bundleWith(id);
    return b ? b->find(id) : nullptr;
}

uint32_t StyleChain::getColor(int id, uint32_t def) const {
    const AttributeBundle* b = bundleWith(id);
    return b ? b->getColor(id, def) : def;
}

int StyleChain::getInt(int id, int def) const {
    const AttributeBundle* b = bundleWith(id);
    return b ? b->getInt(id, def) : def;
}

unsigned int StyleChain::getUnsigned(int id, unsigned int def) const {
    const AttributeBundle* b = bundleWith(id);
    return b ? b->getUnsigned(id, def) : def;
}

float StyleChain::getFloat(int id, float def) const {
    const AttributeBundle* b = bundleWith(id);
    return b ? b->getFloat(id, def) : def;
}

std::shared_ptr<const std::string> StyleChain::getString(int id, std::shared_ptr<const std::string> def) const {
    const AttributeBundle* b = bundleWith(id);
    return b ? b->getString(id, def) : def;
}

std::string StyleChain::getStringValue(int id, const std::string& def) const {
    auto s = getString(id);
    return s ? *s : def;
}

std::shared_ptr<Dimension> StyleChain::getDimension(int id, std::shared_ptr<Dimension> def) const {
    const AttributeBundle* b = bundleWith(id);
    return b ? b->getDimension(id, def) : def;
}

} // namespace orvane
