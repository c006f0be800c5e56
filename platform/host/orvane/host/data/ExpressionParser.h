// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/Expression.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvane {

/// Reads the text form of expressions (see Expression). Keywords (and, or,
/// not, between, in, is, missing, exclusive, eq, ne, lt, le, gt, ge) are
/// case-insensitive; comparison operators are also written = <> != ^= < <= > >=.
class ORVANE_HOST_EXPORT ExpressionParser {
public:
    /// Null (with the reason and the position in error) when the text is not an expression.
    static std::shared_ptr<Expression> parse(std::string_view text, std::string* error = nullptr);
};

} // namespace orvane
