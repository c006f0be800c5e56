// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/TableSelectionType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 3> kStringToEnum{{{"CELL", 1}, {"MEASURE_GROUP", 0}, {"ROW", 2}}};
constexpr std::array<std::string_view, 3> kNames{{"MEASURE_GROUP", "CELL", "ROW"}};
} // namespace

const EnumerationTable& TableSelectionType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
