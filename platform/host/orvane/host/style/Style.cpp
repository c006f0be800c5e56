// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/style/Style.h"

namespace orvane {

std::shared_ptr<AttributeBundle> Style::getAttributeBundle(int elementId) const {
    auto it = elements_.find(elementId);
    return it == elements_.end() ? nullptr : it->second;
}

void Style::setAttributeBundle(int elementId, const std::shared_ptr<AttributeBundle>& bundle) {
    if (bundle)
        elements_[elementId] = bundle;
    else
        elements_.erase(elementId);
    changed();
}

std::shared_ptr<AttributeBundle> Style::getAttributeBundle(const std::string& className) const {
    if (auto b = getClassBundle(className)) return b;
    if (!className.empty() && className[0] == '.') return getClassBundle(className.substr(1));
    return getClassBundle("." + className);
}

std::shared_ptr<AttributeBundle> Style::getClassBundle(const std::string& className) const {
    auto it = classes_.find(className);
    return it == classes_.end() ? nullptr : it->second;
}

void Style::setClassBundle(const std::string& className, const std::shared_ptr<AttributeBundle>& bundle) {
    if (bundle)
        classes_[className] = bundle;
    else
        classes_.erase(className);
    changed();
}

std::shared_ptr<AttributeBundle> Style::ensureAttributeBundle(int elementId) {
    auto& b = elements_[elementId];
    if (!b) b = AttributeBundle::create();
    return b;
}

void Style::changed() {
    if (wouldDeliver(STYLE_CHANGED)) dispatchEvent(PortableEvent::create(STYLE_CHANGED));
}

} // namespace orvane
