// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class ORVANE_EXPORT GridDisplayOptions : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10043;
    GridDisplayOptions();
    ~GridDisplayOptions() override;
    static std::shared_ptr<GridDisplayOptions> create();
    /// Reads the display-option text: words separated by white space, any
    /// case, "CONCISE", "PLAIN", "WRAPALL", "RETAINNEWLINE"; unknown words
    /// are ignored (listed in `unknown` when given).
    static std::shared_ptr<GridDisplayOptions> fromString(const std::string& text,
                                                          std::vector<std::string>* unknown = nullptr);
    /// The words of the options that are on, in that order; "" for none.
    std::string toString() const override;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<bool> concise;
    Property<bool> plain;
    Property<bool> wrapall;
    Property<bool> retainNewLines;
};

} // namespace orvane
