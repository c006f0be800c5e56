// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/host/core/PortablePackage.h"

#include <memory>

namespace displaylist {

/// The display-list library's package object.
class ORVANE_DISPLAYLIST_EXPORT OpenGLES2DisplayListPackage : public orvane::PortablePackage {
public:
    OpenGLES2DisplayListPackage() : orvane::PortablePackage("OpenGLES2DisplayList") {}
    static std::shared_ptr<OpenGLES2DisplayListPackage> instance();
    /// True when drawing goes to an interactive screen (false off screen and
    /// for exports). Settable by the host and tests.
    static bool hasInteractiveDisplay();
    static void setHasInteractiveDisplay(bool interactive);
};

} // namespace displaylist
