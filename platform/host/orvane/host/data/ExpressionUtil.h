// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/Expression.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// Operations on expression trees.
class ORVANE_HOST_EXPORT ExpressionUtil {
public:
    /// Names of the variables in order of first appearance.
    static std::vector<std::string> extractAllVariableNames(const std::shared_ptr<Expression>& expression);
    /// The uniform shape of and/or of leaf conditions: nested and/or of the same
    /// operator are flattened, one-operand and/or are replaced by their operand,
    /// and comparisons have the variable on the left. Null for a shape that is
    /// not and/or of leaf conditions (a not, an invalid leaf).
    static std::shared_ptr<Expression> homogenize(const std::shared_ptr<Expression>& expression);
    /// The expression without the operand structurally equal to term: an
    /// and/or left with one operand becomes that operand; removing the last
    /// operand (or the whole expression) gives null. Unchanged when absent.
    static std::shared_ptr<Expression> removeTermFromExpression(const std::shared_ptr<Expression>& expression,
                                                                const std::shared_ptr<Expression>& term);
    /// A copy with variables renamed by the map (names not in it are kept).
    static std::shared_ptr<Expression> renameVariables(const std::shared_ptr<Expression>& expression,
                                                       const std::map<std::string, std::string>& names);
    static bool containsVariable(const std::shared_ptr<Expression>& expression, const std::string& name);
};

} // namespace orvane
