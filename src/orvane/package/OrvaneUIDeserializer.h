// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/document/AbstractDeserializer.h"

#include <memory>

namespace orvane {

/// Reads library documents (rich-text div/span markup and model documents).
class ORVANE_EXPORT OrvaneUIDeserializer : public AbstractDeserializer {
public:
    using AbstractDeserializer::AbstractDeserializer;
    static std::shared_ptr<OrvaneUIDeserializer> create();
};

} // namespace orvane
