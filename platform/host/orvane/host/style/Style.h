// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/core/EventDispatcher.h"

#include <map>
#include <memory>
#include <string>

namespace orvane {

/// A style: attribute bundles by style element id (and by class name for
/// selectors such as ".title"). Dispatches STYLE_CHANGED when a bundle changes.
class ORVANE_HOST_EXPORT Style : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 151;
    static constexpr int STYLE_CHANGED = 4;  ///< host event id

    static std::shared_ptr<Style> create() { return std::make_shared<Style>(); }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    std::shared_ptr<AttributeBundle> getAttributeBundle(int elementId) const;
    /// The bundle of a style element by class name, written with or without
    /// its leading "." ("cellRichTextInline" or ".cellRichTextInline"); null when absent.
    std::shared_ptr<AttributeBundle> getAttributeBundle(const std::string& className) const;
    void setAttributeBundle(int elementId, const std::shared_ptr<AttributeBundle>& bundle);
    std::shared_ptr<AttributeBundle> getClassBundle(const std::string& className) const;
    void setClassBundle(const std::string& className, const std::shared_ptr<AttributeBundle>& bundle);
    /// The element's bundle, created empty on first use.
    std::shared_ptr<AttributeBundle> ensureAttributeBundle(int elementId);
    /// Announces STYLE_CHANGED after bundles were edited in place.
    void notifyChanged() { changed(); }

    const std::map<int, std::shared_ptr<AttributeBundle>>& elements() const { return elements_; }
    const std::map<std::string, std::shared_ptr<AttributeBundle>>& classes() const { return classes_; }

private:
    void changed();
    std::map<int, std::shared_ptr<AttributeBundle>> elements_;
    std::map<std::string, std::shared_ptr<AttributeBundle>> classes_;
};

} // namespace orvane
