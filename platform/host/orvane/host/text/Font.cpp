// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/text/Font.h"

#include "orvane/host/text/TextShaper.h"

namespace orvane {

float Font::measure(std::string_view text) const { return isValid() ? TextShaper::width(*this, text, false) : 0.0f; }

} // namespace orvane
